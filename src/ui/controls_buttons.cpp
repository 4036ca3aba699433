#include "ui/controls_buttons.h"

#include <windowsx.h>

#include "ui/dpi.h"
#include "ui/form.h"
#include "ui/handle.h"
#include "ui/wide_text.h"

namespace ui {

// ---------------------------------------------------------------- Button
Button::Button(Component* owner, std::string name) : Control(owner, std::move(name)) { reportMouse_ = false; }

Window::CreateParams Button::Params() {
  CreateParams p = Control::Params();
  p.className = "BUTTON";
  p.style |= WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  return p;
}

void Button::SetDefault(bool on) {
  default_ = on;
  if (Handle()) SendMessageA(Handle(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::SetIcon(const char* resource, int size) {
  icon_ = ScaledIcon(resource, size);
  DpiChanged();
}

void Button::HandleCreated() { DpiChanged(); }

void Button::DpiChanged() {
  // The button keeps no copy: it shows ours, which lives as long as we do.
  if (Handle() && icon_.Load(Dpi())) SendMessageA(Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon_.Get()));
}

void Button::Click() {
  if (ModalResult) {
    if (Form* f = ParentForm()) f->SetModalResult(ModalResult);
  }
  Control::Click();
}

bool Button::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(w) == BN_CLICKED) {
    Click();
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

// ---------------------------------------------------------------- CheckableButton
CheckableButton::CheckableButton(Component* owner, std::string name, DWORD buttonStyle)
    : Control(owner, std::move(name)), buttonStyle_(buttonStyle) {
  reportMouse_ = false;
  PublishBoolean("Checked", [this] { return checked_; }, [this](bool v) { SetChecked(v); });
}

Window::CreateParams CheckableButton::Params() {
  CreateParams p = Control::Params();
  p.className = "BUTTON";
  p.style |= WS_TABSTOP | BS_MULTILINE | buttonStyle_;
  return p;
}

void CheckableButton::HandleCreated() {
  SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckableButton::StoreChecked(bool on) {
  if (on == checked_) return false;
  checked_ = on;
  if (Handle()) SendMessageA(Handle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  return true;
}

// ---------------------------------------------------------------- CheckBox
CheckBox::CheckBox(Component* owner, std::string name)
    : CheckableButton(owner, std::move(name), BS_AUTOCHECKBOX) {}

void CheckBox::SetChecked(bool on) {
  if (StoreChecked(on)) Click();
}

bool CheckBox::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(w) == BN_CLICKED) {
    // The button has already changed its own state; take it over and report.
    StoreChecked(SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED);
    Click();
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

// ---------------------------------------------------------------- RadioButton
RadioButton::RadioButton(Component* owner, std::string name)
    : CheckableButton(owner, std::move(name), BS_RADIOBUTTON) {}

void RadioButton::SetChecked(bool on) {
  if (!StoreChecked(on) || !on) return;
  if (Control* parent = Parent()) {
    for (Control* c : parent->Children()) {
      if (auto* r = dynamic_cast<RadioButton*>(c); r && r != this) r->SetChecked(false);
    }
  }
  Click();
}

bool RadioButton::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(w) == BN_CLICKED) {
    SetChecked(true);
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

// ---------------------------------------------------------------- SpeedButton
SpeedButton::SpeedButton(Component* owner, std::string name) : Control(owner, std::move(name)) {}

Window::CreateParams SpeedButton::Params() { return Control::Params(); }

void SpeedButton::SetIcon(const char* resource, int size) {
  icon_ = ScaledIcon(resource, size);
  DpiChanged();
}

void SpeedButton::DpiChanged() {
  icon_.Load(Dpi());
  Invalidate();
}

int SpeedButton::NeededWidth() const {
  // The margins Paint leaves: 6 before the picture, 5 after it, 4 at the end.
  const int picture = icon_ ? ScaleFromDpi(icon_.PixelSize(), Dpi()) + 5 : 0;
  return 6 + picture + CaptionWidth() + 4 + 1;
}

void SpeedButton::Paint(HDC dc) {
  RECT rc;
  GetClientRect(Handle(), &rc);
  // Laid out from right to left, the picture still faces the way it was drawn.
  if (GetLayout(dc) & LAYOUT_RTL) SetLayout(dc, LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED);
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  bool enabled = EffectivelyEnabled();
  if (enabled && (hot_ || pressed_)) DrawEdge(dc, &rc, pressed_ && hot_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  int shift = pressed_ && hot_ ? 1 : 0;
  int x = rc.left + Scale(6) + shift;
  if (icon_) {
    int size = icon_.PixelSize();
    int y = (rc.bottom - size) / 2 + shift;
    if (enabled) {
      DrawIconEx(dc, x, y, icon_.Get(), size, size, 0, nullptr, DI_NORMAL);
    } else {
      DrawIconDisabled(dc, x, y, icon_.Get(), size, GetSysColor(COLOR_BTNFACE));
    }
    x += size + Scale(5);
  }
  RECT text{x, rc.top + shift, rc.right - Scale(4), rc.bottom + shift};
  SelectGuard f(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, Widen(Caption()).c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

LRESULT SpeedButton::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintScope paint(Handle());
      Paint(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(w));
      return 0;
    case WM_MOUSEMOVE: {
      POINT pt{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
      RECT rc;
      GetClientRect(Handle(), &rc);
      bool inside = PtInRect(&rc, pt) != FALSE;
      if (inside != hot_) {
        hot_ = inside;
        Invalidate();
      }
      if (inside) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&t);
      }
      break;
    }
    case WM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      hot_ = true;
      SetCapture(Handle());
      Invalidate();
      break;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        ReleaseCapture();
        Invalidate();
        if (hot_) {
          Control::WndProc(msg, w, l);
          Click();
          return 0;
        }
      }
      break;
    case WM_ENABLE:
      Invalidate();
      break;
    case WM_SETTEXT: {
      LRESULT r = Control::WndProc(msg, w, l);
      Invalidate();
      return r;
    }
    default:
      break;
  }
  return Control::WndProc(msg, w, l);
}

}  // namespace ui
