#include "capture_test_support.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace wc::test {

ui::Bitmap PatternBitmap(int width, int height) {
  ui::Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.Bits()[size_t(y) * size_t(width) + size_t(x)] = PatternAt(x, y);
  return b;
}

PatternWindow::PatternWindow(ui::Application& app, int left, int top, int width, int height)
    : ui::Form(app, "PatternWindow"), picture_(PatternBitmap(width, height)) {
  CreateWindowFrom({.caption = "Pattern",
                    .clientWidth = 1,
                    .clientHeight = 1,
                    .border = ui::BorderStyle::None,
                    .icons = 0,
                    .position = ui::FormPosition::Designed});
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  OnPaint = [this](HDC dc) { picture_.Draw(dc, RECT{0, 0, picture_.Width(), picture_.Height()}); };
}

RECT PatternWindow::ScreenRect() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  return r;
}

long DifferingPixels(const ui::Bitmap& b, const std::function<uint32_t(int, int)>& expected) {
  long n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const uint32_t got = PixelOf(b, x, y), want = expected(x, y);
      if (got != want && n++ == 0) std::printf("first differing pixel at %d,%d: %06x, not %06x\n", x, y, unsigned(got), unsigned(want));
    }
  return n;
}

ui::Bitmap ClipboardBitmap() {
  ui::Bitmap out;
  if (!OpenClipboard(nullptr)) return out;
  if (HANDLE h = GetClipboardData(CF_DIB)) {
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(h));
    if (header && (header->biBitCount == 32 || header->biBitCount == 24) && header->biCompression == BI_RGB) {
      const int w = header->biWidth, h2 = header->biHeight < 0 ? -header->biHeight : header->biHeight;
      const bool bottomUp = header->biHeight > 0;
      const int bpp = header->biBitCount / 8;
      const size_t stride = (size_t(w) * bpp + 3) & ~size_t(3);
      const auto* bits = reinterpret_cast<const BYTE*>(header) + header->biSize;
      out = ui::Bitmap(w, h2);
      for (int y = 0; y < h2; ++y) {
        const BYTE* row = bits + stride * size_t(bottomUp ? h2 - 1 - y : y);
        for (int x = 0; x < w; ++x) {
          const BYTE* p = row + size_t(x) * bpp;
          out.Bits()[size_t(y) * size_t(w) + size_t(x)] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
        }
      }
    }
    GlobalUnlock(h);
  }
  CloseClipboard();
  return out;
}

void PutClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
  GlobalUnlock(mem);
  if (!SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
  CloseClipboard();
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(h))) text = p;
    GlobalUnlock(h);
  }
  CloseClipboard();
  return text;
}

void WhenShown(ui::Application& app, const char* name, std::function<void(ui::Form&)> f) {
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [&app, name, f, poll] {
    auto* form = dynamic_cast<ui::Form*>(app.FindOwnedByName(name));
    if (form && form->Visible()) {
      f(*form);
      *poll = nullptr;  // ends the cycle
      return;
    }
    Sleep(5);
    app.Post(*poll);
  };
  app.Post(*poll);
}

void Mouse(HWND w, UINT msg, WPARAM keys, int x, int y) { SendMessageA(w, msg, keys, MAKELPARAM(x, y)); }

}  // namespace wc::test
