// Stored lines of older versions: what is taken as UTF-8, and what is
// converted from the legacy code page.
#include "common/text_encoding.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

TEST(TextEncodingTest, OnlyWellFormedUtf8IsTakenAsIt) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("C:\\Images\\plain.jpg"));
  EXPECT_TRUE(IsValidUtf8("\xC3\xA9t\xC3\xA9_\xE6\x97\xA5\xE6\x9C\xAC.jpg"));  // été_日本.jpg
  EXPECT_TRUE(IsValidUtf8("\xCE\xA9mega.bmp"));                                // Ωmega.bmp
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x8C\x84"));                                // U+1F304, four bytes
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));                                // U+10FFFF, the last

  EXPECT_FALSE(IsValidUtf8("caf\xE9.jpg"));         // Windows-1252 é
  EXPECT_FALSE(IsValidUtf8("\xC3"));                // cut short at the end
  EXPECT_FALSE(IsValidUtf8("\xE6\x97"));            // cut short, three-byte form
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));            // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));        // overlong, three bytes
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));        // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));    // beyond U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\x80"));                // a lone continuation byte
  EXPECT_FALSE(IsValidUtf8("\xFF\xFE"));            // no UTF-8 byte at all
  EXPECT_FALSE(IsValidUtf8("a\xC3(b"));             // lead byte without its continuation
}

TEST(TextEncodingTest, Windows1252BecomesTheSameCharactersInUtf8) {
  EXPECT_EQ(Windows1252ToUtf8("caf\xE9.jpg"), "caf\xC3\xA9.jpg");
  EXPECT_EQ(Windows1252ToUtf8("plain"), "plain");
  // The upper half's own characters: euro, quotes, dashes, ...
  EXPECT_EQ(Windows1252ToUtf8("\x80\x96\x99\x9F"), "\xE2\x82\xAC\xE2\x80\x93\xE2\x84\xA2\xC5\xB8");
  // Latin-1 part and the last byte.
  EXPECT_EQ(Windows1252ToUtf8("\xA0\xC6\xFF"), "\xC2\xA0\xC3\x86\xC3\xBF");
  // Bytes the code page leaves unassigned come out as the replacement character.
  EXPECT_EQ(Windows1252ToUtf8("\x81\x8D"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  // Whatever comes out is valid UTF-8, so a line is converted once only.
  std::string every;
  for (int b = 1; b < 256; ++b) every += char(b);
  EXPECT_TRUE(IsValidUtf8(Windows1252ToUtf8(every)));
}

TEST(TextEncodingTest, CodePointsOutsideUnicodeBecomeTheReplacementCharacter) {
  std::string out;
  AppendUtf8(out, 0x10FFFF);
  AppendUtf8(out, 0xD800);
  AppendUtf8(out, 0x110000);
  EXPECT_EQ(out, "\xF4\x8F\xBF\xBF\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace wc
