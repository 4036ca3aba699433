// Language files and the property paths they name, from any bytes: the
// reader never fails, keeps to the system's value size, hands out whole
// UTF-8 characters when the file had them, and finds what it listed.
#include <string>
#include <string_view>

#include "common/text.h"
#include "common/text_encoding.h"
#include "fuzz_input.h"
#include "lang/lang.h"
#include "lang/language_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wc::fuzz::Input in(data, size);
  const std::string_view path = in.Text(in.Byte() % 64);
  const std::string_view bytes = in.RestText();

  const wc::PropertyPath parts = wc::SplitPropertyPath(path);
  FUZZ_CHECK(wc::Trim(parts.property) == parts.property);
  FUZZ_CHECK(parts.property.find('.') == std::string::npos);
  for (const std::string& name : parts.components) {
    FUZZ_CHECK(wc::Trim(name) == name);
    FUZZ_CHECK(name.find('.') == std::string::npos);
  }
  FUZZ_CHECK(parts.components.size() <= path.size());

  const auto file = wc::LanguageFileText::Parse(bytes);
  const bool utf8 = wc::IsValidUtf8(bytes);
  const auto& sections = file.Sections();
  for (size_t s = 0; s < sections.size(); ++s) {
    const auto& section = sections[s];
    FUZZ_CHECK(wc::Trim(section.name) == section.name);
    FUZZ_CHECK(section.name.find_first_of("\r\n") == std::string::npos);
    // Only the first section of a name is ever read.
    bool first = true;
    for (size_t earlier = 0; earlier < s; ++earlier)
      if (wc::EqualsIgnoreCaseAscii(sections[earlier].name, section.name)) first = false;
    if (!first) continue;
    for (const auto& entry : section.entries) {
      FUZZ_CHECK(entry.key.find_first_of("\r\n") == std::string::npos);
      const std::string value = file.Read(section.name, entry.key, "<none>");
      FUZZ_CHECK(value.size() <= wc::kLanguageValueMax);
      if (utf8) FUZZ_CHECK(wc::IsValidUtf8(value));
      FUZZ_CHECK(file.Has(section.name, entry.key));
      // Names match however their letters are written.
      FUZZ_CHECK(file.Read(wc::LowerCaseAscii(section.name), wc::UpperCaseText(entry.key), "<none>") == value);
    }
  }
  const std::string missing = file.Read("Messages", path, path);
  FUZZ_CHECK(missing.size() <= wc::kLanguageValueMax);
  return 0;
}
