#include "ui/controls_image.h"

#include "ui/dpi.h"
#include "ui/handle.h"

namespace ui {

// ---------------------------------------------------------------- Image
Image::Image(Component* owner, std::string name) : Control(owner, std::move(name)) {}

Window::CreateParams Image::Params() { return Control::Params(); }

void Image::SetPicture(Picture p) {
  picture_ = std::move(p);
  if (AutoSize && !picture_.Empty()) {
    SetBounds(Left(), Top(), ScaleFromDpi(picture_.Width(), Dpi()), ScaleFromDpi(picture_.Height(), Dpi()));
  }
  Invalidate();
}

void Image::ClearPicture() {
  picture_ = Picture();
  Invalidate();
}

LRESULT Image::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintScope paint(Handle());
      HDC dc = paint.dc();
      const RECT rc = paint.Client();
      // Only what shows: a picture scrolled or zoomed far beyond its window
      // costs no more than the window.
      RECT visible{};
      if (GetClipBox(dc, &visible) == ERROR) visible = rc;
      FillRect(dc, &visible, GetSysColorBrush(COLOR_BTNFACE));
      if (!picture_.Empty()) {
        RECT dest = Stretch ? rc : RECT{0, 0, picture_.Width(), picture_.Height()};
        picture_.DrawPart(dc, dest, visible);
      }
      return 0;
    }
    case WM_LBUTTONUP:
      Control::WndProc(msg, w, l);
      Click();
      return 0;
    case WM_LBUTTONDBLCLK:
      Control::WndProc(msg, w, l);
      Raise(OnDblClick, *this);
      return 0;
    default:
      return Control::WndProc(msg, w, l);
  }
}

}  // namespace ui
