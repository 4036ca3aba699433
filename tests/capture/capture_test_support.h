#pragma once
// What the capture tests share: a window showing a known picture at a known
// place of the screen, reading the clipboard back, and pixels compared.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "ui/application.h"
#include "ui/form.h"
#include "ui/graphics.h"

namespace wc::test {

// The colour of pixel (x, y) of the known picture: never pure red or white,
// so a band pixel can never pass for it.
inline uint32_t PatternAt(int x, int y) {
  return uint32_t((x & 255) << 16 | (y & 255) << 8 | (60 + 40 * ((x >> 8) + 2 * (y >> 8))));
}
ui::Bitmap PatternBitmap(int width, int height);

// A borderless window at (left, top) that shows the known picture.
class PatternWindow : public ui::Form {
 public:
  PatternWindow(ui::Application& app, int left, int top, int width, int height);
  RECT ScreenRect() const;

 private:
  ui::Bitmap picture_;
};

// Pixels of the bitmap as 0x00RRGGBB; (x, y) counted from its top-left.
inline uint32_t PixelOf(const ui::Bitmap& b, int x, int y) {
  GdiFlush();
  return b.Bits()[size_t(y) * size_t(b.Width()) + size_t(x)] & 0xFFFFFF;
}

// How many pixels of `b` differ from `expected(x, y)`.
long DifferingPixels(const ui::Bitmap& b, const std::function<uint32_t(int, int)>& expected);

// The clipboard's bitmap (CF_DIB, any bit count the system hands out) as a
// bitmap; empty when there is none.
ui::Bitmap ClipboardBitmap();
// Puts / reads a text on the clipboard.
void PutClipboardText(const std::string& text);
std::string ClipboardText();

// Runs `f` as soon as the window named `name` exists and is shown (inside
// the modal loop of the capture that made it).
void WhenShown(ui::Application& app, const char* name, std::function<void(ui::Form&)> f);

// Sends a mouse message with the position in the window's client pixels.
void Mouse(HWND w, UINT msg, WPARAM keys, int x, int y);

}  // namespace wc::test
