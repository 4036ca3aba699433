#include "ui/controls_list_box.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <string>

#include "ui/dpi.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/wide_text.h"

namespace ui {

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
             (multiSelect_ ? LBS_EXTENDEDSEL : 0) | (dimmed_ ? LBS_OWNERDRAWFIXED | LBS_HASSTRINGS : 0);
  return p;
}

void ListBox::HandleCreated() {
  // A new window draws from the start; a redraw pending for an old one died
  // with its timer.
  redrawPending_ = false;
  updating_ = 0;
  FitRowHeight();
}

void ListBox::FitRowHeight() {
  if (!dimmed_ || !Handle()) return;
  WindowDC dc(Handle());
  if (!dc.get()) return;
  SelectGuard font(dc.get(), Font());
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(dc.get(), &metrics)) return;
  SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(std::max<LONG>(metrics.tmHeight, 1), 0));
}

void ListBox::RedrawRows() {
  if (Handle() && updating_ == 0) InvalidateRect(Handle(), nullptr, TRUE);
}

void ListBox::DrawRow(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID != UINT(-1) && int(item.itemID) < Count()) {
    const int row = int(item.itemID);
    const bool dimmed = dimmed_(row);
    const std::wstring text = Widen(Item(row));
    SetBkMode(dc, TRANSPARENT);
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const COLORREF colour =
        GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : dimmed || disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    ::SetTextColor(dc, colour);
    RECT textRect = r;
    textRect.left += Scale(2);
    DrawTextW(dc, text.c_str(), int(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (dimmed) {
      // Struck through as well: grey alone is lost on the selection's colour.
      SIZE size{};
      GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
      const int y = (r.top + r.bottom) / 2;
      const int right = int(std::min<LONG>(r.right, textRect.left + size.cx));
      const PenHandle pen(CreatePen(PS_SOLID, 1, colour));
      SelectGuard drawWith(dc, pen.get());
      MoveToEx(dc, textRect.left, y, nullptr);
      LineTo(dc, right, y);
    }
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
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
  FitRowHeight();
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
  if (msg == WM_SETFONT && dimmed_) {
    const LRESULT result = Control::WndProc(msg, w, l);
    FitRowHeight();
    return result;
  }
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
  if (msg == WM_DRAWITEM && dimmed_) {
    DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
    result = TRUE;
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

}  // namespace ui
