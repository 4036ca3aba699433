// Bitmap files (the program's own wallpaper bitmap read back, and every kind
// the viewer opens: palettes, runs, masks) and the pictures written as
// bitmaps. A file that decodes has pixels for its whole size, within the
// one picture limit; every picture
// written, in memory or to a file, reads back equal; an empty picture is
// refused by every writer.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/bmp.h"
#include "common/picture_formats.h"
#include "fuzz_input.h"

namespace {

// One file per process in the temporary folder, removed at exit.
class ScratchFile {
 public:
  ScratchFile()
      : path_((std::filesystem::temp_directory_path() / ("wc-fuzz-bmp-" + std::to_string(getpid()) + ".bmp")).string()) {}
  ~ScratchFile() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

const std::string& ScratchPath() {
  static const ScratchFile scratch;
  return scratch.path();
}

// Both depths in memory; the file, slower to write, at one of them.
void WrittenReadsBack(const wc::Image32& image, int fileBits) {
  std::vector<uint32_t> expected = image.pixels;
  for (uint32_t& p : expected) p &= 0xFFFFFF;  // byte 3 is never written
  for (int bits : {24, 32}) {
    const std::vector<uint8_t> encoded = wc::EncodeBmp(image, bits);
    FUZZ_CHECK(wc::DecodeBmp(encoded).pixels == expected);
    if (bits != fileBits) continue;
    wc::WriteBmpFile(ScratchPath(), image, bits);
    const std::vector<uint8_t> written = wc::ReadFileBytes(ScratchPath());
    FUZZ_CHECK(written.size() == encoded.size());
    FUZZ_CHECK(std::equal(written.begin() + 54, written.end(), encoded.begin() + 54));
    FUZZ_CHECK(wc::DecodeBmp(written).pixels == expected);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The input as a file.
  wc::Image32 decoded;
  bool readable = true;
  try {
    decoded = wc::DecodeBmp(std::vector<uint8_t>(data, data + size));
  } catch (const std::runtime_error&) {
    readable = false;
  }
  if (readable) {
    FUZZ_CHECK(decoded.width > 0 && decoded.height > 0);
    FUZZ_CHECK(wc::PictureSizeAllowed(decoded.width, decoded.height));
    FUZZ_CHECK(decoded.pixels.size() == size_t(decoded.width) * size_t(decoded.height));
    for (uint32_t p : decoded.pixels) FUZZ_CHECK((p >> 24) == 0);
    // A compressed picture can be far larger than its file; writing those
    // back would only slow the search down.
    if (decoded.pixels.size() <= (size_t(1) << 20)) WrittenReadsBack(decoded, size % 2 ? 24 : 32);
  }

  // The input as a picture: a size of up to 40 x 40, then the pixels.
  wc::fuzz::Input in(data, size);
  wc::Image32 image;
  image.width = int(in.Number(40));
  image.height = int(in.Number(40));
  const int fileBits = in.Byte() % 2 ? 24 : 32;
  const auto bytes = in.RestBytes();
  image.pixels.resize(size_t(image.width) * size_t(image.height));
  for (size_t i = 0; i < image.pixels.size() && !bytes.empty(); ++i) {
    const size_t at = (4 * i) % bytes.size();
    image.pixels[i] = uint32_t(bytes[at]) << 24 | uint32_t(bytes[(at + 1) % bytes.size()]) << 16 |
                      uint32_t(bytes[(at + 2) % bytes.size()]) << 8 | bytes[(at + 3) % bytes.size()];
  }
  if (image.width == 0 || image.height == 0) {
    int refused = 0;
    try {
      wc::EncodeBmp(image, fileBits);
    } catch (const std::invalid_argument&) {
      ++refused;
    }
    try {
      wc::WriteBmpFile(ScratchPath(), image, fileBits);
    } catch (const std::invalid_argument&) {
      ++refused;
    }
    FUZZ_CHECK(refused == 2);
    return 0;
  }
  WrittenReadsBack(image, fileBits);
  return 0;
}
