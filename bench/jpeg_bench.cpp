// Decoding and encoding a large photo-sized JPEG through the program's JPEG
// wrapper, in megapixels per second.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench.h"
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
  std::filesystem::remove(path);
  return 0;
}
