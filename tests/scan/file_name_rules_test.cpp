// Names a rename refuses before touching the file.
#include "scan/file_name_rules.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

TEST(FileNameRulesTest, SeparatorsForbiddenCharactersAndDeviceNamesAreRefused) {
  for (const char* bad : {"..\\x.jpg", "a/b.jpg", "sub\\a.jpg", "a:b.jpg", "a*.jpg", "a?.jpg", "a\".jpg", "a<.jpg",
                          "a>.jpg", "a|.jpg", "CON.jpg", "con", "Nul.txt", "aux .jpg", "COM1.jpg", "lpt9.bmp", "PRN",
                          "..", ".", "tab\t.jpg", "trailing.", "trailing "}) {
    EXPECT_TRUE(FileNameProblem(bad).has_value()) << bad;
  }
  for (const char* good : {"b.jpg", "a.jpg.jpg", "CONSOLE.jpg", "COM10.jpg", "com.jpg", "LPT.jpg", "\xc3\xa9t\xc3\xa9.jpg",
                           ".hidden", "a b.jpg", "b"}) {
    EXPECT_FALSE(FileNameProblem(good).has_value()) << good;
  }
  EXPECT_NE(FileNameProblem("..\\x.jpg")->find("another folder"), std::string::npos);
  EXPECT_NE(FileNameProblem("CON.jpg")->find("device"), std::string::npos);
}

}  // namespace
}  // namespace wc
