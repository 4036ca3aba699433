#pragma once
// A row of tabs over pages: the system's tab control with one page (a plain
// container) per tab. Only the page of the chosen tab is shown.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/controls.h"

namespace ui {

class PageControl;

// One page: a container whose caption is its tab's text.
class TabSheet : public Panel {
 public:
  TabSheet(Component* owner, std::string name);
  void SetCaption(const std::string& text) override;

 private:
  friend class PageControl;
  PageControl* pages_ = nullptr;
};

class PageControl : public Control {
 public:
  PageControl(Component* owner, std::string name);

  // Adds a made page as the next tab and fits it into the tab's area.
  void AddPage(TabSheet& page);
  int PageCount() const { return int(pages_.size()); }
  TabSheet* Page(int i) const { return i >= 0 && i < PageCount() ? pages_[size_t(i)] : nullptr; }
  int ActivePageIndex() const { return active_; }
  TabSheet* ActivePage() const { return Page(active_); }
  // Shows that page and its tab, as a click on the tab would.
  void SetActivePageIndex(int i);
  // The text each tab shows, in order.
  std::vector<std::string> TabCaptions() const;

  NotifyEvent OnChange;

 protected:
  CreateParams Params() override;
  void DpiChanged() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  friend class TabSheet;
  void CaptionChanged(TabSheet& page);
  void FitPages();
  void ShowActive();
  std::vector<TabSheet*> pages_;
  int active_ = -1;
};

}  // namespace ui
