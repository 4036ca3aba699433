// The language files installed beside the program: each one translates
// every line of the control panel's list and every message the program looks
// up, in the form the program reads, in the letters of its language.
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>

#include "common/text.h"
#include "common/text_encoding.h"
#include "lang/language_file.h"
#include "lang/translation_list.h"
#include "program_files.h"

namespace wc {
namespace {

struct Shipped {
  const char* name;
  // A few letters the language cannot do without (UTF-8); none for English.
  std::vector<std::string> letters;
};

const Shipped kShipped[] = {
    {"English", {}},
    {"French", {"\xC3\xA9", "\xC3\xA8"}},                       // é è
    {"Spanish", {"\xC3\xB1", "\xC3\xA1"}},                      // ñ á
    {"Romanian", {"\xC8\x99", "\xC8\x9B", "\xC4\x83"}},         // ș ț ă (comma below)
    {"Arabic", {"\xD8\xA7", "\xD9\x84", "\xD8\xB1"}},           // ا ل ر
};

void PrintTo(const Shipped& lang, std::ostream* out) { *out << lang.name; }

std::string ProgramFolder() { return WC_PROGRAM_FOLDER; }

class ShippedLanguageFile : public ::testing::TestWithParam<Shipped> {};

TEST_P(ShippedLanguageFile, TranslatesEveryLineAndEveryMessage) {
  const Shipped& lang = GetParam();
  const std::string path = ProgramFolder() + lang.name + ".lng";
  ASSERT_TRUE(test::Exists(path)) << path;
  const std::string bytes = test::ReadTextFile(path);
  EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
  EXPECT_TRUE(IsValidUtf8(bytes)) << "UTF-8";
  const auto file = LanguageFileText::Parse(bytes);

  // Nothing the program reads is longer than the system's buffer, and no key
  // is given twice (the second would never be read).
  for (const auto& section : file.Sections()) {
    std::map<std::string, int> seen;
    for (const auto& entry : section.entries) {
      EXPECT_LE(entry.value.size(), kLanguageValueMax) << section.name << "/" << entry.key;
      EXPECT_EQ(++seen[LowerCaseAscii(entry.key)], 1) << "twice: " << section.name << "/" << entry.key;
    }
  }

  for (std::string_view line : TranslationList()) {
    const std::string value = file.Read("Translations", line, "");
    EXPECT_FALSE(Trim(value).empty()) << line;
    if (line.ends_with(".Items")) {
      const auto items = SplitListValue(value, ",");
      EXPECT_EQ(items.size(), 4u) << line << " = " << value;
      for (const auto& item : items) EXPECT_FALSE(item.empty()) << line << " = " << value;
    }
  }
  auto message = [&](std::string_view id) {
    EXPECT_TRUE(file.Has("Messages", id)) << id;
    EXPECT_FALSE(Trim(file.Read("Messages", id, "")).empty()) << id;
  };
  for (const HintMessage& row : HintMessages()) message(row.id);
  message(kWallpaperClearedMessage);

  for (const std::string& letter : lang.letters) EXPECT_NE(bytes.find(letter), std::string::npos) << letter;
  if (std::string(lang.name) == "Romanian") {
    // The comma-below letters, not the cedilla look-alikes (ş ţ).
    EXPECT_EQ(bytes.find("\xC5\x9F"), std::string::npos);
    EXPECT_EQ(bytes.find("\xC5\xA3"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguageFile, ::testing::ValuesIn(kShipped),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wc
