#include "wallpaper/screen_fit.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace wc {
namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00, kBars = 0x102030;

// Left quarter red, middle half green, right quarter blue; the top and
// bottom twentieth white, so a crop that keeps them shows.
Image32 ThreeBands(int width, int height) {
  Image32 image = MakeImage(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool edge = y < height / 20 || y >= height - height / 20;
      image.at(x, y) = edge ? 0xFFFFFF : x < width / 4 ? kRed : x < 3 * width / 4 ? kGreen : kBlue;
    }
  }
  return image;
}

bool Near(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2) return false;
  }
  return true;
}

TEST(ScreenFitTest, FillCoversTheScreenAndCropsTheOverflowEvenly) {
  // 2000 x 500 on 1024 x 768: scaled by 1.536 to 3072 x 768, 1024 cut from
  // each side, so only the green middle shows, edge to edge.
  const Image32 wide = ThreeBands(2000, 500);
  const Image32 screen = FitToScreen(ViewOf(wide), 1024, 768, WallpaperStyle::Fill, kBars);
  ASSERT_EQ(screen.width, 1024);
  ASSERT_EQ(screen.height, 768);
  for (int y : {50, 384, 715}) {
    EXPECT_TRUE(Near(screen.at(0, y), kGreen)) << y;
    EXPECT_TRUE(Near(screen.at(1023, y), kGreen)) << y;
  }
  EXPECT_TRUE(Near(screen.at(512, 0), 0xFFFFFF));  // the picture's top is kept

  // 1000 x 1000 on 1024 x 768: scaled to 1024 x 1024, 128 rows cut top and
  // bottom: the white edges are gone, all three bands show.
  const Image32 square = ThreeBands(1000, 1000);
  const Image32 filled = FitToScreen(ViewOf(square), 1024, 768, WallpaperStyle::Fill, kBars);
  EXPECT_TRUE(Near(filled.at(0, 0), kRed));
  EXPECT_TRUE(Near(filled.at(512, 767), kGreen));
  EXPECT_TRUE(Near(filled.at(1023, 0), kBlue));
}

TEST(ScreenFitTest, FitShowsTheWholePictureBetweenBarsOfTheBackground) {
  // 1000 x 1000 on 1024 x 768: 768 x 768 in the middle, bars of 128 left and right.
  const Image32 square = ThreeBands(1000, 1000);
  const Image32 screen = FitToScreen(ViewOf(square), 1024, 768, WallpaperStyle::Fit, kBars);
  EXPECT_EQ(screen.at(0, 384), kBars);
  EXPECT_EQ(screen.at(127, 384), kBars);
  EXPECT_TRUE(Near(screen.at(128, 384), kRed));
  EXPECT_TRUE(Near(screen.at(895, 384), kBlue));
  EXPECT_EQ(screen.at(896, 384), kBars);
  EXPECT_TRUE(Near(screen.at(512, 0), 0xFFFFFF));

  // 2000 x 500 on 1024 x 768: 1024 x 256 with bars of 256 above and below.
  const Image32 wide = ThreeBands(2000, 500);
  const Image32 fitted = FitToScreen(ViewOf(wide), 1024, 768, WallpaperStyle::Fit, kBars);
  EXPECT_EQ(fitted.at(512, 255), kBars);
  EXPECT_TRUE(Near(fitted.at(0, 384), kRed));
  EXPECT_TRUE(Near(fitted.at(1023, 384), kBlue));
  EXPECT_EQ(fitted.at(512, 512), kBars);
}

TEST(ScreenFitTest, ScalingKeepsColoursAndAveragesWhatItShrinks) {
  // A same-size pass changes nothing (no brightening, unlike the box resampler).
  const Image32 bands = ThreeBands(30, 12);
  const Image32 same = FitToScreen(ViewOf(bands), 30, 12, WallpaperStyle::Stretch, 0);
  EXPECT_EQ(same.pixels, bands.pixels);

  // A checkerboard shrunk by half becomes its average grey.
  Image32 checks = MakeImage(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) checks.at(x, y) = (x + y) % 2 ? 0xFFFFFF : 0;
  }
  const Image32 grey = FitToScreen(ViewOf(checks), 32, 32, WallpaperStyle::Stretch, 0);
  EXPECT_TRUE(Near(grey.at(10, 10), 0x808080));

  // A one-pixel picture fills any screen; nothing to draw gives the background.
  const Image32 dot = MakeImage(1, 1, kRed);
  EXPECT_EQ(FitToScreen(ViewOf(dot), 7, 5, WallpaperStyle::Fill, 0).at(6, 4), kRed);
  EXPECT_EQ(FitToScreen(PixelView{}, 4, 3, WallpaperStyle::Fit, kBars).at(3, 2), kBars);
  EXPECT_TRUE(FitToScreen(ViewOf(dot), 0, 0, WallpaperStyle::Fit, kBars).empty());
}

TEST(ComposeDesktopTest, EachMonitorGetsItsPictureWhereTheTiledBitmapShowsIt) {
  const Image32 red = MakeImage(30, 20, kRed), blue = MakeImage(8, 6, kBlue);
  // Side by side: the primary at 0,0, the other right of it, then left of it
  // (a negative x wraps to the bitmap's right part, where tiling from the
  // primary's corner shows it on that monitor).
  for (int otherLeft : {100, -100}) {
    SCOPED_TRACE(otherLeft);
    const std::vector<MonitorPicture> monitors{
        {ViewOf(red), 0, 0, 100, 50, WallpaperStyle::Stretch},
        {ViewOf(blue), otherLeft, 0, 100, 50, WallpaperStyle::Center},
    };
    const Image32 desktop = ComposeDesktop(monitors, 200, 50, kBars);
    ASSERT_EQ(desktop.width, 200);
    EXPECT_EQ(desktop.at(0, 0), kRed);
    EXPECT_EQ(desktop.at(99, 49), kRed);
    // Centred and unscaled: the 8 x 6 picture in the middle, bars around it.
    EXPECT_EQ(desktop.at(150, 25), kBlue);
    EXPECT_EQ(desktop.at(146, 22), kBlue);
    EXPECT_EQ(desktop.at(145, 25), kBars);
    EXPECT_EQ(desktop.at(100, 0), kBars);
  }
  // Tiled within its monitor, from the monitor's corner.
  Image32 two = MakeImage(2, 1, kRed);
  two.at(1, 0) = kGreen;
  const Image32 tiled = ComposeDesktop({{ViewOf(two), 0, 0, 5, 2, WallpaperStyle::Tile}}, 5, 2, kBars);
  EXPECT_EQ(tiled.at(0, 1), kRed);
  EXPECT_EQ(tiled.at(3, 0), kGreen);
  EXPECT_EQ(tiled.at(4, 1), kRed);
}

}  // namespace
}  // namespace wc
