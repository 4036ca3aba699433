#include "ui/control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

#include "ui/dpi.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/form.h"
#include "ui/wide_text.h"

namespace ui {

ShiftState ShiftFromMouseKeys(unsigned keys) {
  ShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

HFONT FontFor(const FontStyle& style, int dpi) {
  HFONT base = MessageFontForDpi(dpi);
  if (style == FontStyle{}) return base;
  static std::map<std::tuple<bool, bool, int, int>, FontHandle> cache;
  auto& slot = cache[std::make_tuple(style.bold, style.underline, style.height, dpi)];
  if (!slot) {
    LOGFONTW lf{};
    GetObjectW(base, sizeof lf, &lf);
    if (style.bold) lf.lfWeight = FW_BOLD;
    if (style.underline) lf.lfUnderline = TRUE;
    if (style.height) lf.lfHeight = -ScaleToDpi(style.height, dpi);
    slot.reset(CreateFontIndirectW(&lf));
  }
  return slot ? slot.get() : base;
}

Control::Control(Component* owner, std::string name) : Component(owner, std::move(name)) {
  PublishText("Caption", [this] { return caption_; }, [this](const std::string& v) { SetCaption(v); });
  PublishText("Hint", [this] { return hint_; }, [this](const std::string& v) { SetHint(v); });
  PublishBoolean("ShowHint", [this] { return showHint_; }, [this](bool v) { SetShowHint(v); });
  PublishBoolean("Visible", [this] { return visible_; }, [this](bool v) { SetVisible(v); });
  PublishBoolean("Enabled", [this] { return enabled_; }, [this](bool v) { SetEnabled(v); });
  PublishInteger("Left", [this] { return Left(); }, [this](int64_t v) { SetLeft(int(v)); });
  PublishInteger("Top", [this] { return Top(); }, [this](int64_t v) { SetTop(int(v)); });
  PublishInteger("Width", [this] { return Width(); }, [this](int64_t v) { SetWidth(int(v)); });
  PublishInteger("Height", [this] { return Height(); }, [this](int64_t v) { SetHeight(int(v)); });
}

Control::~Control() {
  if (parent_) {
    auto& list = parent_->children_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  for (Control* c : children_) c->parent_ = nullptr;
  if (form_) form_->ForgetControl(*this);
}

Window::CreateParams Control::Params() {
  CreateParams p;
  p.style = WS_CHILD | WS_CLIPSIBLINGS;
  return p;
}

void Control::CreateIn(Form& form, Control* parent, RECT bounds, const std::string& caption) {
  form_ = &form;
  parent_ = parent;
  if (parent_) parent_->children_.push_back(this);
  bounds_ = bounds;
  caption_ = caption;
  CreateParams p = Params();
  p.parent = parent_ ? parent_->Handle() : form.Handle();
  const RECT px = ScaleRectToDpi(bounds_, form.Dpi());
  p.x = px.left;
  p.y = px.top;
  p.width = px.right - px.left;
  p.height = px.bottom - px.top;
  p.caption = caption_;
  if (visible_) p.style |= WS_VISIBLE;
  CreateHandle(p, OwnClassName());
  // A child takes its parent's direction when it is made; a picture keeps
  // its own.
  if (form.Mirrored() && !Mirrors()) ApplyDirection(true);
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  ApplyEnabled();
  form.RememberControl(*this);
  HandleCreated();
  SyncTool();
}

void Control::HandleDestroyed() {}

void Control::ApplyDirection(bool rightToLeft) {
  if (!Handle()) return;
  const bool on = rightToLeft && Mirrors();
  const auto ex = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
  const auto want = on ? ex | WS_EX_LAYOUTRTL : ex & ~LONG_PTR(WS_EX_LAYOUTRTL);
  if (want == ex) return;
  SetWindowLongPtrA(Handle(), GWL_EXSTYLE, want);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(Handle(), nullptr, TRUE);
}

NotifyEvent* Control::EventSlot(Event e) {
  switch (e) {
    case Event::Click: return &OnClick;
    case Event::DblClick: return &OnDblClick;
    default: return nullptr;
  }
}

void Control::SetCaption(const std::string& text) {
  caption_ = text;
  if (Handle()) SetWindowTextA(Handle(), text.c_str());
}

void Control::SetHint(const std::string& text) {
  hint_ = text;
  SyncTool();
}

void Control::SetShowHint(bool on) {
  showHint_ = on;
  SyncTool();
}

void Control::SyncTool() {
  if (form_ && Handle()) form_->SyncTool(*this);
}

void Control::SetVisible(bool on) {
  visible_ = on;
  if (Handle()) ShowWindow(Handle(), on ? SW_SHOWNA : SW_HIDE);
}

void Control::SetEnabled(bool on) {
  enabled_ = on;
  ApplyEnabled();
}

bool Control::EffectivelyEnabled() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->enabled_) return false;
  }
  return true;
}

