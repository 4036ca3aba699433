// The viewer's tabs: zoom, scrolling, the tab change and closing.
#include <algorithm>
#include <cstdlib>

#include "capture/screen_form.h"

namespace wc {

void TScreenForm::SetupScrollBars() {
  if (!HasTab()) return;
  ui::Image& image = *TabImages[size_t(CurrentTab)];
  TTabViewState& view = TabViewState[size_t(CurrentTab)];
  ui::TabSheet* page = ScreenPageControl.ActivePage();
  if (!page) return;
  // Showing one bar makes the page smaller the other way: decide both, then
  // take the ranges from the page that is left. A reset scroll position
  // brings the picture back to the page's corner with it.
  const bool wider = page->Width() < image.Width();
  ShowScrollBar(HorizScroll, wider);
  const bool taller = page->Height() < image.Height();
  ShowScrollBar(VertScroll, taller);
  if (!wider && page->Width() < image.Width()) ShowScrollBar(HorizScroll, true);
  image.SetBounds(0, 0, image.Width(), image.Height());
  if (HorizScroll.Visible()) {
    view.ScrollX = 0;
    view.ScrollXMax = std::abs(page->Width() - image.Width());
    HorizScroll.SetMax(view.ScrollXMax);
    HorizScroll.SetPosition(0);
  }
  if (VertScroll.Visible()) {
    view.ScrollY = 0;
    view.ScrollYMax = std::abs(page->Height() - image.Height());
    VertScroll.SetMax(view.ScrollYMax);
    VertScroll.SetPosition(0);
  }
}

void TScreenForm::HorizScrollChange(ui::Component&) {
  if (!HasTab()) return;
  ui::Image& image = *TabImages[size_t(CurrentTab)];
  TTabViewState& view = TabViewState[size_t(CurrentTab)];
  const int position = HorizScroll.Position();
  image.SetLeft(image.Left() - (position - view.ScrollX));
  view.ScrollX = position;
}

void TScreenForm::VertScrollChange(ui::Component&) {
  if (!HasTab()) return;
  ui::Image& image = *TabImages[size_t(CurrentTab)];
  TTabViewState& view = TabViewState[size_t(CurrentTab)];
  const int position = VertScroll.Position();
  image.SetTop(image.Top() - (position - view.ScrollY));
  view.ScrollY = position;
}

void TScreenForm::MyTrackBarChange(ui::Component&) {
  const int now = MyTrackBar.Position();
  if (now == 0 || !HasTab()) return;
  ui::Image& image = *TabImages[size_t(CurrentTab)];
  TTabViewState& view = TabViewState[size_t(CurrentTab)];
  const int before = view.Zoom;
  if (now == before) return;
  image.AutoSize = false;
  image.Stretch = true;
  const ZoomSize size = ZoomStep(image.Width(), image.Height(), before, now);
  image.SetBounds(image.Left(), image.Top(), size.width, size.height);
  image.Invalidate();
  ui::TabSheet* page = ScreenPageControl.ActivePage();
  if (page) {
    // Each bar's range follows the picture, so every part of a picture
    // zoomed in stays within reach; a position past the new end moves back.
    auto fit = [&](ui::ScrollBar& bar, int pageSize, int imageSize, int& scroll, int& scrollMax) {
      if (pageSize < imageSize) {
        if (!bar.Visible()) {
          scroll = 0;
          bar.SetMax(0);
          bar.SetPosition(0);
          ShowScrollBar(bar, true);
        }
        scrollMax = std::abs(pageSize - imageSize);
        bar.SetMax(scrollMax);
      } else if (bar.Visible()) {
        ShowScrollBar(bar, false);
      }
    };
    fit(HorizScroll, page->Width(), image.Width(), view.ScrollX, view.ScrollXMax);
    fit(VertScroll, page->Height(), image.Height(), view.ScrollY, view.ScrollYMax);
    // A hidden bar's picture goes back to the page's edge that way.
    if (!HorizScroll.Visible() && image.Left() != 0) {
      image.SetLeft(0);
      view.ScrollX = 0;
    }
    if (!VertScroll.Visible() && image.Top() != 0) {
      image.SetTop(0);
      view.ScrollY = 0;
    }
  }
  view.Zoom = now;
  ShowSizeOf(image);
}

void TScreenForm::Click100ButtonClick(ui::Component&) { MyTrackBar.SetPosition(15); }

void TScreenForm::RestoreScrollBars() {
  if (!HasTab()) return;
  const ui::Image& image = *TabImages[size_t(CurrentTab)];
  const TTabViewState& view = TabViewState[size_t(CurrentTab)];
  // Both decided on the page without bars, then each takes its range.
  ShowScrollBar(HorizScroll, false);
  ShowScrollBar(VertScroll, false);
  ui::TabSheet* page = ScreenPageControl.ActivePage();
  if (!page) return;
  const bool wider = page->Width() < image.Width(), taller = page->Height() < image.Height();
  ShowScrollBar(HorizScroll, wider);
  ShowScrollBar(VertScroll, taller);
  // Setting the range and position must not move the picture again.
  auto onH = std::move(HorizScroll.OnChange);
  auto onV = std::move(VertScroll.OnChange);
  HorizScroll.SetMax(view.ScrollXMax);
  HorizScroll.SetPosition(view.ScrollX);
  VertScroll.SetMax(view.ScrollYMax);
  VertScroll.SetPosition(view.ScrollY);
  HorizScroll.OnChange = std::move(onH);
  VertScroll.OnChange = std::move(onV);
}

void TScreenForm::ScreenPageControlChange(ui::Component&) {
  CurrentTab = ScreenPageControl.ActivePageIndex();
  if (!HasTab()) return;
  ShowSizeOf(*TabImages[size_t(CurrentTab)]);
  ScreenStatusBar.SetPanelText(2, "");
  RestoreScrollBars();
  MyTrackBar.SetPosition(TabViewState[size_t(CurrentTab)].Zoom);
}

void TScreenForm::MyImageMouseMove(ui::Component&, ui::ShiftState, int x, int y) {
  ScreenStatusBar.SetPanelText(2, "(" + std::to_string(x) + "," + std::to_string(y) + ")");
}

void TScreenForm::RemoveTab(int index) {
  ui::TabSheet* sheet = sheets_[size_t(index)].get();
  images_.erase(images_.begin() + index);
  ScreenPageControl.RemovePage(*sheet);
  sheets_.erase(sheets_.begin() + index);
  numbers_.erase(numbers_.begin() + index);
  for (int i = index; i + 1 < kMaxTabs; ++i) {
    TabImages[size_t(i)] = TabImages[size_t(i + 1)];
    TabViewState[size_t(i)] = TabViewState[size_t(i + 1)];
  }
  TabImages[kMaxTabs - 1] = nullptr;
  TabViewState[kMaxTabs - 1] = TTabViewState{};
  --TabCount;
}

void TScreenForm::Close1Click(ui::Component&) {
  if (!HasTab()) return;
  MyTrackBar.SetPosition(15);
  ScreenStatusBar.SetPanelText(2, "");
  RemoveTab(CurrentTab);
  CurrentTab = CurrentTab == 0 ? 0 : CurrentTab - 1;
  if (TabCount > 0) {
    ScreenPageControl.SetActivePageIndex(CurrentTab);
    ShowSizeOf(*TabImages[size_t(CurrentTab)]);
    RestoreScrollBars();
    MyTrackBar.SetPosition(TabViewState[size_t(CurrentTab)].Zoom);
  } else {
    ScreenStatusBar.SetPanelText(0, "");
    ScreenStatusBar.SetPanelText(1, "");
    ShowScrollBar(HorizScroll, false);
    ShowScrollBar(VertScroll, false);
  }
  EnableTabCommands();
}

void TScreenForm::Closeall1Click(ui::Component&) {
  ScreenStatusBar.SetPanelText(2, "");
  if (TabCount > 0) {
    ScreenStatusBar.SetPanelText(0, "");
    ScreenStatusBar.SetPanelText(1, "");
    while (TabCount > 0) {
      CurrentTab = TabCount - 1;
      MyTrackBar.SetPosition(15);
      RemoveTab(CurrentTab);
    }
    CurrentTab = -1;
    ShowScrollBar(HorizScroll, false);
    ShowScrollBar(VertScroll, false);
  }
  EnableTabCommands();
}

}  // namespace wc
