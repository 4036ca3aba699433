#include "printed_pdf.h"

#include <windows.h>
#include <winspool.h>

#include <chrono>
#include <algorithm>
#include <cstdlib>
#include <thread>

#include "common/bmp.h"

namespace wc::test {

namespace {

std::string UnixToWine(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return "Z:" + path;
}

std::string WineToUnix(std::string path) {
  if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') path = path.substr(2);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

void RunAndWait(std::string command) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
  WaitForSingleObject(pi.hProcess, 60000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

}  // namespace

bool HavePrinter() {
  char name[256];
  DWORD size = sizeof name;
  return GetDefaultPrinterA(name, &size) != FALSE;
}

std::string PdfFolder() {
  // Wine keeps the Unix home as "\??\Z:\home\user" (HOME is not passed on).
  char home[MAX_PATH] = "";
  if (GetEnvironmentVariableA("WINEHOMEDIR", home, sizeof home)) {
    std::string path = home;
    if (path.rfind("\\??\\", 0) == 0) path = path.substr(4);
    return path + "\\PDF";
  }
  if (!GetEnvironmentVariableA("HOME", home, sizeof home)) return {};
  return UnixToWine(std::string(home) + "/PDF");
}

std::set<std::string> PdfFiles() {
  std::set<std::string> files;
  const std::string folder = PdfFolder();
  if (folder.empty()) return files;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*.pdf").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return files;
  do {
    files.insert(folder + "\\" + fd.cFileName);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return files;
}

std::string WaitForNewPdf(const std::set<std::string>& before, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    for (const std::string& f : PdfFiles()) {
      if (before.count(f)) continue;
      // Done when the size holds still for a moment.
      uint64_t size = FileSize(f);
      std::this_thread::sleep_for(std::chrono::milliseconds(400));
      if (size > 0 && size == FileSize(f)) return f;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return {};
}

bool RenderPdfPage(const std::string& pdf, int dpi, PrintedPage& page) {
  const std::string out = "/tmp/wc-printed-" + std::to_string(GetCurrentProcessId()) + "-" +
                          std::to_string(GetTickCount());
  // Wine does not hand on a host program's exit code: the file tells.
  RunAndWait("Z:\\usr\\bin\\pdftoppm -f 1 -l 1 -r " + std::to_string(dpi) + " -singlefile \"" + WineToUnix(pdf) +
             "\" " + out);
  // Wine answers for a host program at once, not when it ends: the picture
  // is done when the file holds every pixel its header promises.
  const std::string ppm = UnixToWine(out + ".ppm");
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  bool done = false;
  while (!done && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::vector<uint8_t> bytes;
    try {
      bytes = ReadFileBytes(ppm);
    } catch (...) {
      continue;
    }
    size_t pos = 0;
    auto token = [&]() {
      while (pos < bytes.size() && isspace(bytes[pos])) ++pos;
      std::string t;
      while (pos < bytes.size() && !isspace(bytes[pos])) t += char(bytes[pos++]);
      return t;
    };
    if (token() != "P6") continue;
    page.width = std::atoi(token().c_str());
    page.height = std::atoi(token().c_str());
    if (token().empty()) continue;
    ++pos;
    const size_t need = size_t(std::max(page.width, 0)) * size_t(std::max(page.height, 0)) * 3;
    if (need == 0 || bytes.size() < pos + need) continue;
    page.rgb.assign(bytes.begin() + long(pos), bytes.begin() + long(pos + need));
    done = true;
  }
  DeleteFileA(ppm.c_str());
  return done;
}

bool ColourNear(Rgb c, int r, int g, int b, int tolerance) {
  return std::abs(c.r - r) < tolerance && std::abs(c.g - g) < tolerance && std::abs(c.b - b) < tolerance;
}

}  // namespace wc::test
