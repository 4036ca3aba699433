#include "app/older_windows.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "lang/language_file.h"
#include "lang/program_texts.h"

#ifndef WC_LANG_FILES_DIR
#error "WC_LANG_FILES_DIR names the folder holding the .lng files"
#endif

namespace wc {
namespace {

std::string ShippedFile(const std::string& language) {
  std::ifstream in(std::string(WC_LANG_FILES_DIR) + "/" + language + ".lng", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// With the UTF-8 code page the program starts; with any other it is refused
// in the language the settings chose, written the way that language runs,
// and in English when that file cannot be read or lacks the text.
TEST(OlderWindowsTest, RefusesEveryCodePageButUtf8InTheChosenLanguage) {
  const std::string french = ShippedFile("French");
  ASSERT_FALSE(french.empty());
  EXPECT_FALSE(RefusalForCodePage(kUtf8CodePage, french));

  for (unsigned codePage : {1252u, 1256u, 932u}) {
    const auto refusal = RefusalForCodePage(codePage, french);
    ASSERT_TRUE(refusal) << codePage;
    EXPECT_EQ(refusal->text, LanguageFileText::Parse(french).Read("Messages", texts::kNeedsNewerWindows.id, ""));
    EXPECT_NE(refusal->text, texts::kNeedsNewerWindows.english);
    EXPECT_FALSE(refusal->rightToLeft);
  }

  const auto arabic = RefusalForCodePage(1256, ShippedFile("Arabic"));
  ASSERT_TRUE(arabic);
  EXPECT_NE(arabic->text, texts::kNeedsNewerWindows.english);
  EXPECT_NE(arabic->text.find("1903"), std::string::npos);
  EXPECT_TRUE(arabic->rightToLeft);

  for (const char* unusable : {"", "[Messages]\r\nMessage200=Fichier absent\r\n", "\xFF\xFE\x00"}) {
    const auto refusal = RefusalForCodePage(1252, unusable);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, texts::kNeedsNewerWindows.english);
  }
}

}  // namespace
}  // namespace wc
