#include "ui/bars.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/dpi.h"
#include "ui/wide_text.h"

namespace ui {

// ---------------------------------------------------------------- TrackBar
TrackBar::TrackBar(Component* owner, std::string name) : Control(owner, std::move(name)) {
  reportMouse_ = false;
  PublishInteger("Position", [this] { return position_; }, [this](int64_t v) { SetPosition(int(v)); });
}

Window::CreateParams TrackBar::Params() {
  CreateParams p = Control::Params();
  p.className = TRACKBAR_CLASSA;
  p.style |= WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM;
  return p;
}

void TrackBar::HandleCreated() {
  SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, Min);
  SendMessageA(Handle(), TBM_SETRANGEMAX, FALSE, Max);
  SendMessageA(Handle(), TBM_SETTICFREQ, 5, 0);
  SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
}

void TrackBar::SetPosition(int p) {
  p = std::clamp(p, Min, Max);
  if (Handle()) SendMessageA(Handle(), TBM_SETPOS, TRUE, p);
  if (p == position_) return;
  position_ = p;
  Raise(OnChange, *this);
}

bool TrackBar::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
    const int p = int(SendMessageA(Handle(), TBM_GETPOS, 0, 0));
    if (p != position_) {
      position_ = p;
      Raise(OnChange, *this);
    }
    result = 0;
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

// ---------------------------------------------------------------- ScrollBar
ScrollBar::ScrollBar(Component* owner, std::string name, bool vertical)
    : Control(owner, std::move(name)), vertical_(vertical) {
  reportMouse_ = false;
  PublishInteger("Position", [this] { return position_; }, [this](int64_t v) { SetPosition(int(v)); });
  PublishInteger("Max", [this] { return max_; }, [this](int64_t v) { SetMax(int(v)); });
}

Window::CreateParams ScrollBar::Params() {
  CreateParams p = Control::Params();
  p.className = "SCROLLBAR";
  p.style |= vertical_ ? SBS_VERT : SBS_HORZ;
  return p;
}

void ScrollBar::Push() {
  if (!Handle()) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
  si.nMin = 0;
  si.nMax = max_;
  si.nPage = 0;
  si.nPos = position_;
  // Drawn with the next paint, not at once: setting a range and a position
  // would draw the bar twice, and a zoom step sets both bars.
  SetScrollInfo(Handle(), SB_CTL, &si, FALSE);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void ScrollBar::HandleCreated() { Push(); }

void ScrollBar::SetMax(int m) {
  max_ = std::max(0, m);
  if (position_ > max_) {
    position_ = max_;
    Push();
    Raise(OnChange, *this);
    return;
  }
  Push();
}

void ScrollBar::SetPosition(int p) {
  p = std::clamp(p, 0, max_);
  if (p == position_) return;
  position_ = p;
  Push();
  Raise(OnChange, *this);
}

bool ScrollBar::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg != WM_HSCROLL && msg != WM_VSCROLL) return Control::HandleReflected(msg, w, l, result);
  result = 0;
  const int big = std::max(1, max_ / 10);
  int p = position_;
  switch (LOWORD(w)) {
    case SB_LINEUP: p -= 1; break;
    case SB_LINEDOWN: p += 1; break;
    case SB_PAGEUP: p -= big; break;
    case SB_PAGEDOWN: p += big; break;
    case SB_TOP: p = 0; break;
    case SB_BOTTOM: p = max_; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_CTL, &si);
      p = si.nTrackPos;
      break;
    }
    default: return true;
  }
  SetPosition(p);
  return true;
}

// ---------------------------------------------------------------- StatusBar
StatusBar::StatusBar(Component* owner, std::string name) : Control(owner, std::move(name)) { reportMouse_ = false; }

Window::CreateParams StatusBar::Params() {
  CreateParams p = Control::Params();
  p.className = STATUSCLASSNAMEA;
  p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  return p;
}

void StatusBar::SetPanels(std::vector<int> widths) {
  widths_ = std::move(widths);
  texts_.resize(widths_.size());
  if (Handle()) HandleCreated();
}

void StatusBar::HandleCreated() {
  std::vector<int> rights;
  int x = 0;
  for (size_t i = 0; i < widths_.size(); ++i) {
    x += Scale(widths_[i]);
    rights.push_back(i + 1 == widths_.size() ? -1 : x);
  }
  SendMessageA(Handle(), SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
  for (size_t i = 0; i < texts_.size(); ++i) {
    SendMessageW(Handle(), SB_SETTEXTW, i, reinterpret_cast<LPARAM>(Widen(texts_[i]).c_str()));
  }
}

std::string StatusBar::PanelText(int i) const {
  return i >= 0 && i < PanelCount() ? texts_[size_t(i)] : std::string();
}

void StatusBar::SetPanelText(int i, const std::string& text) {
  if (i < 0 || i >= PanelCount()) return;
  texts_[size_t(i)] = text;
  if (Handle()) SendMessageW(Handle(), SB_SETTEXTW, i, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

}  // namespace ui
