#include "ui/page_control.h"

#include <algorithm>

#include "ui/dpi.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/wide_text.h"

namespace ui {

TabSheet::TabSheet(Component* owner, std::string name) : Panel(owner, std::move(name)) { SetShowCaption(false); }

void TabSheet::SetCaption(const std::string& text) {
  Panel::SetCaption(text);
  if (pages_) pages_->CaptionChanged(*this);
}

LRESULT TabSheet::WndProc(UINT msg, WPARAM w, LPARAM l) {
  // Cleared at once, not only at the next paint: a page shown or uncovered
  // while its picture is being replaced must not show the old contents.
  if (msg == WM_ERASEBKGND) return EraseToButtonFace(Handle(), reinterpret_cast<HDC>(w));
  return Panel::WndProc(msg, w, l);
}

PageControl::PageControl(Component* owner, std::string name) : Control(owner, std::move(name)) {
  reportMouse_ = false;
  PublishInteger("ActivePageIndex", [this] { return active_; }, [this](int64_t v) { SetActivePageIndex(int(v)); });
}

Window::CreateParams PageControl::Params() {
  CreateParams p = Control::Params();
  p.className = WC_TABCONTROLA;
  // The pages are children of the tabs: the tabs must not paint over them.
  p.style |= WS_CLIPCHILDREN | (FocusTabs ? WS_TABSTOP : TCS_FOCUSNEVER);
  p.exStyle |= WS_EX_CONTROLPARENT;
  return p;
}

void PageControl::SetImages(ImageList* images) {
  images_ = images;
  if (Handle()) HandleCreated();
}

void PageControl::HandleCreated() {
  if (images_) {
    // The control draws from a list of its own, made from the caller's icons.
    himl_.reset(ImageList_Create(images_->Width(), images_->Height(), ILC_COLOR32 | ILC_MASK, images_->Count(), 0));
    for (int i = 0; i < images_->Count(); ++i) ImageList_AddIcon(himl_.get(), images_->Image(i));
    SendMessageW(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(himl_.get()));
  }
  // Pages added before the window was made get their tabs now.
  if (SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0) == 0 && !pages_.empty()) {
    for (int i = 0; i < PageCount(); ++i) InsertTab(i);
    FitPages();
    ShowActive();
  }
}

void PageControl::InsertTab(int i) {
  TabSheet& page = *pages_[size_t(i)];
  std::wstring text = Widen(page.Caption());
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text.data();
  item.iImage = page.ImageIndex;
  SendMessageW(Handle(), TCM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
}

void PageControl::AddPage(TabSheet& page) {
  page.pages_ = this;
  pages_.push_back(&page);
  if (Handle()) {
    InsertTab(PageCount() - 1);
    if (!page.Handle()) {
      // The first tab changes the pages' area (the row of tabs appears).
      page.SetVisible(false);
      page.CreateIn(*ParentForm(), this, PageArea(), page.Caption());
    }
  }
  FitPages();
  if (active_ < 0) {
    SetActivePageIndex(0);
  } else {
    page.SetVisible(false);
  }
}

void PageControl::RemovePage(TabSheet& page) {
  auto it = std::find(pages_.begin(), pages_.end(), &page);
  if (it == pages_.end()) return;
  const int i = int(it - pages_.begin());
  if (Handle()) SendMessageW(Handle(), TCM_DELETEITEM, WPARAM(i), 0);
  pages_.erase(it);
  page.pages_ = nullptr;
  page.SetVisible(false);
  if (active_ >= PageCount()) {
    active_ = PageCount() - 1;
  } else if (i < active_) {
    --active_;
  }
  // One tab less may take one row of tabs less.
  FitPages();
  ShowActive();
}

void PageControl::CaptionChanged(TabSheet& page) {
  auto it = std::find(pages_.begin(), pages_.end(), &page);
  if (it == pages_.end() || !Handle()) return;
  std::wstring text = Widen(page.Caption());
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  SendMessageW(Handle(), TCM_SETITEMW, WPARAM(it - pages_.begin()), reinterpret_cast<LPARAM>(&item));
  // A longer caption may take another row of tabs.
  FitPages();
}

std::vector<std::string> PageControl::TabCaptions() const {
  std::vector<std::string> captions;
  for (int i = 0, n = Handle() ? int(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0)) : 0; i < n; ++i) {
    wchar_t buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 255;
    SendMessageW(Handle(), TCM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    captions.push_back(Narrow(buffer));
  }
  return captions;
}

RECT PageControl::PageArea() const {
  RECT area{};
  if (!Handle()) return area;
  GetClientRect(Handle(), &area);
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  // Pages are placed in layout units like every control.
  const int dpi = Dpi();
  const int left = ScaleFromDpi(area.left, dpi), top = ScaleFromDpi(area.top, dpi);
  return RECT{left, top, std::max(left, ScaleFromDpi(area.right, dpi)), std::max(top, ScaleFromDpi(area.bottom, dpi))};
}

void PageControl::FitPages() {
  if (!Handle()) return;
  const RECT area = PageArea();
  for (TabSheet* page : pages_) page->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

void PageControl::DpiChanged() { FitPages(); }

void PageControl::SetActivePageIndex(int i) {
  if (i < 0 || i >= PageCount()) return;
  active_ = i;
  ShowActive();
}

void PageControl::ShowActive() {
  if (Handle() && active_ >= 0 && int(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)) != active_) {
    SendMessageW(Handle(), TCM_SETCURSEL, WPARAM(active_), 0);
  }
  for (int i = 0; i < PageCount(); ++i) {
    if (i != active_) pages_[size_t(i)]->SetVisible(false);
  }
  if (TabSheet* page = ActivePage()) {
    page->SetVisible(true);
    if (page->Handle()) SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

bool PageControl::HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->code == UINT(TCN_SELCHANGE)) {
    active_ = int(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
    ShowActive();
    Raise(OnChange, *this);
    result = 0;
    return true;
  }
  return Control::HandleReflected(msg, w, l, result);
}

LRESULT PageControl::WndProc(UINT msg, WPARAM w, LPARAM l) {
  const LRESULT r = Control::WndProc(msg, w, l);
  if (msg == WM_SIZE) FitPages();
  return r;
}

}  // namespace ui
