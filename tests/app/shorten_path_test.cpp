#include "app/shorten_path.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

// A path of exactly `length` characters ending in tail.
std::string PathOfLength(size_t length, const std::string& tail) {
  std::string head = "C:\\";
  while (head.size() + tail.size() < length) head += 'd';
  return head + tail;
}

TEST(ShortenPathTest, UpToFiftyCharactersUnchanged) {
  const std::string fifty = PathOfLength(50, "\\Winter.jpg");
  ASSERT_EQ(fifty.size(), 50u);
  EXPECT_EQ(ShortenPath(fifty), fifty);
  EXPECT_EQ(ShortenPath(""), "");
}

TEST(ShortenPathTest, LongerKeepsTheBeginningAndTheFileName) {
  const std::string fiftyOne = PathOfLength(51, "\\Winter.jpg");
  EXPECT_EQ(ShortenPath(fiftyOne), fiftyOne.substr(0, 34) + "...\\Winter.jpg");

  const std::string sixty = PathOfLength(60, "\\Winter.jpg");
  const std::string shortened = ShortenPath(sixty);
  EXPECT_EQ(shortened, sixty.substr(0, 34) + "...\\Winter.jpg");
  EXPECT_EQ(shortened.size(), 48u);

  const std::string eighty = PathOfLength(80, "\\a.bmp");
  EXPECT_EQ(ShortenPath(eighty), eighty.substr(0, 39) + "...\\a.bmp");
}

TEST(ShortenPathTest, LongNamesAndOtherDelimiters) {
  const std::string name(44, 'n');  // tail of 45 leaves no room for a beginning
  EXPECT_EQ(ShortenPath("C:\\folder\\" + name), "...\\" + name);
  const std::string longer(70, 'x');
  EXPECT_EQ(ShortenPath("C:\\" + longer), "...\\" + longer);
  // The name follows a drive colon; the shortened form still uses "\".
  const std::string drive = "C:" + std::string(60, 'p');
  EXPECT_EQ(ShortenPath(drive), "...\\" + std::string(60, 'p'));
  // A folder path ending in "\" keeps just the separator as its tail.
  const std::string folder = PathOfLength(55, "\\");
  EXPECT_EQ(ShortenPath(folder), folder.substr(0, 44) + "...\\");
}

}  // namespace
}  // namespace wc
