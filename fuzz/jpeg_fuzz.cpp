// JPEG files from playlists and folders: any bytes. Either a JpegError
// naming the file, or a picture of exactly the size its header gives; a
// picture that decodes with its end marker decodes the same without it,
// when the end marker alone is forgiven. Decoding into the caller's memory
// (the viewer's bitmaps) fails or succeeds alike, gives the same pixels and
// writes nothing outside its rows.
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

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

// The same bytes decoded into memory of our own whose rows are followed by
// padding; false on a JpegError. Memory is only asked for once, and only for
// a picture the decoder takes.
bool DecodesInto(std::span<const uint8_t> bytes, const wc::Image32* expected) {
  constexpr uint8_t kPad = 0x5A;
  constexpr size_t kPadding = 8;
  std::vector<uint8_t> memory;
  size_t stride = 0;
  int width = 0, height = 0, calls = 0;
  try {
    wc::DecodeJpegBytesInto(bytes, kName, [&](int w, int h) {
      ++calls;
      FUZZ_CHECK(w > 0 && h > 0 && w <= wc::kMaxJpegSide && h <= wc::kMaxJpegSide);
      width = w;
      height = h;
      stride = size_t(w) * 4 + kPadding;
      memory.assign(stride * size_t(h), kPad);
      return wc::JpegTarget{memory.data(), stride};
    });
  } catch (const wc::JpegError& e) {
    FUZZ_CHECK(e.path() == kName);
    FUZZ_CHECK(calls <= 1);
    return false;
  }
  FUZZ_CHECK(calls == 1);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = memory.data() + stride * size_t(y);
    for (size_t i = size_t(width) * 4; i < stride; ++i) FUZZ_CHECK(row[i] == kPad);
    if (expected) {
      FUZZ_CHECK(expected->width == width && expected->height == height);
      FUZZ_CHECK(std::memcmp(row, &expected->pixels[size_t(y) * size_t(width)], size_t(width) * 4) == 0);
    }
  }
  return true;
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
    FUZZ_CHECK(!DecodesInto(bytes, nullptr));
    return 0;
  }
  FUZZ_CHECK(info.width > 0 && info.height > 0);
  const uint64_t pixels = uint64_t(info.width) * uint64_t(info.height);
  const bool allowed = info.width <= wc::kMaxJpegSide && info.height <= wc::kMaxJpegSide &&
                       pixels <= uint64_t(wc::kMaxJpegPixels);
  if (allowed && pixels > kLargestFuzzed) return 0;

  wc::Image32 image;
  const bool decoded = Decodes(bytes, image);
  FUZZ_CHECK(DecodesInto(bytes, decoded ? &image : nullptr) == decoded);
  if (!decoded) return 0;
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
