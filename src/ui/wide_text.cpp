#include "ui/wide_text.h"

#include <windows.h>

namespace ui {

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring w(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), w.data(), n);
  return w;
}

std::string Narrow(const std::wstring& utf16) {
  if (utf16.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace ui
