#include "common/text_encoding_win32.h"

#include <windows.h>

#include "common/text_encoding.h"

namespace wc {

unsigned LegacyAnsiCodePage() {
  static const unsigned page = [] {
    DWORD value = 0;
    // The process's own ANSI code page is UTF-8 (the manifest); the
    // system's locale still names the one older versions wrote in.
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&value), sizeof value / sizeof(wchar_t)) &&
        value != 0 && value != CP_UTF8 && IsValidCodePage(value)) {
      return unsigned(value);
    }
    return 1252u;
  }();
  return page;
}

std::string LegacyAnsiToUtf8(std::string_view text) {
  const unsigned page = LegacyAnsiCodePage();
  if (text.empty()) return {};
  if (page == 1252) return Windows1252ToUtf8(text);
  int n = MultiByteToWideChar(page, 0, text.data(), int(text.size()), nullptr, 0);
  if (n <= 0) return Windows1252ToUtf8(text);
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(page, 0, text.data(), int(text.size()), wide.data(), n);
  std::string out;
  out.reserve(wide.size() * 2);
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(wide[++i]) - 0xDC00);
    }
    AppendUtf8(out, c);
  }
  return out;
}

}  // namespace wc
