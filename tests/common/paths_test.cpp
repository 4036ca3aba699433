#include "common/paths.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

TEST(PathPartsTest, BackslashAndColonAreDelimiters) {
  EXPECT_EQ(ExtractFileName("C:\\Pictures\\Winter.jpg"), "Winter.jpg");
  EXPECT_EQ(ExtractFilePath("C:\\Pictures\\Winter.jpg"), "C:\\Pictures\\");
  EXPECT_EQ(ExtractFileName("C:photo.bmp"), "photo.bmp");
  EXPECT_EQ(ExtractFilePath("C:photo.bmp"), "C:");
  EXPECT_EQ(ExtractFileName("plain.jpg"), "plain.jpg");
  EXPECT_EQ(ExtractFilePath("plain.jpg"), "");
  EXPECT_EQ(ExtractFileName("D:\\folder\\"), "");
  EXPECT_EQ(ExtractFileName("a/b.jpg"), "a/b.jpg");  // "/" is no delimiter
}

TEST(PathPartsTest, ExtensionOnlyWithinTheFileName) {
  EXPECT_EQ(ExtractFileExt("C:\\Pictures\\Winter.jpg"), ".jpg");
  EXPECT_EQ(ExtractFileExt("a.jpg.b.jpeg"), ".jpeg");
  EXPECT_EQ(ExtractFileExt("C:\\my.dir\\photo"), "");
  EXPECT_EQ(ExtractFileExt("C.x:photo"), "");
  EXPECT_EQ(ExtractFileExt("name."), ".");
  EXPECT_EQ(ExtractFileExt(""), "");
}

TEST(DisplayNameTest, DeletesTheFirstOccurrenceOfTheExtension) {
  EXPECT_EQ(DisplayName("C:\\Pictures\\Winter.jpg"), "Winter");
  EXPECT_EQ(DisplayName("a.jpg.b.jpg"), "a.b.jpg");
  EXPECT_EQ(DisplayName("C:\\my.dir\\photo"), "photo");
  EXPECT_EQ(DisplayName("C:\\readme"), "readme");
  EXPECT_EQ(DisplayName("C:\\x\\.hidden"), "");
  EXPECT_EQ(DisplayName(""), "");
}

TEST(BackslashTest, IncludeExcludeAndJoin) {
  EXPECT_EQ(IncludeTrailingBackslash("C:\\Pictures"), "C:\\Pictures\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\Pictures\\"), "C:\\Pictures\\");
  EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\Pictures\\"), "C:\\Pictures");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\Pictures"), "C:\\Pictures");
  EXPECT_EQ(ExcludeTrailingBackslash(""), "");
  EXPECT_EQ(JoinPath("D:\\", "a.jpg"), "D:\\a.jpg");
  EXPECT_EQ(JoinPath("D:\\Pics", "a.jpg"), "D:\\Pics\\a.jpg");
  EXPECT_EQ(JoinPath("D:\\Pics\\", "\\a.jpg"), "D:\\Pics\\a.jpg");
  EXPECT_EQ(JoinPath("", "a.jpg"), "a.jpg");
}

}  // namespace
}  // namespace wc
