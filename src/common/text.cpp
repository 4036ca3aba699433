#include "common/text.h"

namespace wc {

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Bytes are compared as unsigned so that ANSI characters above 127 count as
// printable, as they do in the program's code page.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string UpperCaseText(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperAscii(c);
  return out;
}

std::string LowerCaseAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

std::string Trim(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

std::optional<int32_t> ParseIntegerText(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    i += 1;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;  // no digits at all

  uint64_t value = 0;
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  for (; i < text.size(); ++i) {
    const int digit = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  // Two's-complement wrap in unsigned arithmetic: hexadecimal values are bit
  // patterns, and "-2147483648" lands exactly on INT32_MIN.
  uint32_t bits = static_cast<uint32_t>(value);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

std::optional<bool> ParseBooleanText(std::string_view text) {
  const auto value = ParseIntegerText(text);
  if (!value) return std::nullopt;
  return *value != 0;
}

std::string IntToText(int64_t value) { return std::to_string(value); }

std::vector<std::string> SplitListValue(std::string_view text, std::string_view separator) {
  std::vector<std::string> items;
  if (separator.empty()) {
    items.push_back(Trim(text));
    return items;
  }
  size_t start = 0;
  for (size_t pos = text.find(separator); pos != std::string_view::npos;
       pos = text.find(separator, start)) {
    items.push_back(Trim(text.substr(start, pos - start)));
    start = pos + separator.size();
  }
  std::string tail = Trim(text.substr(start));
  if (!tail.empty()) items.push_back(std::move(tail));
  return items;
}

}  // namespace wc
