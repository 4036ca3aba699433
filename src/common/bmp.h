#pragma once
// Uncompressed Windows bitmap files (BI_RGB, 24 or 32 bits per pixel, rows
// stored bottom-up, each row padded to a multiple of 4 bytes), plus whole-file
// reading and writing for them.

#include <cstdint>
#include <string>
#include <vector>

#include "common/image32.h"

namespace wc {

// A complete .bmp file (file header, BITMAPINFOHEADER, pixels). bitsPerPixel
// must be 24 or 32; anything else throws std::invalid_argument. In 32-bit
// files byte 3 of each pixel is written as 0.
std::vector<uint8_t> EncodeBmp(const Image32& image, int bitsPerPixel);

// Reads a 24- or 32-bit uncompressed bitmap file, bottom-up or top-down.
// Other formats and damaged data throw std::runtime_error.
Image32 DecodeBmp(const std::vector<uint8_t>& bytes);

// Whole-file I/O; failures throw std::runtime_error naming the path.
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace wc
