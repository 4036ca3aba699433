#pragma once
// A plain 32-bit picture in memory, the common currency between the JPEG and
// BMP codecs, the resampler and the Win32 drawing code. Rows are stored top
// row first; a pixel is 0x00RRGGBB, i.e. byte 0 blue, byte 1 green, byte 2
// red, the layout of a 32-bit device-independent bitmap.

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace wc {

struct Image32 {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // width * height entries, row-major

  bool empty() const { return width <= 0 || height <= 0; }
  uint32_t& at(int x, int y) { return pixels.at(Index(x, y)); }
  uint32_t at(int x, int y) const { return pixels.at(Index(x, y)); }

 private:
  size_t Index(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) throw std::out_of_range("Image32: pixel outside the picture");
    return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
  }
};

inline constexpr uint32_t MakePixel(uint8_t red, uint8_t green, uint8_t blue) {
  return (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
}
inline constexpr uint8_t PixelRed(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 16); }
inline constexpr uint8_t PixelGreen(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 8); }
inline constexpr uint8_t PixelBlue(uint32_t pixel) { return static_cast<uint8_t>(pixel); }

// A width x height picture filled with one pixel value; negative sizes count as 0.
inline Image32 MakeImage(int width, int height, uint32_t fill = 0) {
  Image32 image;
  image.width = width > 0 ? width : 0;
  image.height = height > 0 ? height : 0;
  image.pixels.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height), fill);
  return image;
}

}  // namespace wc
