// The capture viewer with a large photo: opening a 6000 x 4000 JPEG into a
// tab against a bare libjpeg-turbo decode of the same file, one zoom step on
// it drawn on the screen, and opening the same picture as 24- and 32-bit
// bitmaps against a bare read of the file and copy of its rows.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// clang-format off
#include <cstddef>
#include <jpeglib.h>
// clang-format on

#include "bench.h"
#include "capture/delay_form.h"
#include "capture/screen_form.h"
#include "common/bmp.h"
#include "common/jpeg.h"
#include "ui/application.h"

namespace {

// The least any decode does: libjpeg-turbo straight into 32-bit pixels.
void BareDecode(const std::vector<uint8_t>& file, std::vector<uint8_t>& pixels) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  const size_t stride = size_t(cinfo.output_width) * 4;
  pixels.resize(stride * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels.data() + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fseek(f, 0, SEEK_END);
    bytes.resize(size_t(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
    std::fclose(f);
  }
  return bytes;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

int main() {
  ui::Application app;
  app.CreateForm<wc::TDelayForm>();
  auto& viewer = app.CreateForm<wc::TScreenForm>();
  viewer.Show();
  Pump();

  // A photo-like picture: smooth gradients with fine detail.
  const int w = 6000, h = 4000;
  const std::string path = bench::TempFile("viewer_bench_6000x4000.jpg");
  {
    wc::Image32 photo = wc::MakeImage(w, h);
    uint32_t noise = 12345;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        noise = noise * 1664525u + 1013904223u;
        const int n = int(noise >> 28);
        photo.pixels[size_t(y) * w + x] =
            wc::MakePixel(uint8_t((x * 255 / w + n) & 255), uint8_t((y * 255 / h + n) & 255), uint8_t((x + y) & 255));
      }
    }
    wc::EncodeJpegFile(path, photo, 90);
  }
  const int runs = 5;

  // A fresh picture each time, as opening a file needs one.
  auto bare = bench::Measure(runs, [&] {
    std::vector<uint8_t> file = ReadAll(path);
    std::vector<uint8_t> pixels;
    BareDecode(file, pixels);
  });
  bench::Report("bare libjpeg-turbo decode, 6000 x 4000", bare);

  wc::Image32 decoded;
  auto ours = bench::Measure(runs, [&] { decoded = wc::DecodeJpegFile(path); });
  bench::Report("our decoder (DecodeJpegFile)", ours);
  auto toBitmap = bench::Measure(runs, [&] { ui::Bitmap b = ui::Bitmap::FromImage(decoded); });
  bench::Report("its pixels into a bitmap", toBitmap);
  decoded = wc::Image32();
  // What opening a JPEG now does: the decoder writes into the bitmap.
  auto intoBitmap = bench::Measure(runs, [&] {
    ui::Bitmap b;
    wc::DecodeJpegFileInto(path, [&](int width, int height) {
      b = ui::Bitmap::ForWriting(width, height);
      return wc::JpegTarget{reinterpret_cast<uint8_t*>(b.Bits()), size_t(width) * 4};
    });
  });
  bench::Report("our decoder straight into a bitmap", intoBitmap);

  auto open = bench::Measure(runs, [&] {
    viewer.OpenPictureFile(path);
    viewer.Closeall1Click(viewer);
  });
  char ratio[64];
  std::snprintf(ratio, sizeof ratio, "%.2f x bare (median, goal <= 1.3)", open.median_ms / bare.median_ms);
  bench::Report("open into a tab (and close it)", open, ratio);

  viewer.OpenPictureFile(path);
  Pump();
  UpdateWindow(viewer.Handle());
  int position = 15;
  auto zoom = bench::Measure(10, [&] {
    position = position == 15 ? 16 : 15;
    viewer.MyTrackBar.SetPosition(position);
    RedrawWindow(viewer.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
  });
  bench::Report("one zoom step, drawn", zoom, "goal <= 50 ms");
  viewer.Closeall1Click(viewer);

  // The same picture as uncompressed bitmaps, the common kinds.
  const wc::Image32 photo = wc::DecodeJpegFile(path);
  DeleteFileA(path.c_str());
  for (int bits : {24, 32}) {
    const std::string bmp = bench::TempFile("viewer_bench_6000x4000_" + std::to_string(bits) + ".bmp");
    wc::WriteBmpFile(bmp, photo, bits);
    // The least opening one does: read the file, turn its bottom-up rows
    // into top-down 32-bit pixels.
    auto bareBmp = bench::Measure(runs, [&] {
      std::vector<uint8_t> file = ReadAll(bmp);
      std::vector<uint32_t> pixels(size_t(w) * h);
      const size_t step = size_t(bits / 8), stride = (size_t(w) * step + 3) & ~size_t(3);
      for (int y = 0; y < h; ++y) {
        const uint8_t* in = file.data() + 54 + size_t(h - 1 - y) * stride;
        uint32_t* out = pixels.data() + size_t(y) * w;
        for (int x = 0; x < w; ++x, in += step) out[x] = uint32_t(in[2]) << 16 | uint32_t(in[1]) << 8 | in[0];
      }
    });
    const std::string kind = std::to_string(bits) + "-bit bitmap";
    bench::Report("bare read and copy, " + kind, bareBmp);
    auto openBmp = bench::Measure(runs, [&] {
      viewer.OpenPictureFile(bmp);
      viewer.Closeall1Click(viewer);
    });
    std::snprintf(ratio, sizeof ratio, "%.2f x bare (median)", openBmp.median_ms / bareBmp.median_ms);
    bench::Report("open " + kind + " into a tab", openBmp, ratio);
    DeleteFileA(bmp.c_str());
  }
  return 0;
}
