#pragma once
// Pictures made to the size of a screen for the styles the program draws
// itself, so the desktop looks the same on every Windows version:
//   Fill: the picture covers the screen, proportions kept, the overflow
//         cropped evenly from both sides;
//   Fit:  the whole picture, proportions kept, centred, with bars of the
//         background colour where it does not reach;
//   Stretch: the picture scaled to the screen, proportions not kept.
// Scaling averages the source area under each screen pixel when shrinking
// and interpolates linearly when enlarging: no brightening, no blocks.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/image32.h"
#include "wallpaper/wallpaper_style.h"

namespace wc {

// Pixels as in Image32 (0x00RRGGBB, top row first), `stride` pixels from one
// row to the next.
struct PixelView {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  size_t stride = 0;
};
inline PixelView ViewOf(const Image32& image) {
  return {image.pixels.data(), image.width, image.height, size_t(image.width)};
}

// Where the picture goes: the part of the picture shown (in picture pixels,
// fractions allowed) and the screen rectangle it is scaled into.
struct FitPlan {
  double sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;
  int left = 0, top = 0, width = 0, height = 0;
};
// `style` is Fill, Fit or Stretch; the others are planned as Fit.
FitPlan PlanScreenFit(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight, WallpaperStyle style);

// The screen-sized picture; a screen or picture without pixels gives a
// screen-sized picture of the background (0 x 0 for an empty screen).
Image32 FitToScreen(const PixelView& picture, int screenWidth, int screenHeight, WallpaperStyle style,
                    uint32_t background);

// One monitor's share of a desktop composed for several monitors: its
// rectangle in virtual-screen coordinates (the primary's top-left is 0,0),
// its picture and how the picture fills it (a custom position has no
// meaning on one monitor of several and centres).
struct MonitorPicture {
  PixelView picture;
  int left = 0, top = 0, width = 0, height = 0;
  WallpaperStyle style = WallpaperStyle::Fill;
};

// The picture for one monitor at the monitor's size.
Image32 RenderForMonitor(const MonitorPicture& monitor, uint32_t background);

// One bitmap of the virtual screen's size for every monitor, to be shown
// tiled from the primary monitor's top-left corner: a monitor at x lands at
// x modulo the bitmap's width (so one left of the primary, at a negative x,
// wraps to the bitmap's right part), and likewise for y. Parts no monitor
// covers show the background.
Image32 ComposeDesktop(const std::vector<MonitorPicture>& monitors, int screenWidth, int screenHeight,
                       uint32_t background);
// The same from pictures already made for the monitors (RenderForMonitor),
// `rendered[k]` for `monitors[k]`.
Image32 PlaceOnDesktop(const std::vector<MonitorPicture>& monitors, const std::vector<Image32>& rendered,
                       int screenWidth, int screenHeight, uint32_t background);

// Scales the source rectangle (picture pixels, fractions allowed) into the
// whole of `target` (width x height pixels, `stride` apart).
void ScaleArea(const PixelView& picture, double sourceX, double sourceY, double sourceWidth, double sourceHeight,
               uint32_t* target, int width, int height, size_t stride);

}  // namespace wc
