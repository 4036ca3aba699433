#include "ui/controls_labels.h"

namespace ui {

// ---------------------------------------------------------------- Label
Label::Label(Component* owner, std::string name) : Control(owner, std::move(name)) {}

Window::CreateParams Label::Params() {
  CreateParams p = Control::Params();
  p.className = "STATIC";
  p.style |= SS_NOTIFY;
  switch (alignment_) {
    case Alignment::Left: p.style |= wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP; break;
    case Alignment::Center: p.style |= SS_CENTER; break;
    case Alignment::Right: p.style |= SS_RIGHT; break;
  }
  if (pathEllipsis_) p.style |= SS_PATHELLIPSIS;
  return p;
}

void Label::SetAlignment(Alignment a) {
  alignment_ = a;
  if (Handle()) {
    LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE) & ~LONG_PTR(SS_TYPEMASK);
    style |= a == Alignment::Center ? SS_CENTER : a == Alignment::Right ? SS_RIGHT : wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP;
    SetWindowLongPtrA(Handle(), GWL_STYLE, style);
    Invalidate();
  }
}

void Label::SetWordWrap(bool on) {
  wordWrap_ = on;
  SetAlignment(alignment_);
}

bool Label::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(w) == STN_CLICKED) {
    Click();
    return true;
  }
  if (msg == WM_COMMAND && HIWORD(w) == STN_DBLCLK) {
    Raise(OnDblClick, *this);
    return true;
  }
  if (msg == WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(w);
    if (textColor_ != CLR_INVALID) ::SetTextColor(dc, textColor_);
    SetBkMode(dc, TRANSPARENT);
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

}  // namespace ui
