// What the program checks itself before a picture reaches the system's
// decoders, and how it lays a picture on a screen: the signature, the size a
// PNG, GIF, icon or metafile claims, whether its data is whole (a PNG's
// checksums included), transparency laid over a
// colour, and Fill, Fit and Stretch of any small picture onto any small
// screen. Nothing reads outside its bytes; every made screen has exactly its
// size and is opaque.
#include <cstdint>
#include <memory>
#include <vector>

#include "common/picture_formats.h"
#include "fuzz_input.h"
#include "wallpaper/screen_fit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wc::fuzz::Input in(data, size);
  const uint8_t mode = in.Byte();
  if (mode & 1) {
    // The file's bytes, copied to memory of exactly their size.
    const auto rest = in.RestBytes();
    std::unique_ptr<uint8_t[]> exact(new uint8_t[rest.size() + 1]);
    std::copy(rest.begin(), rest.end(), exact.get());
    const std::span<const uint8_t> bytes(exact.get(), rest.size());
    const wc::PictureSignature kind = wc::SniffPicture(bytes);
    const bool whole = wc::PictureDataComplete(bytes);
    if (const auto claimed = wc::ClaimedPictureSize(bytes)) {
      FUZZ_CHECK(kind == wc::PictureSignature::Png || kind == wc::PictureSignature::Gif ||
                 kind == wc::PictureSignature::Icon || kind == wc::PictureSignature::Metafile);
      FUZZ_CHECK(claimed->width >= 0 && claimed->height >= 0);
    }
    // Only the kinds the system's decoders read have their structure checked
    // here; JPEG and bitmaps have readers of their own.
    if (kind == wc::PictureSignature::Jpeg || kind == wc::PictureSignature::Bitmap ||
        kind == wc::PictureSignature::Tiff || kind == wc::PictureSignature::Unknown) {
      FUZZ_CHECK(whole);
    }
    return 0;
  }
  const int width = int(in.Number(40)), height = int(in.Number(40));
  const int screenWidth = int(in.Number(64)), screenHeight = int(in.Number(64));
  using wc::WallpaperStyle;
  constexpr WallpaperStyle kDrawn[] = {WallpaperStyle::Fill, WallpaperStyle::Fit, WallpaperStyle::Stretch};
  const wc::WallpaperStyle fit = kDrawn[in.Byte() % 3];
  const uint32_t background = (uint32_t(in.Byte()) << 16) | (uint32_t(in.Byte()) << 8) | in.Byte();
  std::vector<uint32_t> pixels(size_t(width) * size_t(height));
  const auto rest = in.RestBytes();
  for (size_t i = 0; i < pixels.size() && !rest.empty(); ++i) {
    pixels[i] = uint32_t(rest[i % rest.size()]) * 0x01010101u ^ uint32_t(i * 2654435761u);
  }
  wc::ComposeOver(pixels, background);
  for (uint32_t p : pixels) FUZZ_CHECK((p >> 24) == 0);
  const wc::PixelView view{pixels.data(), width, height, size_t(width)};
  const wc::Image32 screen = wc::FitToScreen(view, screenWidth, screenHeight, fit, background);
  FUZZ_CHECK(screen.width == screenWidth && screen.height == screenHeight);
  FUZZ_CHECK(screen.pixels.size() == size_t(screenWidth) * size_t(screenHeight));
  for (uint32_t p : screen.pixels) FUZZ_CHECK((p >> 24) == 0);
  return 0;
}
