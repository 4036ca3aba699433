#include "wallpaper/resample.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

uint32_t Grey(uint8_t v) { return MakePixel(v, v, v); }

TEST(ResampleSameSizeTest, UniformGreyMatchesTheWorkedTable) {
  // Byte 3 set in the source must not leak into the result.
  Image32 image = MakeImage(6, 5, 0xFF000000u | Grey(100));
  ASSERT_TRUE(ResampleBitmap(image, 6, 5));
  ASSERT_EQ(image.width, 6);
  ASSERT_EQ(image.height, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool lastCol = x == 5, lastRow = y == 4;
      const uint32_t expected = lastCol && lastRow ? Grey(70) : (lastCol || lastRow ? Grey(93) : Grey(112));
      EXPECT_EQ(image.at(x, y), expected) << "at " << x << "," << y;
    }
  }
}

TEST(ResampleSameSizeTest, WhiteClampsAndChannelsStayApart) {
  Image32 white = MakeImage(3, 3, Grey(255));
  ASSERT_TRUE(ResampleBitmap(white, 3, 3));
  EXPECT_EQ(white.at(0, 0), Grey(255));  // 286 clamped
  EXPECT_EQ(white.at(2, 0), Grey(238));  // 510 / 3 * 1.4
  EXPECT_EQ(white.at(0, 2), Grey(238));

  Image32 colour = MakeImage(3, 3, MakePixel(10, 100, 200));
  ASSERT_TRUE(ResampleBitmap(colour, 3, 3));
  EXPECT_EQ(colour.at(1, 1), MakePixel(11, 112, 224));  // 4/5 * 1.4 = 1.12 per channel
  EXPECT_EQ(colour.at(2, 2), MakePixel(7, 70, 140));
}

TEST(ResampleSameSizeTest, BlursWithRightAndLowerNeighbours) {
  // One bright pixel at (1,1) spreads up and to the left only.
  Image32 image = MakeImage(4, 4, Grey(0));
  image.at(1, 1) = Grey(250);
  ASSERT_TRUE(ResampleBitmap(image, 4, 4));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool touched = (x == 0 || x == 1) && (y == 0 || y == 1);
      EXPECT_EQ(image.at(x, y), touched ? Grey(70) : Grey(0)) << "at " << x << "," << y;  // 250 / 5 * 1.4
    }
  }
}

TEST(ResampleShrinkTest, BlocksOfKPlusOneClampedAtTheEdges) {
  // 4x4 to 2x2: k = 2, 3x3 blocks; count starts at k*k = 4.
  Image32 image = MakeImage(4, 4, Grey(100));
  ASSERT_TRUE(ResampleBitmap(image, 2, 2));
  ASSERT_EQ(image.width, 2);
  ASSERT_EQ(image.height, 2);
  EXPECT_EQ(image.at(0, 0), Grey(97));  // 900 / 13 * 1.4 = 96.9
  EXPECT_EQ(image.at(1, 0), Grey(84));  // 3 rows x 2 columns: 600 / 10 * 1.4
  EXPECT_EQ(image.at(0, 1), Grey(84));
  EXPECT_EQ(image.at(1, 1), Grey(70));  // 400 / 8 * 1.4
}

TEST(ResampleShrinkTest, ColumnExtentFollowsTheVerticalRatio) {
  // 4 wide, 8 high to 4x4: ry = 2 but rx = 1. The blocks are still 3 columns
  // wide, so pixel (0,0) reaches column 2.
  Image32 image = MakeImage(4, 8, Grey(0));
  for (int y = 0; y < 8; ++y) image.at(2, y) = Grey(100);
  ASSERT_TRUE(ResampleBitmap(image, 4, 4));
  EXPECT_EQ(image.at(0, 0), Grey(32));  // 300 / 13 * 1.4 = 32.3
  EXPECT_EQ(image.at(3, 0), Grey(0));   // column 3 only
  // 12 wide, 2 high to 4x2: rx = 3 but ry = 1, so blocks are only 2 columns
  // wide and every third column is never read.
  Image32 wide = MakeImage(12, 2, Grey(0));
  wide.at(2, 0) = Grey(250);
  wide.at(3, 1) = Grey(250);
  ASSERT_TRUE(ResampleBitmap(wide, 4, 2));
  EXPECT_EQ(wide.at(0, 0), Grey(0));   // columns 0..1: the pixel in column 2 is lost
  EXPECT_EQ(wide.at(1, 0), Grey(70));  // columns 3..4, rows 0..1: 250 / 5 * 1.4
  EXPECT_EQ(wide.at(1, 1), Grey(117));  // last row, 2 pixels: 250 / 3 * 1.4
}

