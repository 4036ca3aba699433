#pragma once
// The program's only door to libjpeg. Every libjpeg failure (unreadable file,
// not a JPEG, corrupt or truncated data) comes out as a wc::JpegError; the
// library is never allowed to end the process.

#include <stdexcept>
#include <string>

#include "common/image32.h"

namespace wc {

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
// files are all turned into RGB. A file that ends early is an error rather
// than a picture padded with grey.
Image32 DecodeJpegFile(const std::string& path);

// Width and height from the file's header; the picture data is not read.
JpegInfo ReadJpegInfo(const std::string& path);

// Writes the picture as a baseline colour JPEG; quality is clamped to 1..100.
// On failure the partly written file is removed.
void EncodeJpegFile(const std::string& path, const Image32& image, int quality);

}  // namespace wc
