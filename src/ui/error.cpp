#include "ui/error.h"

#include "ui/application.h"

namespace ui {

std::string SystemErrorText(DWORD code) {
  char* buffer = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n && buffer ? std::string(buffer, n) : "System error " + std::to_string(code);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

void ThrowLastError(const std::string& what) {
  DWORD code = GetLastError();
  throw Error(what + ": " + SystemErrorText(code));
}

void ShowCurrentException() noexcept {
  std::string text;
  try {
    throw;
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text = "Unknown error";
  }
  try {
    if (Application* app = Application::Current()) {
      app->ShowError(text);
    } else {
      MessageBoxA(nullptr, text.c_str(), "Error", MB_OK | MB_ICONERROR);
    }
  } catch (...) {
    // Nothing sensible is left to do when even the box fails.
  }
}

}  // namespace ui
