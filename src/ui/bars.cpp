#include "ui/bars.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/dpi.h"
#include "ui/form.h"
#include "ui/image_list.h"
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

// ---------------------------------------------------------------- ImageTabSheet
ImageTabSheet::ImageTabSheet(Component* owner, std::string name) : Control(owner, std::move(name)) {}

Window::CreateParams ImageTabSheet::Params() {
  CreateParams p = Control::Params();
  p.exStyle |= WS_EX_CONTROLPARENT;
  p.style |= WS_CLIPCHILDREN;
  return p;
}

LRESULT ImageTabSheet::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_ERASEBKGND) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    FillRect(reinterpret_cast<HDC>(w), &rc, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return Control::WndProc(msg, w, l);
}

// ---------------------------------------------------------------- ImageTabControl
ImageTabControl::ImageTabControl(Component* owner, std::string name) : Control(owner, std::move(name)) {
  reportMouse_ = false;
}

ImageTabControl::~ImageTabControl() {
  if (himl_) ImageList_Destroy(himl_);
}

Window::CreateParams ImageTabControl::Params() {
  CreateParams p = Control::Params();
  p.className = WC_TABCONTROLA;
  p.exStyle |= WS_EX_CONTROLPARENT;
  p.style |= WS_CLIPCHILDREN | TCS_FOCUSNEVER;
  return p;
}

void ImageTabControl::SetImages(ImageList* images) {
  images_ = images;
  if (Handle()) HandleCreated();
}

void ImageTabControl::HandleCreated() {
  if (!images_) return;
  if (himl_) ImageList_Destroy(himl_);
  himl_ = ImageList_Create(images_->Width(), images_->Height(), ILC_COLOR32 | ILC_MASK, images_->Count(), 0);
  for (int i = 0; i < images_->Count(); ++i) ImageList_AddIcon(himl_, images_->Image(i));
  SendMessageA(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(himl_));
}

RECT ImageTabControl::DisplayRect() const {
  RECT rc{};
  if (!Handle()) return rc;
  GetClientRect(Handle(), &rc);
  SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
  const int dpi = Dpi();
  return RECT{ScaleFromDpi(rc.left, dpi), ScaleFromDpi(rc.top, dpi), ScaleFromDpi(rc.right, dpi),
              ScaleFromDpi(rc.bottom, dpi)};
}

void ImageTabControl::Realign() {
  const RECT r = DisplayRect();
  for (ImageTabSheet* s : pages_) {
    if (s->Handle()) s->SetBounds(r.left, r.top, std::max(0, int(r.right - r.left)), std::max(0, int(r.bottom - r.top)));
  }
}

void ImageTabControl::AddPage(ImageTabSheet& sheet, const std::string& caption, int imageIndex) {
  const std::wstring text = Widen(caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  item.iImage = imageIndex;
  sheet.ImageIndex = imageIndex;
  SendMessageW(Handle(), TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
  pages_.push_back(&sheet);
  captions_.push_back(caption);
  // The first tab changes the display area (the row of tabs appears).
  const RECT r = DisplayRect();
  sheet.SetVisible(false);
  sheet.CreateIn(*ParentForm(), this, RECT{r.left, r.top, r.right, r.bottom}, "");
  Realign();
}

void ImageTabControl::RemovePage(ImageTabSheet& sheet) {
  auto it = std::find(pages_.begin(), pages_.end(), &sheet);
  if (it == pages_.end()) return;
  const int i = int(it - pages_.begin());
  SendMessageA(Handle(), TCM_DELETEITEM, i, 0);
  pages_.erase(it);
  captions_.erase(captions_.begin() + i);
  sheet.SetVisible(false);
  if (active_ >= PageCount()) active_ = PageCount() - 1;
  else if (i < active_) --active_;
  Realign();
  ShowOnly(active_);
}

void ImageTabControl::SetActivePage(int i) {
  if (i < -1 || i >= PageCount()) return;
  active_ = i;
  if (i >= 0) SendMessageA(Handle(), TCM_SETCURSEL, i, 0);
  ShowOnly(i);
}

void ImageTabControl::ShowOnly(int i) {
  if (i >= 0 && int(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)) != i) SendMessageA(Handle(), TCM_SETCURSEL, i, 0);
  for (int k = 0; k < PageCount(); ++k) {
    if (k != i) pages_[size_t(k)]->SetVisible(false);
  }
  if (ImageTabSheet* s = Page(i)) {
    s->SetVisible(true);
    SetWindowPos(s->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void ImageTabControl::SetPageCaption(int i, const std::string& caption) {
  if (i < 0 || i >= PageCount()) return;
  captions_[size_t(i)] = caption;
  const std::wstring text = Widen(caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(Handle(), TCM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
  Realign();
}

std::string ImageTabControl::PageCaption(int i) const {
  return i >= 0 && i < PageCount() ? captions_[size_t(i)] : std::string();
}

bool ImageTabControl::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->code == TCN_SELCHANGE) {
    active_ = int(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
    ShowOnly(active_);
    Raise(OnChange, *this);
    result = 0;
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

LRESULT ImageTabControl::WndProc(UINT msg, WPARAM w, LPARAM l) {
  LRESULT r = Control::WndProc(msg, w, l);
  if (msg == WM_SIZE) Realign();
  return r;
}

}  // namespace ui
