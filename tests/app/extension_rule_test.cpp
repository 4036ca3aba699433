#include "app/extension_rule.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

TEST(ExtensionRuleTest, LowerCaseLettersAreRaisedAndTheRestMatchesExactly) {
  const std::vector<std::string> table = {".JPG", ".BMP"};
  EXPECT_TRUE(ExtensionAccepted(".jpg", table));
  EXPECT_TRUE(ExtensionAccepted(".JpG", table));
  EXPECT_TRUE(ExtensionAccepted(".bmp", table));
  EXPECT_FALSE(ExtensionAccepted(".jpeg", table));
  EXPECT_FALSE(ExtensionAccepted(".jp", table));
  EXPECT_FALSE(ExtensionAccepted("jpg", table));    // the dot is part of it
  EXPECT_FALSE(ExtensionAccepted(".jpg ", table));  // no trimming
  EXPECT_FALSE(ExtensionAccepted("", table));
  // Only a..z change case: an accented letter stays as it is.
  EXPECT_TRUE(ExtensionAccepted(".\xe9t\xe9", {".\xe9T\xe9"}));
  EXPECT_FALSE(ExtensionAccepted(".\xe9t\xe9", {".\xc9T\xc9"}));
}

TEST(ExtensionRuleTest, NoEntriesTakeNothingAndAnEmptyEntryTakesNamesWithoutExtension) {
  EXPECT_FALSE(ExtensionAccepted(".JPG", {}));
  EXPECT_FALSE(ExtensionAccepted("", {}));
  EXPECT_TRUE(ExtensionAccepted("", {".JPG", ""}));
  EXPECT_FALSE(ExtensionAccepted(".gif", {".JPG", ""}));
}

TEST(ExtensionRuleTest, TheEntriesInUseAreTheFirstAndNeverPassTheTable) {
  ExtensionList table{};
  for (size_t i = 0; i < table.size(); ++i) table[i] = "." + std::to_string(i + 1);
  EXPECT_TRUE(ExtensionEntries(table, 0).empty());
  EXPECT_EQ(ExtensionEntries(table, 2), (std::vector<std::string>{".1", ".2"}));
  // The count is a byte: a value beyond the 30 entries takes the 30.
  const std::vector<std::string> all = ExtensionEntries(table, 255);
  ASSERT_EQ(all.size(), kExtensionTableSize);
  EXPECT_EQ(all.front(), ".1");
  EXPECT_EQ(all.back(), ".30");
}

}  // namespace
}  // namespace wc
