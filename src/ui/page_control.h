#pragma once
// A row of tabs over pages: the system's tab control with one page (a plain
// container) per tab. Only the page of the chosen tab is shown. Tabs may
// carry a picture from an image list, and pages may come and go while the
// window is open.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/handle.h"

namespace ui {

class ImageList;
class PageControl;

// One page: a container whose caption is its tab's text.
class TabSheet : public Panel {
 public:
  TabSheet(Component* owner, std::string name);
  void SetCaption(const std::string& text) override;
  // The picture of the page's tab in its control's image list; -1: none.
  // Read when the page is added.
  int ImageIndex = -1;

 protected:
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  friend class PageControl;
  PageControl* pages_ = nullptr;
};

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ImageList_Destroy(h); }
};
using ImageListHandle = Unique<ImageListTraits>;

class PageControl : public Control {
 public:
  PageControl(Component* owner, std::string name);

  // false: a click on a tab leaves the keyboard focus where it was and the
  // row of tabs is no stop of the Tab key. Set before the window is made.
  bool FocusTabs = true;
  // The tabs' pictures, kept by the caller.
  void SetImages(ImageList* images);

  // Adds a page as the last tab and fits it into the tab's area. A page not
  // made yet is made inside the control. The first page becomes the active
  // one; later ones stay hidden until chosen.
  void AddPage(TabSheet& page);
  // Takes the page and its tab away; the caller frees the page afterwards.
  // The active page stays active; when it was the one removed, the page
  // that takes its place is shown, or the new last one when it was last.
  void RemovePage(TabSheet& page);
  int PageCount() const { return int(pages_.size()); }
  TabSheet* Page(int i) const { return i >= 0 && i < PageCount() ? pages_[size_t(i)] : nullptr; }
  // -1 while there is no page.
  int ActivePageIndex() const { return active_; }
  TabSheet* ActivePage() const { return Page(active_); }
  // Shows that page and its tab, as a click on the tab would.
  void SetActivePageIndex(int i);
  // The text each tab shows, in order.
  std::vector<std::string> TabCaptions() const;

  NotifyEvent OnChange;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Change ? &OnChange : Control::EventSlot(e); }

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  void DpiChanged() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  friend class TabSheet;
  void InsertTab(int i);
  void CaptionChanged(TabSheet& page);
  // The pages' area in layout units.
  RECT PageArea() const;
  void FitPages();
  void ShowActive();
  ImageList* images_ = nullptr;
  ImageListHandle himl_;
  std::vector<TabSheet*> pages_;
  int active_ = -1;
};

}  // namespace ui
