#include "ui/page_control.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/dpi.h"
#include "ui/wide_text.h"

namespace ui {

TabSheet::TabSheet(Component* owner, std::string name) : Panel(owner, std::move(name)) { SetShowCaption(false); }

void TabSheet::SetCaption(const std::string& text) {
  Panel::SetCaption(text);
  if (pages_) pages_->CaptionChanged(*this);
}

PageControl::PageControl(Component* owner, std::string name) : Control(owner, std::move(name)) {
  reportMouse_ = false;
  PublishInteger("ActivePageIndex", [this] { return active_; }, [this](int64_t v) { SetActivePageIndex(int(v)); });
}

Window::CreateParams PageControl::Params() {
  CreateParams p = Control::Params();
  p.className = WC_TABCONTROLA;
  // The pages are children of the tabs: the tabs must not paint over them.
  p.style |= WS_TABSTOP | WS_CLIPCHILDREN;
  p.exStyle |= WS_EX_CONTROLPARENT;
  return p;
}

void PageControl::AddPage(TabSheet& page) {
  page.pages_ = this;
  pages_.push_back(&page);
  if (Handle()) {
    std::wstring text = Widen(page.Caption());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(Handle(), TCM_INSERTITEMW, WPARAM(pages_.size() - 1), reinterpret_cast<LPARAM>(&item));
  }
  FitPages();
  if (active_ < 0) {
    SetActivePageIndex(0);
  } else {
    page.SetVisible(false);
  }
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

void PageControl::FitPages() {
  if (!Handle()) return;
  RECT area{};
  GetClientRect(Handle(), &area);
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  // Pages are placed in layout units like every control.
  const int dpi = Dpi();
  const int left = ScaleFromDpi(area.left, dpi), top = ScaleFromDpi(area.top, dpi);
  const int width = ScaleFromDpi(area.right, dpi) - left, height = ScaleFromDpi(area.bottom, dpi) - top;
  for (TabSheet* page : pages_) page->SetBounds(left, top, width, height);
}

void PageControl::DpiChanged() { FitPages(); }

void PageControl::SetActivePageIndex(int i) {
  if (i < 0 || i >= PageCount()) return;
  active_ = i;
  if (Handle()) SendMessageW(Handle(), TCM_SETCURSEL, WPARAM(i), 0);
  ShowActive();
}

void PageControl::ShowActive() {
  for (int i = 0; i < PageCount(); ++i) pages_[size_t(i)]->SetVisible(i == active_);
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

}  // namespace ui
