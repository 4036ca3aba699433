// One change on three 1920 x 1080 monitors side by side, each with its own
// 6000 x 4000 JPEG in Fill, as the control panel makes it: each picture
// read, made to its monitor once, written as that monitor's file and put
// into the bitmap of the whole desktop. Against the floor of three bare
// decodes, three Fills and three writes. Also the re-layout after a display
// change, which reads the pictures again (they are not kept: a decoded
// photograph is ~100 MB), for 1920 x 1080 pictures.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench.h"
#include "common/bmp.h"
#include "common/jpeg.h"
#include "ui/graphics.h"
#include "wallpaper/picture_reader.h"
#include "wallpaper/screen_fit.h"

namespace {

constexpr int kMonitorWidth = 1920, kMonitorHeight = 1080, kMonitors = 3;

std::vector<std::string> Photos(const std::string& folder, const std::string& name, int w, int h) {
  std::vector<std::string> paths;
  for (int k = 0; k < kMonitors; ++k) {
    wc::Image32 image = wc::MakeImage(w, h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) image.at(x, y) = wc::MakePixel(uint8_t(x * 255 / w), uint8_t(y * 255 / h), uint8_t(k * 80));
    }
    paths.push_back(folder + "\\" + name + std::to_string(k) + ".jpg");
    wc::EncodeJpegFile(paths.back(), image, 90);
  }
  return paths;
}

// What the panel does for one change, or a re-layout, of the monitors.
void ShowOnThreeMonitors(const std::vector<std::string>& paths, const std::string& folder) {
  std::vector<ui::Bitmap> read;
  for (const std::string& p : paths) read.push_back(wc::ReadPictureBitmap(p, 0));
  std::vector<wc::MonitorPicture> parts;
  for (int k = 0; k < kMonitors; ++k) {
    const ui::Bitmap& b = read[size_t(k)];
    parts.push_back({wc::PixelView{b.Bits(), b.Width(), b.Height(), size_t(b.Width())}, k * kMonitorWidth, 0,
                     kMonitorWidth, kMonitorHeight, wc::WallpaperStyle::Fill});
  }
  std::vector<wc::Image32> own;
  for (const wc::MonitorPicture& part : parts) own.push_back(wc::RenderForMonitor(part, 0));
  const wc::Image32 desktop = wc::PlaceOnDesktop(parts, own, kMonitors * kMonitorWidth, kMonitorHeight, 0);
  for (int k = 0; k < kMonitors; ++k) {
    wc::WriteBmpFile(folder + "\\WPCWallpaper-" + std::to_string(k + 1) + ".bmp", own[size_t(k)], 24);
  }
  wc::WriteBmpFile(folder + "\\wallpaper.bmp", desktop, 24);
}

}  // namespace

int main() {
  const std::string folder = bench::TempFile("wc-monitors-bench");
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::vector<std::string> photos = Photos(folder, "photo", 6000, 4000);

  const auto change = bench::Measure(3, [&] { ShowOnThreeMonitors(photos, folder); });
  bench::Report("one change, 3 monitors, 3 x 6000x4000 JPEG", change);
  const auto floor = bench::Measure(3, [&] {
    for (int k = 0; k < kMonitors; ++k) {
      const wc::Image32 picture = wc::DecodeJpegFile(photos[size_t(k)]);
      const wc::PixelView view{picture.pixels.data(), picture.width, picture.height, size_t(picture.width)};
      const wc::Image32 filled = wc::FitToScreen(view, kMonitorWidth, kMonitorHeight, wc::WallpaperStyle::Fill, 0);
      wc::WriteBmpFile(folder + "\\floor.bmp", filled, 24);
    }
  });
  bench::Report("3 x (bare decode + Fill + bitmap write)", floor);
  std::printf("ratio change / floor (best): %.2f   (goal <= 1.3)\n", change.best_ms / floor.best_ms);

  const std::vector<std::string> screens = Photos(folder, "screen", kMonitorWidth, kMonitorHeight);
  const auto relayout = bench::Measure(5, [&] { ShowOnThreeMonitors(screens, folder); });
  bench::Report("re-layout, 3 monitors, 3 x 1920x1080 JPEG read again", relayout, "(goal <= 100 ms with the pictures kept)");

  for (const char* name : {"WPCWallpaper-1.bmp", "WPCWallpaper-2.bmp", "WPCWallpaper-3.bmp", "wallpaper.bmp", "floor.bmp"}) {
    DeleteFileA((folder + "\\" + name).c_str());
  }
  for (const std::vector<std::string>* list : {&photos, &screens}) {
    for (const std::string& p : *list) DeleteFileA(p.c_str());
  }
  RemoveDirectoryA(folder.c_str());
  return 0;
}
