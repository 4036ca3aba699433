#include "ui/controls_panels.h"

#include "ui/handle.h"
#include "ui/wide_text.h"

namespace ui {

// ---------------------------------------------------------------- GroupBox
LRESULT EraseToButtonFace(HWND window, HDC dc) {
  RECT rc;
  GetClientRect(window, &rc);
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  return 1;
}

GroupBox::GroupBox(Component* owner, std::string name) : Control(owner, std::move(name)) { reportMouse_ = false; }

Window::CreateParams GroupBox::Params() {
  CreateParams p = Control::Params();
  p.className = "BUTTON";
  p.exStyle |= WS_EX_CONTROLPARENT;
  p.style |= BS_GROUPBOX | WS_CLIPCHILDREN;
  return p;
}

LRESULT GroupBox::WndProc(UINT msg, WPARAM w, LPARAM l) {
  // The system's group box paints only its frame: as a container it must
  // clear the inside itself.
  if (msg == WM_ERASEBKGND) return EraseToButtonFace(Handle(), reinterpret_cast<HDC>(w));
  return Control::WndProc(msg, w, l);
}

// ---------------------------------------------------------------- Panel
Panel::Panel(Component* owner, std::string name) : Control(owner, std::move(name)) {
  PublishInteger("Color", [this] { return int64_t(color_); }, [this](int64_t v) { SetColor(COLORREF(v)); });
}

Window::CreateParams Panel::Params() {
  CreateParams p = Control::Params();
  p.exStyle |= WS_EX_CONTROLPARENT;
  p.style |= WS_CLIPCHILDREN;
  return p;
}

void Panel::SetColor(COLORREF c) {
  color_ = c;
  Invalidate();
}

void Panel::Paint(HDC dc, const RECT& rc) {
  RECT r = rc;
  if (color_ == CLR_INVALID) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    BrushHandle b(CreateSolidBrush(color_));
    FillRect(dc, &r, b.get());
  }
  if (bevel_ != BevelKind::None) DrawEdge(dc, &r, bevel_ == BevelKind::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
  if (showCaption_ && !Caption().empty()) {
    SelectGuard f(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, Widen(Caption()).c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

LRESULT Panel::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintScope paint(Handle());
      Paint(paint.dc(), paint.Client());
      return 0;
    }
    case WM_LBUTTONUP:
      Control::WndProc(msg, w, l);
      Click();
      return 0;
    case WM_SETTEXT: {
      LRESULT r = Control::WndProc(msg, w, l);
      Invalidate();
      return r;
    }
    default:
      return Control::WndProc(msg, w, l);
  }
}

// ---------------------------------------------------------------- Bevel
Bevel::Bevel(Component* owner, std::string name) : Control(owner, std::move(name)) { reportMouse_ = false; }

Window::CreateParams Bevel::Params() {
  CreateParams p = Control::Params();
  p.exStyle |= WS_EX_TRANSPARENT;
  return p;
}

LRESULT Bevel::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_PAINT: {
      PaintScope paint(Handle());
      RECT rc = paint.Client();
      switch (Shape) {
        case BevelShape::Box: DrawEdge(paint.dc(), &rc, BDR_SUNKENOUTER, BF_RECT); break;
        case BevelShape::Frame: DrawEdge(paint.dc(), &rc, EDGE_ETCHED, BF_RECT); break;
        case BevelShape::TopLine: DrawEdge(paint.dc(), &rc, EDGE_ETCHED, BF_TOP); break;
      }
      return 0;
    }
    default:
      return Control::WndProc(msg, w, l);
  }
}

}  // namespace ui
