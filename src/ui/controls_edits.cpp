#include "ui/controls_edits.h"

#include <commctrl.h>

#include "common/text.h"
#include "ui/dpi.h"
#include "ui/form.h"

namespace ui {

// ---------------------------------------------------------------- Edit
Edit::Edit(Component* owner, std::string name) : Control(owner, std::move(name)) {
  reportMouse_ = false;
  PublishText("Text", [this] { return Text(); }, [this](const std::string& v) { SetText(v); });
}

Window::CreateParams Edit::Params() {
  CreateParams p = Control::Params();
  p.className = "EDIT";
  p.exStyle |= WS_EX_CLIENTEDGE;
  p.style |= WS_TABSTOP | ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
  return p;
}

void Edit::HandleCreated() {
  if (maxLength_) SendMessageA(Handle(), EM_SETLIMITTEXT, maxLength_, 0);
  if (!pending_.empty()) SetWindowTextA(Handle(), pending_.c_str());
}

std::string Edit::Text() const {
  if (!Handle()) return pending_;
  int n = GetWindowTextLengthA(Handle());
  std::string s(size_t(n) + 1, '\0');
  n = GetWindowTextA(Handle(), s.data(), n + 1);
  s.resize(size_t(n));
  return s;
}

void Edit::SetText(const std::string& text) {
  if (!Handle()) {
    pending_ = text;
    Raise(OnChange, *this);
    return;
  }
  SetWindowTextA(Handle(), text.c_str());  // EN_CHANGE runs OnChange
}

void Edit::SetReadOnly(bool on) {
  readOnly_ = on;
  if (Handle()) SendMessageA(Handle(), EM_SETREADONLY, on, 0);
}

void Edit::SetMaxLength(int n) {
  maxLength_ = n;
  if (Handle()) SendMessageA(Handle(), EM_SETLIMITTEXT, n, 0);
}

void Edit::SelectAll() {
  if (Handle()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

LRESULT Edit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_CHAR && numeric_ && w >= ' ' && !(w >= '0' && w <= '9') && w != '-') {
    MessageBeep(MB_OK);
    return 0;
  }
  return Control::WndProc(msg, w, l);
}

bool Edit::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(w) == EN_CHANGE) {
    Raise(OnChange, *this);
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

// ---------------------------------------------------------------- SpinEdit
SpinEdit::SpinEdit(Component* owner, std::string name) : Control(owner, std::move(name)), edit_(nullptr, "") {
  PublishInteger("Value", [this] { return Value(); }, [this](int64_t v) { SetValue(Clamp(v)); });
  edit_.SetNumeric(true);
  edit_.OnChange = [this](Component&) { Raise(OnChange, *this); };
}

Window::CreateParams SpinEdit::Params() {
  CreateParams p = Control::Params();
  p.exStyle |= WS_EX_CONTROLPARENT;
  return p;
}

void SpinEdit::HandleCreated() {
  std::string text = edit_.Text();
  if (text.empty()) text = "0";
  // The arrows are as wide as a scroll bar, in layout units.
  int arrows = ScaleFromDpi(SystemMetricForDpi(SM_CXVSCROLL, Dpi()), Dpi());
  edit_.CreateIn(*ParentForm(), this, RECT{0, 0, Width() - arrows, Height()}, "");
  edit_.SetText(text);
  RECT px = ScaleRectToDpi(RECT{Width() - arrows, 0, Width(), Height()}, Dpi());
  updown_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_NOTHOUSANDS, px.left, 0,
                            px.right - px.left, px.bottom, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(updown_, UDM_SETRANGE32, 0, 100);
  SendMessageA(updown_, UDM_SETPOS32, 0, 50);
}

int32_t SpinEdit::Clamp(int64_t v) const {
  if (MinValue != 0 || MaxValue != 0) {
    if (v < MinValue) v = MinValue;
    if (v > MaxValue) v = MaxValue;
  }
  if (v < INT32_MIN) v = INT32_MIN;
  if (v > INT32_MAX) v = INT32_MAX;
  return int32_t(v);
}

int32_t SpinEdit::Value() const {
  auto v = wc::ParseIntegerText(wc::Trim(edit_.Text()));
  return v ? *v : MinValue;
}

void SpinEdit::SetValue(int32_t v) {
  v = Clamp(v);
  if (edit_.Text() != std::to_string(v)) edit_.SetText(std::to_string(v));
}

void SpinEdit::SetLimits(int32_t minValue, int32_t maxValue) {
  MinValue = minValue;
  MaxValue = maxValue;
  if (Clamp(Value()) != Value()) SetValue(Value());
}

LRESULT SpinEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->hwndFrom == updown_ &&
      reinterpret_cast<NMHDR*>(l)->code == UDN_DELTAPOS) {
    auto* nm = reinterpret_cast<NMUPDOWN*>(l);
    SetValue(Clamp(int64_t(Value()) + (nm->iDelta > 0 ? 1 : -1)));
    return 1;  // we moved the value ourselves; keep the arrows' own position
  }
  if (msg == WM_SIZE && edit_.Handle()) {
    int arrows = ScaleFromDpi(SystemMetricForDpi(SM_CXVSCROLL, Dpi()), Dpi());
    edit_.SetBounds(0, 0, Width() - arrows, Height());
    RECT px = ScaleRectToDpi(RECT{Width() - arrows, 0, Width(), Height()}, Dpi());
    MoveWindow(updown_, px.left, 0, px.right - px.left, px.bottom, TRUE);
  }
  if (msg == WM_ENABLE) {
    EnableWindow(edit_.Handle(), BOOL(w));
    EnableWindow(updown_, BOOL(w));
  }
  return Control::WndProc(msg, w, l);
}

}  // namespace ui
