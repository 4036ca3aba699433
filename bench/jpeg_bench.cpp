// Decoding and encoding a large photo-sized JPEG through the program's JPEG
// wrapper, in megapixels per second.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench.h"
#include "common/bmp.h"
#include "common/jpeg.h"

namespace bench {
std::string TempFile(const std::string& name) { return (std::filesystem::temp_directory_path() / name).string(); }
}  // namespace bench

int main() {
  const int w = 6000, h = 4000;
  wc::Image32 image = wc::MakeImage(w, h);
  // A smooth picture with some detail, so the codec has real work to do.
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t r = uint32_t(x * 255 / w), g = uint32_t(y * 255 / h), b = uint32_t(((x ^ y) & 63) * 2);
      image.at(x, y) = wc::MakePixel(r, g, b);
    }
  }
  std::string path = bench::TempFile("wc-bench-6000x4000.jpg");
  const double mp = double(w) * h / 1e6;

  auto enc = bench::Measure(3, [&] { wc::EncodeJpegFile(path, image, 90); });
  bench::Report("encode 6000x4000 JPEG, quality 90", enc, std::to_string(mp / (enc.best_ms / 1000)) + " MP/s");
  auto dec = bench::Measure(5, [&] {
    wc::Image32 back = wc::DecodeJpegFile(path);
    if (back.width != w) std::abort();
  });
  bench::Report("decode 6000x4000 JPEG", dec, std::to_string(mp / (dec.best_ms / 1000)) + " MP/s");

  // A file of a few hundred bytes whose header claims 12000 x 8000 pixels is
  // refused where its data ends. Baseline: merely making a picture of the
  // claimed size, which is where a decoder that trusts the header starts.
  wc::EncodeJpegFile(path, wc::MakeImage(16, 16, 0x336699), 90);
  std::vector<uint8_t> claim = wc::ReadFileBytes(path);
  for (size_t i = 2; i + 9 < claim.size(); ++i) {
    if (claim[i] == 0xFF && claim[i + 1] == 0xC0) {
      claim[i + 5] = 8000 >> 8, claim[i + 6] = 8000 & 0xFF, claim[i + 7] = 12000 >> 8, claim[i + 8] = 12000 & 0xFF;
      break;
    }
  }
  auto make = bench::Measure(3, [&] {
    wc::Image32 picture = wc::MakeImage(12000, 8000, 0x808080);
    if (picture.pixels.back() != 0x808080) std::abort();
  });
  bench::Report("make a 12000x8000 picture (baseline)", make);
  auto refused = bench::Measure(20, [&] {
    try {
      wc::DecodeJpegBytes(claim, "claim");
      std::abort();
    } catch (const wc::JpegError&) {
    }
  });
  char ratio[64];
  std::snprintf(ratio, sizeof ratio, "%.4f x the baseline", refused.best_ms / make.best_ms);
  bench::Report("refuse " + std::to_string(claim.size()) + " bytes claiming 12000x8000", refused, ratio);
  std::filesystem::remove(path);
  return 0;
}
