#include "ui/controls.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>

#include <algorithm>
#include <bit>
#include <optional>
#include <stdexcept>

#include "common/text.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/dpi.h"
#include "ui/form.h"
#include "ui/wide_text.h"

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

// ---------------------------------------------------------------- ComboBox
ComboBox::ComboBox(Component* owner, std::string name) : Control(owner, std::move(name)) {
  reportMouse_ = false;
  // A shorter list (a language file older than the program's choices)
  // replaces the first items and keeps the rest, so no choice disappears.
  PublishStrings("Items", [this] { return items_; }, [this](const std::vector<std::string>& v) {
    std::vector<std::string> items = v;
    for (size_t i = v.size(); i < items_.size(); ++i) items.push_back(items_[i]);
    SetItems(items);
  });
  PublishInteger("ItemIndex", [this] { return ItemIndex(); }, [this](int64_t v) { SetItemIndex(int(v)); });
  PublishText("Text", [this] { return Text(); }, [this](const std::string& v) { SetText(v); });
}

Window::CreateParams ComboBox::Params() {
  CreateParams p = Control::Params();
  p.className = "COMBOBOX";
  p.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
  p.height += 200;  // room for the list when it drops down
  return p;
}

void ComboBox::HandleCreated() {
  for (const auto& s : items_) SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  SendMessageA(Handle(), CB_SETCURSEL, index_, 0);
}

void ComboBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  index_ = -1;
  if (Handle()) {
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    HandleCreated();
  }
}

int ComboBox::ItemIndex() const {
  return Handle() ? int(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : index_;
}

void ComboBox::SetItemIndex(int i) {
  if (i < -1 || i >= int(items_.size())) i = -1;
  index_ = i;
  if (Handle()) SendMessageA(Handle(), CB_SETCURSEL, i, 0);
}

std::string ComboBox::Text() const {
  int i = ItemIndex();
  return i >= 0 && i < int(items_.size()) ? items_[size_t(i)] : std::string();
}

void ComboBox::SetText(const std::string& text) {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] == text) {
      SetItemIndex(int(i));
      return;
    }
  }
  SetItemIndex(-1);
}

bool ComboBox::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(w) == CBN_SELCHANGE) {
    index_ = int(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    Raise(OnChange, *this);
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

// ---------------------------------------------------------------- ListBox
ListBox::ListBox(Component* owner, std::string name) : Control(owner, std::move(name)) {
  PublishStrings("Items", [this] { return Items(); }, [this](const std::vector<std::string>& v) { SetItems(v); });
  PublishInteger("ItemIndex", [this] { return ItemIndex(); }, [this](int64_t v) { SetItemIndex(int(v)); });
}

Window::CreateParams ListBox::Params() {
  CreateParams p = Control::Params();
  p.className = "LISTBOX";
  p.exStyle |= WS_EX_CLIENTEDGE;
  p.style |= WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
             (multiSelect_ ? LBS_EXTENDEDSEL : 0);
  return p;
}

void ListBox::HandleCreated() {
  // A new window draws from the start; a redraw pending for an old one died
  // with its timer.
  redrawPending_ = false;
  updating_ = 0;
}

void ListBox::CheckIndex(int i) const {
  if (i < 0 || i >= Count()) throw Error("List index out of bounds (" + std::to_string(i) + ")");
}

int ListBox::Count() const { return Handle() ? int(SendMessageA(Handle(), LB_GETCOUNT, 0, 0)) : 0; }

std::string ListBox::Item(int i) const {
  CheckIndex(i);
  LRESULT n = SendMessageA(Handle(), LB_GETTEXTLEN, i, 0);
  std::string s(size_t(n) + 1, '\0');
  n = SendMessageA(Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()));
  s.resize(n > 0 ? size_t(n) : 0);
  return s;
}

std::vector<std::string> ListBox::Items() const {
  std::vector<std::string> v;
  for (int i = 0, n = Count(); i < n; ++i) v.push_back(Item(i));
  return v;
}

void ListBox::SetItems(const std::vector<std::string>& items) {
  UpdateGuard update(*this);
  Clear();
  Reserve(items.size());
  AddItems(items);
}

void ListBox::AddItem(const std::string& text) {
  if (SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())) < 0) {
    throw Error("The list cannot take more rows");
  }
  FitWidthTo({&text, 1});
}

