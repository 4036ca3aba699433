// The Windows half of the package test (setup_test.sh drives it under Wine in
// a prefix of its own): looks at what the setup made and runs the program as
// a user would.
//   package_probe shortcut <file.lnk>   prints the shortcut's target and folder
//   package_probe start <exe>           starts it in its folder, waits for its
//                                       tray icon and the end of its start-up,
//                                       leaves it running
//   package_probe running <exe>         exit code 0 when a process runs it
//   package_probe close <exe>           asks it to close as its "Exit" does and
//                                       waits for it to end
//   package_probe answer <text>         waits for a message box saying <text>
//                                       (a part of what it says), prints what
//                                       it says and presses its OK
// Exit codes: 0 done, 1 not so (with a message), 2 bad use.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "program_runner.h"

namespace {

using namespace std::chrono_literals;
using wc::test::StartUpSequenceDone;
using wc::test::WaitFor;

std::string ImageOf(DWORD pid) {
  HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!p) return {};
  char path[MAX_PATH * 2] = {};
  DWORD size = sizeof path;
  std::string out;
  if (QueryFullProcessImageNameA(p, 0, path, &size)) out = path;
  CloseHandle(p);
  return out;
}

std::vector<DWORD> ProcessesOf(const std::string& exe) {
  std::vector<DWORD> found;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32 e{};
  e.dwSize = sizeof e;
  for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e)) {
    if (lstrcmpiA(ImageOf(e.th32ProcessID).c_str(), exe.c_str()) == 0) found.push_back(e.th32ProcessID);
  }
  CloseHandle(snap);
  return found;
}

// The program's control panel: its form with a taskbar button.
HWND PanelOf(DWORD pid) {
  struct S {
    DWORD pid;
    HWND found;
  } s{pid, nullptr};
  EnumWindows(
      [](HWND h, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<S*>(l);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        char cls[32] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (owner != s->pid || std::string(cls) != "WcForm" || !(GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_APPWINDOW))
          return TRUE;
        s->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

int Shortcut(const std::string& lnk) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    std::printf("no shell link object\n");
    return 1;
  }
  IPersistFile* file = nullptr;
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  std::wstring wide(lnk.begin(), lnk.end());
  if (!file || FAILED(file->Load(wide.c_str(), STGM_READ))) {
    std::printf("cannot read %s\n", lnk.c_str());
    return 1;
  }
  char target[MAX_PATH] = {}, folder[MAX_PATH] = {};
  link->GetPath(target, MAX_PATH, nullptr, 0);
  link->GetWorkingDirectory(folder, MAX_PATH);
  std::printf("%s\n%s\n", target, folder);
  file->Release();
  link->Release();
  return target[0] ? 0 : 1;
}

int Start(const std::string& exe) {
  // The desktop's taskbar holds the notification area; Wine shows it while
  // some program has an icon there, and nothing else in this prefix has one.
  GetDesktopWindow();
  HWND taskbar = nullptr;
  if (!WaitFor([&] { return (taskbar = FindWindowA("Shell_TrayWnd", nullptr)) != nullptr; }, 20s)) {
    std::printf("no taskbar: the prefix has no virtual desktop\n");
    return 1;
  }
  if (IsWindowVisible(taskbar)) {
    std::printf("the taskbar shows before the program runs: another program has an icon\n");
    return 1;
  }
  std::string folder = exe.substr(0, exe.find_last_of('\\'));
  std::string command = "\"" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
    std::printf("cannot start %s (%lu)\n", exe.c_str(), GetLastError());
    return 1;
  }
  CloseHandle(pi.hThread);
  bool shown = WaitFor(
      [&] {
        return (IsWindowVisible(taskbar) && StartUpSequenceDone(PanelOf(pi.dwProcessId))) ||
               WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
      },
      60s);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  if (code != STILL_ACTIVE) {
    std::printf("the program ended at start with code %lu\n", code);
    return 1;
  }
  if (!shown) {
    std::printf("no tray icon, or the start-up did not end, within 60 s\n");
    return 1;
  }
  std::printf("tray icon shown\n");
  return 0;
}

int Close(const std::string& exe) {
  std::vector<DWORD> pids = ProcessesOf(exe);
  if (pids.empty()) {
    std::printf("%s is not running\n", exe.c_str());
    return 1;
  }
  for (DWORD pid : pids) {
    HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!p) continue;
    // A shown panel goes to the tray on the first close: asked again until it ends.
    bool ended = WaitFor(
        [&] {
          if (HWND panel = PanelOf(pid)) PostMessageA(panel, WM_CLOSE, 0, 0);
          return WaitForSingleObject(p, 500) == WAIT_OBJECT_0;
        },
        60s);
    CloseHandle(p);
    if (!ended) {
      std::printf("%s did not end when asked to close\n", exe.c_str());
      return 1;
    }
  }
  return 0;
}

// A message box's text is the static control with id 0xFFFF.
int Answer(const std::string& part) {
  struct S {
    const std::string& part;
    HWND box;
    std::string text;
  } s{part, nullptr, {}};
  const bool shown = WaitFor(
      [&] {
        EnumWindows(
            [](HWND h, LPARAM l) -> BOOL {
              auto* s = reinterpret_cast<S*>(l);
              char cls[16] = {}, text[1024] = {};
              GetClassNameA(h, cls, sizeof cls);
              if (std::string(cls) != "#32770" || !IsWindowVisible(h)) return TRUE;
              GetDlgItemTextA(h, 0xFFFF, text, sizeof text);
              if (std::string(text).find(s->part) == std::string::npos) return TRUE;
              s->box = h;
              s->text = text;
              return FALSE;
            },
            reinterpret_cast<LPARAM>(&s));
        return s.box != nullptr;
      },
      30s);
  if (!shown) {
    std::printf("no message box saying \"%s\" within 30 s\n", part.c_str());
    return 1;
  }
  std::printf("%s\n", s.text.c_str());
  PostMessageA(s.box, WM_COMMAND, IDOK, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string what = argc == 3 ? argv[1] : "";
  if (what == "shortcut") return Shortcut(argv[2]);
  if (what == "start") return Start(argv[2]);
  if (what == "running") return ProcessesOf(argv[2]).empty() ? 1 : 0;
  if (what == "close") return Close(argv[2]);
  if (what == "answer") return Answer(argv[2]);
  std::fprintf(stderr, "usage: package_probe shortcut|start|running|close <path> | answer <text>\n");
  return 2;
}
