#include "program_runner.h"

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <thread>

namespace wc::test {

namespace {
std::string FromEnvironment(const char* name, const char* built) {
  const char* value = std::getenv(name);
  return value && *value ? value : built;
}
}  // namespace

std::string BuiltProgram() { return FromEnvironment("WC_PROGRAM_EXE", WC_PROGRAM_EXE); }

std::string TestPictures() {
#ifdef WC_TEST_PICTURES
  return FromEnvironment("WC_TEST_PICTURES", WC_TEST_PICTURES);
#else
  return FromEnvironment("WC_TEST_PICTURES", "");
#endif
}

ProgramRunner::ProgramRunner(std::string folder) : folder_(std::move(folder)) {
  if (!CopyFileA(BuiltProgram().c_str(), File("WallpaperChanger.exe").c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " + BuiltProgram());
  }
}

ProgramRunner::ProgramRunner(std::string folder, AlreadyThere) : folder_(std::move(folder)) {}

ProgramRunner::~ProgramRunner() {
  if (Running()) Kill();
}

void ProgramRunner::Start(const std::string& arguments) {
  // Keeps the desktop's own start out of the program's start-up time, which
  // the tests measure.
  WakeDesktop();
  std::string command = "\"" + File("WallpaperChanger.exe") + "\"";
  if (!arguments.empty()) command += " " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si, &pi)) {
    throw std::runtime_error("cannot start " + command);
  }
  CloseHandle(pi.hThread);
  process_.reset(pi.hProcess);
  pid_ = pi.dwProcessId;
}

bool ProgramRunner::Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool ProgramRunner::WaitForExit(std::chrono::milliseconds limit) {
  return process_ && WaitForSingleObject(process_.get(), DWORD(limit.count())) == WAIT_OBJECT_0;
}

DWORD ProgramRunner::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_.get(), &code);
  return code;
}

void ProgramRunner::Kill() {
  if (process_) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
}

namespace {
struct Search {
  DWORD pid;
  std::vector<HWND> found;
};
BOOL CALLBACK Collect(HWND hwnd, LPARAM l) {
  auto* s = reinterpret_cast<Search*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid == s->pid && std::string(cls) == "WcForm") s->found.push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> ProgramRunner::Windows() const {
  Search s{pid_, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::vector<HWND> ProgramRunner::VisibleWindows() const {
  std::vector<HWND> v;
  for (HWND h : Windows()) {
    if (IsWindowVisible(h)) v.push_back(h);
  }
  return v;
}

HWND ProgramRunner::MainWindow() const {
  for (HWND h : Windows()) {
    if (GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_APPWINDOW) return h;
  }
  return nullptr;
}

bool StartUpSequenceDone(HWND main) {
  if (!main) return false;
  bool done = false;
  EnumChildWindows(
      main,
      [](HWND child, LPARAM param) -> BOOL {
        char cls[16] = {}, text[8] = {};
        GetClassNameA(child, cls, sizeof cls);
        DWORD_PTR got = 0;
        if (lstrcmpiA(cls, "Static") != 0 || IsWindowVisible(child) ||
            !SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &got))
          return TRUE;
        if (std::string(text) != "1") return TRUE;
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&done));
  return done;
}

std::vector<uint32_t> GrabScreen(const RECT& area) {
  int w = area.right - area.left, h = area.bottom - area.top;
  std::vector<uint32_t> out;
  if (w <= 0 || h <= 0) return out;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < size_t(w) * size_t(h); ++i) out.push_back(px[i] & 0xFFFFFF);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out;
}

HWND WakeDesktop() {
  GetDesktopWindow();
  HWND taskbar = nullptr;
  WaitFor([&] { return (taskbar = FindWindowA("Shell_TrayWnd", nullptr)) != nullptr; }, std::chrono::seconds(10));
  return taskbar;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace wc::test
