#pragma once
// Windows bitmap files: read in every kind the system itself draws, written
// uncompressed (BI_RGB, 24 or 32 bits per pixel, rows stored bottom-up, each
// row padded to a multiple of 4 bytes); plus whole-file reading and writing.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/image32.h"

namespace wc {

// A complete .bmp file (file header, BITMAPINFOHEADER, pixels). bitsPerPixel
// must be 24 or 32, the picture must have at least one row and one column
// and fit the 4 GB a bitmap file can describe; anything else throws
// std::invalid_argument. In 32-bit files byte 3 of each pixel is written as 0.
std::vector<uint8_t> EncodeBmp(const Image32& image, int bitsPerPixel);

// Reads a bitmap file of the kinds the system commonly draws: the OS/2 12-byte header
// or the 40-byte one and its longer versions (V4, V5); 1, 4 and 8 bits per
// pixel through a palette (uncompressed, or BI_RLE8 / BI_RLE4), 16 bits
// (5-5-5, or any masks with BI_BITFIELDS), 24 bits, 32 bits (the usual
// byte order, or any masks); rows bottom-up or top-down. A palette may be
// shorter than the depth allows: an index past its end reads as black, and
// so do the pixels a compressed picture skips. Other formats, damaged data,
// a size of 0, or pixel data shorter than the size promises throw
// std::runtime_error, and so does a picture over the limit every kind has
// (PictureSizeAllowed), before any memory is taken. Memory is taken only for
// pixels the file holds; a compressed picture, whose runs can each cover
// many pixels, may describe up to 16 million pixels, or 256 per byte of its
// data.
Image32 DecodeBmp(const std::vector<uint8_t>& bytes);

// Thrown for a bitmap of a kind this reader does not decode (OS/2's later
// headers, 2 or 64 bits per pixel, a JPEG or PNG inside, CMYK), and only
// once its header has passed what every bitmap must: a size within the
// limit, and pixel data inside the file, as long as the header says. Only
// such a file may be handed to another decoder; any other error means the
// file is damaged.
class BmpUnsupported : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The picture's size from its headers, checked as DecodeBmpInto checks them
// (and throwing the same errors), without decoding.
struct BmpSize {
  int width = 0;
  int height = 0;
};
BmpSize CheckBmpHeaders(std::span<const uint8_t> bytes);

// Memory the caller owns for a decoded picture: `pixels` is the top row,
// `stride` the pixels from one row to the next (at least the width). Each
// pixel is written as in Image32: 0x00RRGGBB.
struct BmpTarget {
  uint32_t* pixels = nullptr;
  size_t stride = 0;
};
// Gives the memory for a width x height picture; may throw, and nothing is
// decoded then.
using BmpAllocate = std::function<BmpTarget(int width, int height)>;
// Decodes like DecodeBmp, with the same errors and limits, straight into
// the caller's memory (a bitmap's pixels, say): `allocate` is called once,
// after the headers are read and the size allowed. After an error the memory
// holds an unfinished picture.
void DecodeBmpInto(std::span<const uint8_t> bytes, const BmpAllocate& allocate);

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
