#include "common/text_encoding.h"

#include <cstdint>

namespace wc {

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    const auto b = uint8_t(text[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    int more = 0;
    char32_t c = 0;
    char32_t least = 0;
    if ((b & 0xE0) == 0xC0) {
      more = 1, c = b & 0x1F, least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      more = 2, c = b & 0x0F, least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      more = 3, c = b & 0x07, least = 0x10000;
    } else {
      return false;
    }
    if (n - i <= size_t(more)) return false;
    for (int k = 1; k <= more; ++k) {
      const auto t = uint8_t(text[i + size_t(k)]);
      if ((t & 0xC0) != 0x80) return false;
      c = (c << 6) | (t & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += size_t(more) + 1;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

std::string Windows1252ToUtf8(std::string_view text) {
  // 0x80 ... 0x9F; the rest of the upper half is Latin-1.
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (char ch : text) {
    const auto b = uint8_t(ch);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? char32_t(kHigh[b - 0x80]) : char32_t(b));
  }
  return out;
}

}  // namespace wc
