#pragma once
// Uncompressed Windows bitmap files (BI_RGB, 24 or 32 bits per pixel, rows
// stored bottom-up, each row padded to a multiple of 4 bytes), plus whole-file
// reading and writing for them.

#include <cstdint>
#include <string>
#include <functional>
#include <vector>

#include "common/image32.h"

namespace wc {

// A complete .bmp file (file header, BITMAPINFOHEADER, pixels). bitsPerPixel
// must be 24 or 32, the picture must have at least one row and one column
// and fit the 4 GB a bitmap file can describe; anything else throws
// std::invalid_argument. In 32-bit files byte 3 of each pixel is written as 0.
std::vector<uint8_t> EncodeBmp(const Image32& image, int bitsPerPixel);

// Reads a 24- or 32-bit uncompressed bitmap file, bottom-up or top-down.
// Other formats, damaged data, a size of 0 or pixel data shorter than the
// size promises throw std::runtime_error; memory is taken only for pixels
// the file holds.
Image32 DecodeBmp(const std::vector<uint8_t>& bytes);

// Whole-file I/O; failures throw std::runtime_error naming the path. Files
// are written beside their target and replace it only once whole, so a
// failed write leaves what was there before.
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Writes an uncompressed bitmap file of 24 or 32 bits per pixel straight
// from top-down 0x00RRGGBB pixels, a row at a time (no copy of the picture).
// Byte 3 is written as 0 whatever the pixels hold there. The picture is
// checked as for EncodeBmp before the file is touched. A
// failed write (a missing row included) leaves the file that was at the path
// as it was and no partial copy; the error names the path.
void WriteBmpFile(const std::string& path, const uint32_t* pixels, int width, int height, int bitsPerPixel);
void WriteBmpFile(const std::string& path, const Image32& image, int bitsPerPixel);
// The same, with the rows of the picture given one by one: row(y) returns
// row y counted from the top, `width` pixels of 0x00RRGGBB.
void WriteBmpFile(const std::string& path, int width, int height, int bitsPerPixel,
                  const std::function<const uint32_t*(int y)>& row);
std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace wc
