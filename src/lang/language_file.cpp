#include "lang/language_file.h"

#include <cstdio>
#include <memory>

#include "common/file_write.h"
#include "common/text.h"
#include "common/text_encoding.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace wc {

namespace {

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
  };
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, c);  // a lone surrogate becomes U+FFFD
  }
  return out;
}

// The text as UTF-8 without any byte-order mark.
std::string DecodedText(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") return Utf16ToUtf8(bytes.substr(2), false);
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF") return Utf16ToUtf8(bytes.substr(2), true);
  return std::string(bytes);
}

std::string Unquoted(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

#ifdef _WIN32
std::string ReadAll(const std::string& path) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}
#else
std::string ReadAll(const std::string& path) {
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return {};
  std::string bytes;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  return bytes;
}
#endif

}  // namespace

std::string CutUtf8(std::string_view text, size_t max) {
  if (text.size() <= max) return std::string(text);
  size_t end = max;
  // Back over continuation bytes to the start of the character cut through.
  size_t start = end;
  while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80 && end - start < 4) --start;
  if (start < end && (static_cast<unsigned char>(text[start]) & 0xC0) == 0xC0) end = start;
  return std::string(text.substr(0, end));
}

LanguageFileText LanguageFileText::Parse(std::string_view bytes, LegacyDecoder legacyToUtf8) {
  LanguageFileText result;
  const std::string text = DecodedText(bytes);
  if (!legacyToUtf8) legacyToUtf8 = &Windows1252ToUtf8;
  // Keys before any section header belong to a section without a name.
  Section* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string_view raw = std::string_view(text).substr(pos, end - pos);
    const std::string line = Trim(IsValidUtf8(raw) ? std::string(raw) : legacyToUtf8(raw));
    pos = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const size_t close = line.rfind(']');
      const std::string_view name =
          close == std::string::npos ? std::string_view(line).substr(1) : std::string_view(line).substr(1, close - 1);
      result.sections_.push_back({Trim(name), {}});
      current = &result.sections_.back();
      continue;
    }
    if (!current) {
      result.sections_.push_back({"", {}});
      current = &result.sections_.back();
    }
    const size_t eq = line.find('=');
    if (eq == std::string::npos) {
      current->entries.push_back({line, ""});
    } else {
      current->entries.push_back(
          {Trim(std::string_view(line).substr(0, eq)), Unquoted(Trim(std::string_view(line).substr(eq + 1)))});
    }
  }
  return result;
}

LanguageFileText LanguageFileText::Load(const std::string& path, LegacyDecoder legacyToUtf8) {
  if (path.empty()) return {};
  return Parse(ReadAll(path), legacyToUtf8);
}

const LanguageFileText::Entry* LanguageFileText::Find(std::string_view section, std::string_view key) const {
  const std::string s = Trim(section);
  const std::string k = Trim(key);
  for (const Section& sec : sections_) {
    if (!EqualsIgnoreCaseAscii(sec.name, s)) continue;
    for (const Entry& e : sec.entries)
      if (EqualsIgnoreCaseAscii(e.key, k)) return &e;
    return nullptr;  // the first section of that name is the one read
  }
  return nullptr;
}

std::string LanguageFileText::Read(std::string_view section, std::string_view key, std::string_view fallback) const {
  const Entry* e = Find(section, key);
  return CutUtf8(e ? std::string_view(e->value) : fallback, kLanguageValueMax);
}

bool LanguageFileText::Has(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

}  // namespace wc
