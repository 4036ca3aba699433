#pragma once
// The "high quality" box-filter resampler. Each destination pixel averages a
// square block of source pixels and is brightened by a fixed gain of 1.4, so
// even a same-size pass blurs and lightens the picture. The arithmetic
// (single-precision steps, ties-to-even rounding, the extra count of k x k)
// is deliberate, not a textbook filter: changing any of it changes how every
// resampled wallpaper looks.

#include <cstdint>

#include "common/image32.h"

namespace wc {

// Rebuilds bitmap at newWidth x newHeight in place. Ratios ry = height / H'
// and rx = width / W' are floats; the block extent k = trunc(ry) is used for
// rows and columns alike. A target of 0 in either direction leaves an empty
// 0 x 0 bitmap and returns true. Returns false, changing nothing, for a
// negative or oversized target or a bitmap whose pixels do not match its size.
bool ResampleBitmap(Image32& bitmap, int newWidth, int newHeight);

// One destination pixel: sums the (n+1) x (m+1) block at (x, y), clamped to
// the picture (n := height - y - 1 when y + n >= height, m likewise), divides
// by n*m (taken before clamping) plus the pixels summed, or by 1 when that is
// 0, multiplies by 1.4, rounds ties to even and caps at 255. Byte 3 is 0.
uint32_t AverageBlock(const Image32& bitmap, int x, int y, int rowExtent, int colExtent);

}  // namespace wc
