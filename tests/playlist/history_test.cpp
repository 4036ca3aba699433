#include "playlist/history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wc {
namespace {

using Paths = std::vector<std::string>;

TEST(History, NewestFirstEachOnceAndAHundredAtMost) {
  Paths history;
  for (const char* p : {"C:\\a.jpg", "C:\\b.jpg", "C:\\A.JPG"}) RememberInHistory(history, p);
  EXPECT_EQ(history, (Paths{"C:\\A.JPG", "C:\\b.jpg"}));
  for (int i = 0; i < 150; ++i) RememberInHistory(history, "C:\\p" + std::to_string(i) + ".jpg");
  ASSERT_EQ(history.size(), kHistoryLength);
  EXPECT_EQ(history.front(), "C:\\p149.jpg");
  EXPECT_EQ(history.back(), "C:\\p50.jpg");
}

// A damaged history.txt reads as the paths it still holds: binary bytes,
// lines no path can be, over-long lines and a file far too long.
TEST(History, ADamagedFileReadsAsWhatItStillHolds) {
  std::string text = "C:\\good one.jpg\r\n";
  text += std::string("\x00\x01\xFF\xFE garbage", 12) + "\r\n";
  text += "\\\\server\\share\\pic.png\n";
  text += "relative\\pic.jpg\r\n";
  text += "C:\\bad\xC3(utf8).jpg\r\n";
  text += "C:\\" + std::string(200000, 'x') + ".jpg\r\n";
  text += "C:\\GOOD ONE.jpg\r\n";
  text += "\r\n\r\nD:\\\xE6\x97\xA5.jpg";
  EXPECT_EQ(ParseHistory(text), (Paths{"C:\\good one.jpg", "\\\\server\\share\\pic.png", "D:\\\xE6\x97\xA5.jpg"}));

  std::string huge;
  for (int i = 0; i < 100000; ++i) huge += "C:\\p" + std::to_string(i) + ".jpg\r\n";
  const Paths read = ParseHistory(huge);
  ASSERT_EQ(read.size(), kHistoryLength);
  EXPECT_EQ(read.front(), "C:\\p0.jpg");
  EXPECT_TRUE(ParseHistory("").empty());
}

}  // namespace
}  // namespace wc
