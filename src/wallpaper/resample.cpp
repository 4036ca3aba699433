#include "wallpaper/resample.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace wc {

namespace {

constexpr long double kGain = 1.4L;
constexpr int64_t kMaxPixels = 0x10000000;  // 256 megapixels

uint32_t Channel(uint32_t sum, int64_t count) {
  const long double value = std::nearbyint(static_cast<long double>(sum) / static_cast<long double>(count) * kGain);
  return value > 255.0L ? 255u : static_cast<uint32_t>(value);
}

bool Consistent(const Image32& image) {
  return image.width >= 0 && image.height >= 0 &&
         image.pixels.size() == static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
}

}  // namespace

namespace {

// The per-channel value for every possible sum of a block with `count`
// pixels counted: the same arithmetic as Channel, done once per count
// instead of three times per pixel.
class ChannelTable {
 public:
  uint32_t Value(uint32_t sum, int64_t count) {
    if (count != count_) {
      count_ = count;
      table_.clear();
      // Only worth it (and only kept) for the small blocks of moderate
      // resampling; huge blocks fall back to the direct formula.
      if (count > 0 && count <= 4096) {
        table_.resize(size_t(count) * 255 + 1);
        for (size_t s = 0; s < table_.size(); ++s) table_[s] = uint8_t(Channel(uint32_t(s), count));
      }
    }
    return sum < table_.size() ? table_[sum] : Channel(sum, count);
  }

 private:
  int64_t count_ = -1;
  std::vector<uint8_t> table_;
};

uint32_t Average(const Image32& bitmap, int x, int y, int rowExtent, int colExtent, ChannelTable* table) {
  int64_t n = rowExtent;
  int64_t m = colExtent;
  int64_t count = n * m;
  if (y + n >= bitmap.height) n = static_cast<int64_t>(bitmap.height) - y - 1;
  if (x + m >= bitmap.width) m = static_cast<int64_t>(bitmap.width) - x - 1;

  // Start positions are never negative from the resampler; clamping them
  // here only keeps a stray caller inside the picture.
  const int64_t firstRow = std::max<int64_t>(y, 0);
  const int64_t firstCol = std::max<int64_t>(x, 0);
  const int64_t lastRow = static_cast<int64_t>(y) + n;
  const int64_t lastCol = static_cast<int64_t>(x) + m;
  const bool inside = Consistent(bitmap);

  // Unsigned 32-bit sums by design; they can only wrap when shrinking by a
  // factor of more than about 4000.
  uint32_t red = 0, green = 0, blue = 0;
  for (int64_t r = firstRow; inside && r <= lastRow; ++r) {
    const uint32_t* row = bitmap.pixels.data() + r * bitmap.width;
    for (int64_t c = firstCol; c <= lastCol; ++c) {
      const uint32_t p = row[c];
      red += PixelRed(p);
      green += PixelGreen(p);
      blue += PixelBlue(p);
      ++count;
    }
  }
  if (count == 0) count = 1;
  if (table) return (table->Value(red, count) << 16) | (table->Value(green, count) << 8) | table->Value(blue, count);
  return (Channel(red, count) << 16) | (Channel(green, count) << 8) | Channel(blue, count);
}

}  // namespace

uint32_t AverageBlock(const Image32& bitmap, int x, int y, int rowExtent, int colExtent) {
  return Average(bitmap, x, y, rowExtent, colExtent, nullptr);
}

bool ResampleBitmap(Image32& bitmap, int newWidth, int newHeight) {
  if (newWidth < 0 || newHeight < 0 || !Consistent(bitmap)) return false;
  if (newWidth == 0 || newHeight == 0) {
    bitmap = Image32{};
    return true;
  }
  if (static_cast<int64_t>(newWidth) * newHeight > kMaxPixels) return false;

  Image32 dest = MakeImage(newWidth, newHeight);
  // The quotients are formed in extended precision and then stored as
  // floats, and the positions step in float: the rounding of nearest(sx)
  // depends on it.
  const float ry = static_cast<float>(static_cast<long double>(bitmap.height) / newHeight);
  const float rx = static_cast<float>(static_cast<long double>(bitmap.width) / newWidth);
  const int k = static_cast<int>(ry);
  // Counts change only at the right and bottom edges: one table per count.
  ChannelTable interior, edge;

  float sy = 0.0f;
  float dy = 0.0f;
  for (int row = 0; row < newHeight; ++row) {
    float sx = 0.0f;
    float dx = 0.0f;
    const int64_t destRow = static_cast<int64_t>(dy);
    for (int col = 0; col < newWidth; ++col) {
      const int x = static_cast<int>(std::nearbyint(sx)), y = static_cast<int>(std::nearbyint(sy));
      const bool clipped = x + k >= bitmap.width || y + k >= bitmap.height;
      const uint32_t pixel = Average(bitmap, x, y, k, k, clipped ? &edge : &interior);
      const int64_t destCol = static_cast<int64_t>(dx);
      if (destRow < newHeight && destCol < newWidth) dest.pixels[static_cast<size_t>(destRow * newWidth + destCol)] = pixel;
      sx += rx;
      dx += 1.0f;
    }
    sy += ry;
    dy += 1.0f;
  }
  bitmap = std::move(dest);
  return true;
}

}  // namespace wc
