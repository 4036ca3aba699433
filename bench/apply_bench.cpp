// One whole wallpaper change from the control panel for a photo-sized JPEG,
// against what it cannot avoid doing: two decodes and two bitmap writes.
// Also the resampler's speed at the same size.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/panel/main_form.h"
#include "bench.h"
#include "common/jpeg.h"
#include "ui/application.h"
#include "ui/graphics.h"
#include "wallpaper/resample.h"

int main() {
  const int w = 6000, h = 4000;
  std::string folder = bench::TempFile("wc-apply-bench");
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string jpg = folder + "\\photo.jpg";
  {
    wc::Image32 image = wc::MakeImage(w, h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) image.at(x, y) = wc::MakePixel(uint8_t(x * 255 / w), uint8_t(y * 255 / h), 90);
    }
    wc::EncodeJpegFile(jpg, image, 90);
  }

  ui::Application app;
  app.SetExeName(folder + "\\WallpaperChanger.exe");
  app.Arguments.clear();
  auto& panel = app.CreateForm<wc::TMainForm>();
  panel.timer_startTimer(panel.timer_start);
  panel.timer_forautomatic.SetEnabled(false);
  panel.AddOneFile(jpg);
  panel.MainListBox.SetItemIndex(0);

  auto whole = bench::Measure(3, [&] { panel.MainListBoxDblClick(panel); });
  bench::Report("MainListBoxDblClick, 6000x4000 JPEG", whole);

  std::string out = folder + "\\out.bmp";
  auto floor = bench::Measure(3, [&] {
    for (int i = 0; i < 2; ++i) {
      ui::Bitmap b = ui::Bitmap::FromImage(wc::DecodeJpegFile(jpg));
      b.SaveToFile(out, 24);
    }
  });
  bench::Report("2 x (libjpeg decode + 24-bit bitmap write)", floor);
  std::printf("ratio whole / floor (best): %.2f   (goal <= 1.3)\n", whole.best_ms / floor.best_ms);

  // Where the time of one change goes.
  ui::Picture pic;
  bench::Report("  OLE picture loader", bench::Measure(2, [&] { pic = ui::Picture::LoadFromFile(jpg); }));
  ui::Bitmap bmp;
  bench::Report("  picture to bitmap", bench::Measure(2, [&] { bmp = pic.ToBitmap(); }));
  bench::Report("  wallpaper.bmp write", bench::Measure(2, [&] { bmp.SaveToFile(out, 24); }));
  wc::Image32 decoded;
  bench::Report("  libjpeg decode", bench::Measure(2, [&] { decoded = wc::DecodeJpegFile(jpg); }));
  bench::Report("  applier bitmap write", bench::Measure(2, [&] { panel.WPChanger1.ChangeWallpaper(jpg, wc::TWallpaperPosition::wpCentered); }));

  wc::Image32 image = wc::DecodeJpegFile(jpg);
  auto resample = bench::Measure(3, [&] {
    wc::Image32 copy = image;
    wc::ResampleBitmap(copy, copy.width, copy.height);
  });
  bench::Report("resample 6000x4000 to its own size", resample,
                std::to_string(double(w) * h / 1e6 / (resample.best_ms / 1000)) + " MP/s (copy included)");
  DeleteFileA(out.c_str());
  return 0;
}