void ListBox::FitWidthTo(std::span<const std::string> rows) {
  if (!Handle() || rows.empty()) return;
  // Rows of plain ASCII (most paths) are measured from a table of the
  // font's character widths, read once: the sum of the advances is what the
  // system measures, without a trip to it for each of many thousand rows.
  // Other rows are measured by the system.
  std::optional<WindowDC> dc;
  std::optional<SelectGuard> font;
  auto open = [&] {
    if (dc) return dc->get() != nullptr;
    dc.emplace(Handle());
    if (!dc->get()) return false;
    font.emplace(dc->get(), Font());
    return true;
  };
  if (!asciiWidthsRead_) {
    if (!open()) return;
    INT widths[128] = {};
    if (!GetCharWidth32W(dc->get(), 0, 127, widths)) return;
    for (size_t c = 0; c < 128; ++c) asciiWidths_[c] = std::max(0, widths[c]);
    asciiWidthsRead_ = true;
  }
  int widest = widest_;
  for (const std::string& row : rows) {
    int64_t width = 0;
    bool ascii = true;
    for (unsigned char c : row) {
      if (c >= 128) {
        ascii = false;
        break;
      }
      width += asciiWidths_[c];
    }
    if (!ascii) {
      SIZE size{};
      const std::wstring wide = Widen(row);
      if (!open() || !GetTextExtentPoint32W(dc->get(), wide.c_str(), int(wide.size()), &size)) continue;
      width = size.cx;
    }
    widest = int(std::max<int64_t>(widest, std::min<int64_t>(width, 1 << 20)));
  }
  if (widest == widest_) return;
  widest_ = widest;
  // Room for the gap the list box leaves before and after the text.
  SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, WPARAM(widest_ + Scale(6)), 0);
}

void ListBox::ResetWidth() {
  widest_ = 0;
  if (Handle()) SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, 0, 0);
}

void ListBox::DpiChanged() {
  // The font changed with the scale: measure every row again.
  ResetWidth();
  asciiWidthsRead_ = false;
  const std::vector<std::string> rows = Items();
  FitWidthTo(rows);
}

void ListBox::AddItems(const std::vector<std::string>& texts) {
  if (!Handle()) return;
  UpdateGuard update(*this);
  // Straight to the system's list box: a row added is nothing our own
  // procedure handles, and under Wine each trip through it costs more than
  // the adding itself.
  size_t added = 0;
  struct Fit {
    ListBox& list;
    const std::vector<std::string>& texts;
    const size_t& added;
    ~Fit() { list.FitWidthTo(std::span(texts).first(added)); }
  } fit{*this, texts, added};
  for (const std::string& text : texts) {
    if (DefaultProc(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())) < 0) {
      throw Error("The list cannot take more rows");
    }
    ++added;
  }
}

void ListBox::InsertItem(int i, const std::string& text) {
  if (i < 0 || i > Count()) throw Error("List index out of bounds (" + std::to_string(i) + ")");
  SendMessageA(Handle(), LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(text.c_str()));
  FitWidthTo({&text, 1});
}

void ListBox::DeleteItem(int i) {
  CheckIndex(i);
  SendMessageA(Handle(), LB_DELETESTRING, i, 0);
  if (Count() == 0) ResetWidth();
}

void ListBox::SetItem(int i, const std::string& text) {
  CheckIndex(i);
  bool selected = Selected(i);
  SendMessageA(Handle(), LB_DELETESTRING, i, 0);
  SendMessageA(Handle(), LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(text.c_str()));
  FitWidthTo({&text, 1});
  if (selected) SetSelected(i, true);
}

