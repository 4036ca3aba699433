// The resampler with any source and target size, as the styles panel and
// the wallpaper changer call it: a target it takes gives exactly that size
// (0 x 0 for a zero side); one it refuses leaves the picture as it was.
#include <cstdint>
#include <limits>

#include "fuzz_input.h"
#include "wallpaper/resample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wc::fuzz::Input in(data, size);
  // Sources stay small: a block of k x k pixels costs a table of 2k² x 255
  // entries each time its count changes, which would make a slow fuzzer.
  const int width = int(in.Number(24)), height = int(in.Number(24));
  int newWidth = int(in.Number(96)), newHeight = int(in.Number(96));
  const uint8_t kind = in.Byte();
  bool takes = true;
  switch (kind % 8) {
    case 0:  // negative
      newWidth = -1 - newWidth;
      takes = false;
      break;
    case 1:  // beyond any picture
      newWidth = std::numeric_limits<int>::max() - newWidth;
      newHeight = 1 + newHeight;
      takes = false;
      break;
    default:
      break;
  }

  const int blockX = int(in.Number(40)) - 8, blockY = int(in.Number(40)) - 8;
  const int rowExtent = int(in.Number(30)), colExtent = int(in.Number(30));
  wc::Image32 bitmap = wc::MakeImage(width, height);
  const auto bytes = in.RestBytes();
  for (size_t i = 0; i < bitmap.pixels.size() && !bytes.empty(); ++i)
    bitmap.pixels[i] = uint32_t(bytes[i % bytes.size()]) * 0x01010101u ^ uint32_t(i);
  if (kind & 0x80 && !bitmap.pixels.empty()) {  // pixels that do not match the size
    bitmap.pixels.pop_back();
    takes = false;
  }

  // Single blocks anywhere near the picture, with any extent.
  if (!bitmap.empty() && bitmap.pixels.size() == size_t(width) * size_t(height)) {
    const uint32_t pixel = wc::AverageBlock(bitmap, blockX, blockY, rowExtent, colExtent);
    FUZZ_CHECK((pixel >> 24) == 0);
  }

  const wc::Image32 before = bitmap;
  const bool done = wc::ResampleBitmap(bitmap, newWidth, newHeight);
  FUZZ_CHECK(done == takes);
  if (!done) {
    FUZZ_CHECK(bitmap.width == before.width && bitmap.height == before.height && bitmap.pixels == before.pixels);
    return 0;
  }
  if (newWidth == 0 || newHeight == 0) {
    FUZZ_CHECK(bitmap.width == 0 && bitmap.height == 0 && bitmap.pixels.empty());
    return 0;
  }
  FUZZ_CHECK(bitmap.width == newWidth && bitmap.height == newHeight);
  FUZZ_CHECK(bitmap.pixels.size() == size_t(newWidth) * size_t(newHeight));
  for (uint32_t p : bitmap.pixels) FUZZ_CHECK((p >> 24) == 0);
  return 0;
}
