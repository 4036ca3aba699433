#include "app/running_copy.h"

#include <vector>

#include "ui/handle.h"
#include "ui/wide_text.h"

namespace wc {

namespace {

std::wstring ProgramFileOf(DWORD process) {
  ui::KernelHandle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
  if (!handle) return {};
  std::vector<wchar_t> path(32768);
  DWORD size = DWORD(path.size());
  if (!QueryFullProcessImageNameW(handle.get(), 0, path.data(), &size)) return {};
  return std::wstring(path.data(), size);
}

struct Search {
  std::wstring ownFile;
  HWND found = nullptr;
};

BOOL CALLBACK LookAt(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  wchar_t className[32] = {};
  if (!GetClassNameW(window, className, 32) || wcscmp(className, L"WcApplication") != 0) return TRUE;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) return TRUE;
  const std::wstring file = ProgramFileOf(process);
  if (file.empty() || CompareStringOrdinal(file.c_str(), int(file.size()), search.ownFile.c_str(),
                                           int(search.ownFile.size()), TRUE) != CSTR_EQUAL) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

}  // namespace

HWND FindRunningCopy() {
  Search search;
  search.ownFile = ProgramFileOf(GetCurrentProcessId());
  if (search.ownFile.empty()) return nullptr;
  EnumWindows(LookAt, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool HandToRunningCopy(HWND copy, const RemoteCommand& command) {
  const std::string bytes = EncodeRemoteCommand(command);
  COPYDATASTRUCT data{};
  data.dwData = kRemoteCommandMarker;
  data.cbData = DWORD(bytes.size());
  data.lpData = const_cast<char*>(bytes.data());
  DWORD_PTR result = 0;
  // A copy busy with a long change still answers; a hung one does not
  // keep the script waiting for ever.
  if (!SendMessageTimeoutW(copy, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 60000, &result)) {
    return false;
  }
  return result == 1;
}

void SayOnConsole(const std::string& text) {
  const std::string line = text + "\r\n";
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD written = 0;
  // Output redirected to a file or a pipe takes the UTF-8 bytes.
  if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_CHAR && GetFileType(out) != FILE_TYPE_UNKNOWN) {
    WriteFile(out, line.data(), DWORD(line.size()), &written, nullptr);
    return;
  }
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  ui::FileHandle console(CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (console) {
    const std::wstring wide = ui::Widen(line);
    WriteConsoleW(console.get(), wide.data(), DWORD(wide.size()), &written, nullptr);
  }
  FreeConsole();
}

}  // namespace wc
