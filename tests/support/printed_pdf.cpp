#include "printed_pdf.h"

#include <windows.h>
#include <winspool.h>

#include <chrono>
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

bool RunAndWait(std::string command) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code == 0;
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
  if (!RunAndWait("Z:\\usr\\bin\\pdftoppm -f 1 -l 1 -r " + std::to_string(dpi) + " -ppm -singlefile \"" +
                  WineToUnix(pdf) + "\" " + out)) {
    return false;
  }
  const std::string ppm = UnixToWine(out + ".ppm");
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadFileBytes(ppm);
  } catch (...) {
    return false;
  }
  DeleteFileA(ppm.c_str());
  size_t pos = 0;
  auto token = [&]() {
    while (pos < bytes.size() && isspace(bytes[pos])) ++pos;
    std::string t;
    while (pos < bytes.size() && !isspace(bytes[pos])) t += char(bytes[pos++]);
    return t;
  };
  if (token() != "P6") return false;
  page.width = std::atoi(token().c_str());
  page.height = std::atoi(token().c_str());
  token();
  ++pos;
  if (page.width <= 0 || page.height <= 0 || bytes.size() < pos + size_t(page.width) * size_t(page.height) * 3) {
    return false;
  }
  page.rgb.assign(bytes.begin() + long(pos), bytes.begin() + long(pos + size_t(page.width) * page.height * 3));
  return true;
}

bool ColourNear(Rgb c, int r, int g, int b, int tolerance) {
  return std::abs(c.r - r) < tolerance && std::abs(c.g - g) < tolerance && std::abs(c.b - b) < tolerance;
}

}  // namespace wc::test
