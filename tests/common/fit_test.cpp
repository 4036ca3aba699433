#include "common/fit.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

void ExpectFit(const FitResult& r, int left, int top, int width, int height) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.width, width);
  EXPECT_EQ(r.height, height);
}

TEST(FitPictureTest, PreviewPanelFrame) {
  // Frame 16,17 150x126, longer side 141.
  ExpectFit(FitPicture(300, 600, 141, 16, 17, 150, 126), 16 + 75 - 35, 21, 70, 141);
  ExpectFit(FitPicture(600, 300, 141, 16, 17, 150, 126), 20, 17 + 63 - 35, 141, 70);
  ExpectFit(FitPicture(500, 500, 141, 16, 17, 150, 126), 20, 17 + 63 - 70, 141, 141);  // square counts as wide
}

TEST(FitPictureTest, ScanDialogFrame) {
  ExpectFit(FitPicture(200, 100, 113, 373, 256, 121, 121), 377, 288, 113, 56);
  ExpectFit(FitPicture(100, 200, 113, 373, 256, 121, 121), 405, 260, 56, 113);
}

TEST(FitPictureTest, DegenerateAndLargePictures) {
  ExpectFit(FitPicture(0, 0, 141, 16, 17, 150, 126), 16, 17, 0, 0);
  ExpectFit(FitPicture(-5, -9, 141, 16, 17, 150, 126), 16, 17, 0, 0);
  ExpectFit(FitPicture(0, 10, 141, 16, 17, 150, 126), 91, 21, 0, 141);
  ExpectFit(FitPicture(10, 0, 141, 16, 17, 150, 126), 20, 80, 141, 0);
  // w * side exceeds 32 bits here; the width must still be exact.
  ExpectFit(FitPicture(2000000000, 1000000000, 141, 0, 0, 150, 126), 4, 63 - 35, 141, 70);
}

}  // namespace
}  // namespace wc