void ListBox::Exchange(int i, int j) {
  if (i == j) return;
  std::string a = Item(i), b = Item(j);
  SetItem(i, b);
  SetItem(j, a);
}

void ListBox::Clear() {
  if (Handle()) SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
  ResetWidth();
}

void ListBox::Reserve(size_t more) {
  // A list box grows its row table a few rows at a time and copies it each
  // time; room in powers of two keeps a long fill linear.
  if (!Handle() || more == 0) return;
  const size_t rows = size_t(Count());
  const size_t room = std::bit_ceil(rows + more) - rows;
  SendMessageA(Handle(), LB_INITSTORAGE, WPARAM(room), LPARAM(room * 64));
}

// Turning drawing back on updates the scroll bar at once, which takes a few
// milliseconds under Wine; a reader handing over hundreds of small groups
// would spend most of its time there.
constexpr UINT_PTR kRedrawTimer = 0x5743;  // apart from the list box's own timers
constexpr DWORD kRedrawEvery = 250;  // ms

void ListBox::BeginUpdate() {
  // While a redraw is pending, drawing is off already.
  if (updating_++ == 0 && Handle() && !redrawPending_) SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void ListBox::EndUpdate() {
  if (updating_ == 0 || --updating_ > 0 || !Handle() || redrawPending_) return;
  const DWORD since = GetTickCount() - lastRedraw_;
  if (since < kRedrawEvery && SetTimer(Handle(), kRedrawTimer, kRedrawEvery - since, nullptr)) {
    redrawPending_ = true;
    return;
  }
  Redraw();
}

void ListBox::Redraw() {
  if (redrawPending_) KillTimer(Handle(), kRedrawTimer);
  redrawPending_ = false;
  lastRedraw_ = GetTickCount();
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT ListBox::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_TIMER && w == kRedrawTimer) {
    if (redrawPending_ && updating_ == 0) {
      Redraw();
    } else if (redrawPending_) {
      // Still inside an update: its EndUpdate draws.
      KillTimer(Handle(), kRedrawTimer);
      redrawPending_ = false;
    }
    return 0;
  }
  return Control::WndProc(msg, w, l);
}

int ListBox::ItemIndex() const {
  if (!Handle()) return -1;
  if (multiSelect_) return int(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
  return int(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
}

void ListBox::SetItemIndex(int i) {
  if (!Handle()) return;
  if (i >= Count()) i = -1;
  if (multiSelect_) {
    SendMessageA(Handle(), LB_SETSEL, FALSE, -1);
    if (i >= 0) {
      SendMessageA(Handle(), LB_SETSEL, TRUE, i);
      SendMessageA(Handle(), LB_SETCARETINDEX, i, FALSE);
    }
  } else {
    SendMessageA(Handle(), LB_SETCURSEL, i, 0);
  }
}

bool ListBox::Selected(int i) const {
  CheckIndex(i);
  return SendMessageA(Handle(), LB_GETSEL, i, 0) > 0;
}

void ListBox::SetSelected(int i, bool on) {
  CheckIndex(i);
  if (multiSelect_) {
    SendMessageA(Handle(), LB_SETSEL, on, i);
  } else if (on) {
    SendMessageA(Handle(), LB_SETCURSEL, i, 0);
  } else if (ItemIndex() == i) {
    SendMessageA(Handle(), LB_SETCURSEL, WPARAM(-1), 0);
  }
}

int ListBox::SelCount() const {
  if (!Handle()) return 0;
  if (multiSelect_) return int(SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0));
  return ItemIndex() >= 0 ? 1 : 0;
}

bool ListBox::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(w) == LBN_SELCHANGE) {
    Click();
    return true;
  }
  if (msg == WM_COMMAND && HIWORD(w) == LBN_DBLCLK) {
    Raise(OnDblClick, *this);
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

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