TEST(ResampleEnlargeTest, OneSourcePixelEachWithTiesToEven) {
  // 3 to 6 columns: rx = 0.5, so sx = 0, 0.5, 1, 1.5, 2, 2.5 rounds to
  // columns 0, 0, 1, 2, 2, 2 (halves go to the even neighbour).
  Image32 image = MakeImage(3, 1);
  image.at(0, 0) = Grey(10);
  image.at(1, 0) = Grey(20);
  image.at(2, 0) = Grey(200);
  ASSERT_TRUE(ResampleBitmap(image, 6, 2));
  const uint32_t row0[] = {Grey(14), Grey(14), Grey(28), Grey(255), Grey(255), Grey(255)};  // 280 clamped
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(image.at(x, 0), row0[x]) << "column " << x;
    EXPECT_EQ(image.at(x, 1), row0[x]) << "column " << x;  // sy = 0.5 rounds to row 0
  }
}

TEST(ResampleEnlargeTest, BlocksBeyondTheLastRowOrColumnAreBlack) {
  // 1x1 to 3x3: positions 0, 1/3, 2/3 round to 0, 0, 1; row or column 1 lies
  // outside the source.
  Image32 image = MakeImage(1, 1, Grey(50));
  ASSERT_TRUE(ResampleBitmap(image, 3, 3));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(image.at(x, y), (x < 2 && y < 2) ? Grey(70) : Grey(0)) << x << "," << y;
  }
}

TEST(ResampleEdgeTest, ZeroSizesAndBadInput) {
  Image32 image = MakeImage(5, 4, Grey(9));
  EXPECT_TRUE(ResampleBitmap(image, 0, 0));
  EXPECT_EQ(image.width, 0);
  EXPECT_EQ(image.height, 0);
  EXPECT_TRUE(image.pixels.empty());

  Image32 tall = MakeImage(5, 4, Grey(9));
  EXPECT_TRUE(ResampleBitmap(tall, 0, 7));
  EXPECT_EQ(tall.width, 0);
  EXPECT_EQ(tall.height, 0);

  Image32 empty;
  EXPECT_TRUE(ResampleBitmap(empty, 3, 2));
  EXPECT_EQ(empty.width, 3);
  EXPECT_EQ(empty.height, 2);
  EXPECT_EQ(empty.pixels, std::vector<uint32_t>(6, 0u));

  Image32 kept = MakeImage(2, 2, Grey(9));
  EXPECT_FALSE(ResampleBitmap(kept, -1, 2));
  EXPECT_FALSE(ResampleBitmap(kept, 100000, 100000));
  EXPECT_EQ(kept.pixels, MakeImage(2, 2, Grey(9)).pixels);

  Image32 broken = MakeImage(3, 3, Grey(9));
  broken.pixels.pop_back();
  EXPECT_FALSE(ResampleBitmap(broken, 3, 3));
  EXPECT_EQ(broken.pixels.size(), 8u);
}

TEST(AverageBlockTest, CountsAndClamping) {
  Image32 image = MakeImage(3, 3, Grey(100));
  image.at(2, 2) = Grey(40);
  EXPECT_EQ(AverageBlock(image, 0, 0, 0, 0), Grey(140));  // one pixel, count 0 + 1
  EXPECT_EQ(AverageBlock(image, 2, 2, 1, 1), Grey(28));   // clamped to one pixel, count 1 + 1: 40 / 2 * 1.4
  EXPECT_EQ(AverageBlock(image, 0, 0, 5, 5), Grey(35));   // all 9 pixels, count 25 + 9: 840 / 34 * 1.4 = 34.6
  EXPECT_EQ(AverageBlock(image, 3, 0, 1, 1), Grey(0));    // starts beyond the last column
  EXPECT_EQ(AverageBlock(image, 0, 7, 0, 0), Grey(0));
  EXPECT_EQ(AverageBlock(image, -2, -2, 1, 1), Grey(0));  // stray caller: nothing outside is read
  EXPECT_EQ(AverageBlock(Image32{}, 0, 0, 1, 1), Grey(0));
}

}  // namespace
}  // namespace wc
