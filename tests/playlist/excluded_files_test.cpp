#include "playlist/excluded_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wc {
namespace {

using Paths = std::vector<std::string>;

TEST(ExcludedFiles, HeldOnceWithoutRegardToCaseAndShownAgainByAnySpelling) {
  ExcludedFiles excluded;
  EXPECT_FALSE(excluded.Contains("C:\\a.jpg"));
  EXPECT_TRUE(excluded.Add("C:\\Pictures\\a.jpg"));
  EXPECT_FALSE(excluded.Add("c:\\PICTURES\\A.JPG"));
  EXPECT_TRUE(excluded.Add("C:\\b.jpg"));
  EXPECT_TRUE(excluded.Add("C:\\c.jpg"));
  EXPECT_TRUE(excluded.Contains("C:\\PICTURES\\a.JPG"));
  EXPECT_EQ(excluded.Remove({"C:\\B.JPG", "C:\\never there.jpg"}), 1u);
  EXPECT_EQ(excluded.Paths(), (Paths{"C:\\Pictures\\a.jpg", "C:\\c.jpg"}));
  EXPECT_FALSE(excluded.Contains("C:\\b.jpg"));
  EXPECT_TRUE(excluded.Add("C:\\B.jpg")) << "shown again, it can be excluded again";
}

// A damaged excluded.txt reads as the paths it still holds, however long.
TEST(ExcludedFiles, ADamagedOrHugeFileReadsAsWhatItStillHolds) {
  std::string text = "C:\\keep.jpg\r\n";
  text += std::string("\x00\x01\xFF\xFE junk", 9) + "\r\n";
  text += "C:\\" + std::string(200000, 'x') + ".jpg\r\n";
  text += "pictures\\relative.jpg\r\nC:\\KEEP.JPG\r\nD:/forward/slashes.jpg\r\n\\\\server\\share\\b.png";
  const ExcludedFiles read = ExcludedFiles::Parse(text);
  // Any name a playlist may hold is kept: a file excluded from one comes
  // back after a restart only if its name is dropped here.
  EXPECT_EQ(read.Paths(), (Paths{"C:\\keep.jpg", "pictures\\relative.jpg", "D:/forward/slashes.jpg",
                                 "\\\\server\\share\\b.png"}));

  std::string huge;
  for (int i = 0; i < 100000; ++i) huge += "C:\\p" + std::to_string(i) + ".jpg\n";
  const ExcludedFiles all = ExcludedFiles::Parse(huge);
  EXPECT_EQ(all.Paths().size(), 100000u) << "unlike the history, nothing the user excluded is dropped";
  EXPECT_TRUE(all.Contains("c:\\P99999.JPG"));
}

}  // namespace
}  // namespace wc
