#include "common/text.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

TEST(CaseTest, OnlyAsciiLettersChange) {
  const std::string mixed = "a.Jpg z\xE9\xC9@[`{";  // accented bytes and neighbours of the letter ranges
  EXPECT_EQ(UpperCaseText(mixed), "A.JPG Z\xE9\xC9@[`{");
  EXPECT_EQ(LowerCaseAscii(mixed), "a.jpg z\xE9\xC9@[`{");
  EXPECT_TRUE(EqualsIgnoreCaseAscii("MainForm.MainNew", "mainform.MAINNEW"));
  EXPECT_FALSE(EqualsIgnoreCaseAscii("\xE9", "\xC9"));
  EXPECT_FALSE(EqualsIgnoreCaseAscii("abc", "abcd"));
  EXPECT_FALSE(EqualsIgnoreCaseAscii("@", "`"));  // 0x40 and 0x60 differ by the case bit but are not letters
}

TEST(TrimTest, RemovesControlCharactersAndBlanksAtBothEnds) {
  EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("\xA0z\xA0"), "\xA0z\xA0");  // high ANSI bytes are text, not blanks
}

TEST(ParseIntegerTest, Decimal) {
  EXPECT_EQ(ParseIntegerText("0"), 0);
  EXPECT_EQ(ParseIntegerText("42"), 42);
  EXPECT_EQ(ParseIntegerText("+7"), 7);
  EXPECT_EQ(ParseIntegerText("-10"), -10);
  EXPECT_EQ(ParseIntegerText("007"), 7);
  EXPECT_EQ(ParseIntegerText("2147483647"), INT32_MAX);
  EXPECT_EQ(ParseIntegerText("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseIntegerText("2147483648"), std::nullopt);
  EXPECT_EQ(ParseIntegerText("-2147483649"), std::nullopt);
  EXPECT_EQ(ParseIntegerText("99999999999999999999999"), std::nullopt);
}

TEST(ParseIntegerTest, HexadecimalWrapsToThe32BitPattern) {
  EXPECT_EQ(ParseIntegerText("$FF"), 255);
  EXPECT_EQ(ParseIntegerText("0x1f"), 31);
  EXPECT_EQ(ParseIntegerText("0XaB"), 171);
  EXPECT_EQ(ParseIntegerText("-$10"), -16);
  EXPECT_EQ(ParseIntegerText("$7FFFFFFF"), INT32_MAX);
  EXPECT_EQ(ParseIntegerText("$80000000"), INT32_MIN);
  EXPECT_EQ(ParseIntegerText("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseIntegerText("$000000001"), 1);  // leading zeros do not count towards 32 bits
  EXPECT_EQ(ParseIntegerText("$100000000"), std::nullopt);
}

TEST(ParseIntegerTest, RejectsAnythingElse) {
  for (const char* bad : {"", " ", "-", "+", "$", "0x", "-$", "12a", "yes", "1 ", " 1", "1.5", "$G", "0x-1", "--1",
                          "1e3", "x10"}) {
    EXPECT_EQ(ParseIntegerText(bad), std::nullopt) << '"' << bad << '"';
  }
  EXPECT_EQ(ParseIntegerText(std::string_view("1\0" "2", 3)), std::nullopt);
}

TEST(ParseBooleanTest, NonZeroIntegerIsTrue) {
  EXPECT_EQ(ParseBooleanText("1"), true);
  EXPECT_EQ(ParseBooleanText("0"), false);
  EXPECT_EQ(ParseBooleanText("-3"), true);
  EXPECT_EQ(ParseBooleanText("$0"), false);
  EXPECT_EQ(ParseBooleanText("yes"), std::nullopt);
  EXPECT_EQ(ParseBooleanText(""), std::nullopt);
}

TEST(IntToTextTest, PlainDecimal) {
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(-10), "-10");
  EXPECT_EQ(IntToText(INT64_MIN), "-9223372036854775808");
}

using Items = std::vector<std::string>;

TEST(SplitListValueTest, TrimsEachItem) {
  EXPECT_EQ(SplitListValue("seconds, minutes, hours, days", ","), (Items{"seconds", "minutes", "hours", "days"}));
}

TEST(SplitListValueTest, EmptyPiecesKeptExceptAfterTheLastSeparator) {
  EXPECT_EQ(SplitListValue("a,,b,", ","), (Items{"a", "", "b"}));
  EXPECT_EQ(SplitListValue("a,  ", ","), (Items{"a"}));
  EXPECT_EQ(SplitListValue(",", ","), (Items{""}));
  EXPECT_EQ(SplitListValue("", ","), Items{});
  EXPECT_EQ(SplitListValue(" only ", ","), (Items{"only"}));
}

TEST(SplitListValueTest, MultiCharacterAndEmptySeparators) {
  EXPECT_EQ(SplitListValue("a||b|c", "||"), (Items{"a", "b|c"}));
  EXPECT_EQ(SplitListValue(" a,b ", ""), (Items{"a,b"}));
  EXPECT_EQ(SplitListValue("", ""), (Items{""}));
}

}  // namespace
}  // namespace wc
