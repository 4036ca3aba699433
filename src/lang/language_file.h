#pragma once
// A language file: a Windows INI file of UTF-8 text, read once into memory.
//
// The reading follows the system's private-profile rules, so a file behaves
// as the INI functions would read it: section and key names match without
// regard to the case of A-Z and without their surrounding blanks, the first
// section and the first key of a name win, a value loses its surrounding
// blanks and one pair of enclosing quotes, and a value is cut to 2047 bytes
// (the system's 2048-byte buffer). Beyond those rules:
// - a UTF-8 byte-order mark, as editors save one, is passed over (the system
//   would glue it to the first section's name, and that section would be
//   lost);
// - a file saved as UTF-16 (with its byte-order mark) is read as well;
// - a cut value never ends in half a character;
// - a line that is not valid UTF-8 was saved in the legacy code page, as
//   editors did for years, and goes through `legacyToUtf8` (Windows-1252
//   unless the caller knows the system's own).
// A file that is missing or cannot be read reads as an empty one.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

// The system's buffer holds 2048 bytes including the ending zero.
constexpr size_t kLanguageValueMax = 2047;

class LanguageFileText {
 public:
  LanguageFileText() = default;
  // The file's bytes as they are on disk.
  using LegacyDecoder = std::string (*)(std::string_view);
  static LanguageFileText Parse(std::string_view bytes, LegacyDecoder legacyToUtf8 = nullptr);
  // Reads the file; missing or unreadable gives an empty text.
  static LanguageFileText Load(const std::string& path, LegacyDecoder legacyToUtf8 = nullptr);

  // The value of key in section, or `fallback` when either is missing.
  std::string Read(std::string_view section, std::string_view key, std::string_view fallback) const;
  bool Has(std::string_view section, std::string_view key) const;

  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  // Sections in file order, duplicates included (the first one is read).
  const std::vector<Section>& Sections() const { return sections_; }

 private:
  const Entry* Find(std::string_view section, std::string_view key) const;
  std::vector<Section> sections_;
};

// The first `max` bytes of UTF-8 text, shortened further to the last whole
// character.
std::string CutUtf8(std::string_view text, size_t max);

}  // namespace wc