void Control::ApplyEnabled() {
  // Children follow their container, so a disabled group looks disabled too.
  if (Handle()) EnableWindow(Handle(), EffectivelyEnabled());
  for (Control* c : children_) c->ApplyEnabled();
}

void Control::SetBounds(int left, int top, int width, int height) {
  bounds_ = RECT{left, top, left + width, top + height};
  if (Handle()) {
    const RECT px = ScaleRectToDpi(bounds_, Dpi());
    MoveWindow(Handle(), px.left, px.top, px.right - px.left, px.bottom - px.top, TRUE);
  }
}

void Control::SetFontStyle(const FontStyle& style) {
  font_ = style;
  if (Handle()) SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
}

HFONT Control::Font() const { return FontFor(font_, Dpi()); }

int Control::CaptionWidth() const {
  std::wstring wide = Widen(caption_);
  std::erase(wide, L'&');
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font());
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int dpi = Dpi();
  return (int(size.cx) * kLayoutDpi + dpi - 1) / dpi;
}

int Control::Dpi() const { return form_ ? form_->Dpi() : SystemDpi(); }

int Control::Scale(int layout) const { return ScaleToDpi(layout, Dpi()); }

void Control::ApplyDpi() {
  if (!Handle()) return;
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  SetBounds(Left(), Top(), Width(), Height());
  DpiChanged();
  Invalidate();
}

void Control::SetTextColor(COLORREF color) {
  textColor_ = color;
  Invalidate();
}

void Control::Invalidate() {
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void Control::Repaint() {
  if (Handle()) {
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
  }
}

void Control::SetFocus() {
  if (Handle()) ::SetFocus(Handle());
}

void Control::Click() { Raise(OnClick, *this); }

LRESULT Control::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_GETFONT:
      // Controls that draw their own text answer with the font they draw it in.
      if (!IsSystemControl()) return reinterpret_cast<LRESULT>(Font());
      break;
    case WM_SETCURSOR:
      if (cursor_ && LOWORD(l) == HTCLIENT) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      if (reportMouse_ && OnMouseDown) {
        MouseButton b = (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK)   ? MouseButton::Left
                        : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) ? MouseButton::Right
                                                                             : MouseButton::Middle;
        ShiftState s = ShiftFromMouseKeys(unsigned(w));
        if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK) s |= ssDouble;
        OnMouseDown(*this, b, s, GET_X_LPARAM(l), GET_Y_LPARAM(l));
      }
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (reportMouse_ && OnMouseUp) {
        MouseButton b = msg == WM_LBUTTONUP ? MouseButton::Left
                        : msg == WM_RBUTTONUP ? MouseButton::Right
                                              : MouseButton::Middle;
        OnMouseUp(*this, b, ShiftFromMouseKeys(unsigned(w)), GET_X_LPARAM(l), GET_Y_LPARAM(l));
      }
      break;
    case WM_MOUSEMOVE:
      if (reportMouse_ && OnMouseMove) OnMouseMove(*this, ShiftFromMouseKeys(unsigned(w)), GET_X_LPARAM(l), GET_Y_LPARAM(l));
      break;
    default:
      break;
  }
  return Window::WndProc(msg, w, l);
}

bool Control::HandleReflected(UINT msg, WPARAM w, LPARAM, LRESULT& result) {
  if ((msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) && textColor_ != CLR_INVALID) {
    HDC dc = reinterpret_cast<HDC>(w);
    ::SetTextColor(dc, textColor_);
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  return false;
}

}  // namespace ui
