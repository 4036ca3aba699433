// JPEG files from playlists and folders: any bytes. Either a JpegError
// naming the file, or a picture of exactly the size its header gives; a
// picture that decodes with its end marker decodes the same without it,
// when the end marker alone is forgiven.
#include <cstdint>
#include <span>
#include <string>

#include "common/jpeg.h"
#include "fuzz_input.h"

namespace {

// Pictures the decoder accepts but that are too large to decode thousands
// of times a second; the unit tests cover them.
constexpr uint64_t kLargestFuzzed = 4u << 20;

const std::string kName = "fuzz.jpg";

bool Decodes(std::span<const uint8_t> bytes, wc::Image32& image) {
  try {
    image = wc::DecodeJpegBytes(bytes, kName);
    return true;
  } catch (const wc::JpegError& e) {
    FUZZ_CHECK(e.path() == kName);
    FUZZ_CHECK(!e.detail().empty());
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  wc::JpegInfo info;
  try {
    info = wc::ReadJpegInfoBytes(bytes, kName);
  } catch (const wc::JpegError& e) {
    FUZZ_CHECK(e.path() == kName);
    wc::Image32 image;
    FUZZ_CHECK(!Decodes(bytes, image));  // no header, no picture
    return 0;
  }
  FUZZ_CHECK(info.width > 0 && info.height > 0);
  const uint64_t pixels = uint64_t(info.width) * uint64_t(info.height);
  const bool allowed = info.width <= wc::kMaxJpegSide && info.height <= wc::kMaxJpegSide &&
                       pixels <= uint64_t(wc::kMaxJpegPixels);
  if (allowed && pixels > kLargestFuzzed) return 0;

  wc::Image32 image;
  if (!Decodes(bytes, image)) return 0;
  FUZZ_CHECK(allowed);
  FUZZ_CHECK(image.width == info.width && image.height == info.height);
  FUZZ_CHECK(image.pixels.size() == pixels);
  for (uint32_t p : image.pixels) FUZZ_CHECK((p >> 24) == 0);

  if (size >= 2 && data[size - 2] == 0xFF && data[size - 1] == 0xD9) {
    wc::Image32 without;
    if (Decodes(bytes.first(size - 2), without)) FUZZ_CHECK(without.pixels == image.pixels);
  }
  return 0;
}
