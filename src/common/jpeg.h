#pragma once
// The program's only door to libjpeg. Every libjpeg failure (unreadable file,
// not a JPEG, corrupt or truncated data) comes out as a wc::JpegError; the
// library is never allowed to end the process.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>

#include "common/image32.h"

namespace wc {

// The largest picture the decoder takes; a larger one is refused from its
// header, before any memory is spent on it. No wallpaper needs more: four 8K
// displays side by side span 30720 pixels, three of them 23040 x 4320 (99.5
// megapixels), and the largest camera photos have about 100 megapixels. A
// picture at the limit takes 512 MB decoded.
inline constexpr int kMaxJpegSide = 32768;
inline constexpr int64_t kMaxJpegPixels = int64_t(1) << 27;  // 134 megapixels

class JpegError : public std::runtime_error {
 public:
  JpegError(const std::string& path, const std::string& detail);
  const std::string& path() const { return path_; }
  const std::string& detail() const { return detail_; }  // libjpeg's own text, or ours

 private:
  std::string path_;
  std::string detail_;
};

struct JpegInfo {
  int width = 0;
  int height = 0;
};

// Decodes the whole picture at full size. Colour, grayscale and CMYK/YCCK
// files are all turned into RGB. Damaged data is an error rather than a
// picture patched with grey or noise: a file that ends early (even when an
// end-of-image marker was put after the cut), bad codes, lost restart
// markers, stray bytes between segments. The one fault forgiven is a missing
// end-of-image marker after complete picture data. The picture's memory is
// reserved from the header but filled only as far as the data goes, so a
// short file claiming a large picture fails early and cheaply; libjpeg's own
// memory (a progressive file's coefficients) is capped at 800 MB, and a
// progressive file may have at most 256 scans.
Image32 DecodeJpegFile(const std::string& path);

// Width and height from the file's header; the picture data is not read and
// the size limits do not apply.
JpegInfo ReadJpegInfo(const std::string& path);

// Decodes at a half, a quarter or an eighth of the picture's size: the
// smallest of those whose longer side still has at least `longSide` pixels
// (the whole size when even a half would be shorter). libjpeg scales while
// it decodes, so a 6000 x 4000 photograph shown 141 pixels wide costs an
// eighth of its decoding time and a sixty-fourth of its memory. The limits
// and errors are those of a whole decode.
Image32 DecodeJpegFileReduced(const std::string& path, int longSide);

// The same for a file already in memory; `name` stands for the path in
// errors.
Image32 DecodeJpegBytes(std::span<const uint8_t> bytes, const std::string& name);
JpegInfo ReadJpegInfoBytes(std::span<const uint8_t> bytes, const std::string& name);

// Memory the caller owns for a decoded picture: `pixels` is the top row,
// `stride` the bytes from one row to the next (at least 4 x the width). Each
// pixel is written as in Image32: blue, green, red, then 0.
struct JpegTarget {
  uint8_t* pixels = nullptr;
  size_t stride = 0;
};
// Gives the memory for a width x height picture; may throw, and nothing is
// decoded then.
using JpegAllocate = std::function<JpegTarget(int width, int height)>;

// Decodes like DecodeJpegFile, with the same errors and limits, straight
// into the caller's memory (a bitmap's pixels, say) rather than a picture of
// its own: `allocate` is called once, after the header is read and its size
// allowed, so a file refused from its header costs no memory. After an
// error the memory holds an unfinished picture.
// A `longSide` above 0 reduces the picture as DecodeJpegFileReduced does,
// and `allocate` is asked for the reduced size.
void DecodeJpegFileInto(const std::string& path, const JpegAllocate& allocate, int longSide = 0);
void DecodeJpegBytesInto(std::span<const uint8_t> bytes, const std::string& name, const JpegAllocate& allocate,
                         int longSide = 0);

// Writes the picture as a baseline colour JPEG; quality is clamped to 1..100.
// It is written beside the path and takes its place only once whole: on
// failure a file that was there stays as it was, and no part-written copy
// is left.
void EncodeJpegFile(const std::string& path, const Image32& image, int quality);

}  // namespace wc
