// The tab control under Wine: pages made by the layout and pages added and
// taken away while the window is open, their tabs' text and pictures, which
// page shows, and the dialog colour the pages are cleared with.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "gui_test.h"
#include "ui/form.h"
#include "ui/page_control.h"

namespace {

using wc::test::GuiTest;

class TabsForm : public ui::Form {
 public:
  explicit TabsForm(ui::Application& app) : Form(app, "TabsForm") {
    CreateWindowFrom({.caption = "Tabs", .clientWidth = 400, .clientHeight = 300});
    Viewer.FocusTabs = false;
    static const ui::LayoutItem layout[] = {
        {"Dialog", "", 10, 10, 180, 200},
        {"First", "Dialog", 4, 24, 172, 172, "&First"},
        {"Second", "Dialog", 4, 24, 172, 172, "&Second"},
        {"Viewer", "", 200, 10, 190, 200},
        {"Box", "", 10, 220, 100, 60, "Box"},
    };
    BuildLayout(layout);
    Dialog.AddPage(First);
    Dialog.AddPage(Second);
    Dialog.OnChange = [this](ui::Component&) { ++changes; };
  }
  // A page made while the window is open, as a viewer adds one per picture.
  ui::TabSheet& Add(const std::string& caption, int image) {
    auto page = std::make_unique<ui::TabSheet>(this, "Page" + std::to_string(added.size()));
    page->SetCaption(caption);
    page->ImageIndex = image;
    Viewer.AddPage(*page);
    added.push_back(std::move(page));
    return *added.back();
  }
  ui::PageControl Dialog{this, "Dialog"};
  ui::TabSheet First{this, "First"};
  ui::TabSheet Second{this, "Second"};
  ui::PageControl Viewer{this, "Viewer"};
  ui::GroupBox Box{this, "Box"};
  std::vector<std::unique_ptr<ui::TabSheet>> added;
  int changes = 0;
};

int TabImage(const ui::PageControl& tabs, int i) {
  TCITEMW item{};
  item.mask = TCIF_IMAGE;
  SendMessageW(tabs.Handle(), TCM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
  return item.iImage;
}

std::vector<bool> Shown(const ui::PageControl& tabs) {
  std::vector<bool> shown;
  for (int i = 0; i < tabs.PageCount(); ++i) shown.push_back(IsWindowVisible(tabs.Page(i)->Handle()) != FALSE);
  return shown;
}

// What a window paints on WM_ERASEBKGND, at its top left corner.
COLORREF ErasedColour(HWND window) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 8, 8};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const COLORREF c = GetPixel(dc, 2, 2);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return c;
}

class PageControlTest : public GuiTest {};

TEST_F(PageControlTest, CaptionsAreTabTextsAndAClickOnATabShowsItsPage) {
  TabsForm form(app);
  form.Show();
  Pump();
  EXPECT_EQ(form.Dialog.TabCaptions(), (std::vector<std::string>{"&First", "&Second"}));
  EXPECT_EQ(form.Dialog.ActivePage(), &form.First);
  EXPECT_EQ(Shown(form.Dialog), (std::vector<bool>{true, false}));
  // The pages fill the area under the tabs, whatever the layout said.
  RECT area{};
  GetClientRect(form.Dialog.Handle(), &area);
  SendMessageW(form.Dialog.Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  EXPECT_EQ(form.Second.Width(), area.right - area.left);
  EXPECT_EQ(form.Second.Top(), area.top);

  form.Second.SetCaption("Other");
  EXPECT_EQ(form.Dialog.TabCaptions(), (std::vector<std::string>{"&First", "Other"}));

  RECT tab{};
  SendMessageW(form.Dialog.Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  SendMessageW(form.Dialog.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(form.Dialog.Handle(), WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(form.changes, 1);
  EXPECT_EQ(form.Dialog.ActivePageIndex(), 1);
  EXPECT_EQ(Shown(form.Dialog), (std::vector<bool>{false, true}));
  // Chosen by the program, as a click would, without telling the handler.
  form.Dialog.SetActivePageIndex(0);
  form.Dialog.SetActivePageIndex(5);
  EXPECT_EQ(form.Dialog.ActivePageIndex(), 0);
  EXPECT_EQ(SendMessageW(form.Dialog.Handle(), TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(form.changes, 1);
  const LONG style = GetWindowLongW(form.Dialog.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_FALSE(style & TCS_FOCUSNEVER);
}

TEST_F(PageControlTest, PagesAddedAndRemovedKeepTheirPicturesAndTheShownPage) {
  TabsForm form(app);
  form.Show();
  Pump();
  const LONG style = GetWindowLongW(form.Viewer.Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_TABSTOP);
  EXPECT_TRUE(style & TCS_FOCUSNEVER);
  EXPECT_EQ(form.Viewer.ActivePageIndex(), -1);
  EXPECT_EQ(form.Viewer.ActivePage(), nullptr);

  ui::TabSheet& a = form.Add("a.jpg", 7);
  ui::TabSheet& b = form.Add("b.bmp", 8);
  ui::TabSheet& c = form.Add("c.png", 9);
  ASSERT_TRUE(c.Handle());
  EXPECT_EQ(GetParent(c.Handle()), form.Viewer.Handle());
  EXPECT_EQ(form.Viewer.TabCaptions(), (std::vector<std::string>{"a.jpg", "b.bmp", "c.png"}));
  EXPECT_EQ(TabImage(form.Viewer, 2), 9);
  EXPECT_EQ(Shown(form.Viewer), (std::vector<bool>{true, false, false}));
  EXPECT_GT(b.Width(), 150);

  form.Viewer.SetActivePageIndex(1);
  // A page before the shown one goes: the same page stays shown.
  form.Viewer.RemovePage(a);
  EXPECT_EQ(form.Viewer.ActivePage(), &b);
  EXPECT_EQ(Shown(form.Viewer), (std::vector<bool>{true, false}));
  EXPECT_EQ(form.Viewer.TabCaptions(), (std::vector<std::string>{"b.bmp", "c.png"}));
  EXPECT_EQ(TabImage(form.Viewer, 0), 8);
  EXPECT_FALSE(IsWindowVisible(a.Handle()));
  // The shown last page goes: the one before it is shown.
  form.Viewer.SetActivePageIndex(1);
  form.Viewer.RemovePage(c);
  EXPECT_EQ(form.Viewer.ActivePage(), &b);
  EXPECT_EQ(Shown(form.Viewer), (std::vector<bool>{true}));
  EXPECT_EQ(SendMessageW(form.Viewer.Handle(), TCM_GETCURSEL, 0, 0), 0);
  // A removed page no longer writes to the tabs.
  c.SetCaption("gone");
  EXPECT_EQ(form.Viewer.TabCaptions(), (std::vector<std::string>{"b.bmp"}));
  form.Viewer.RemovePage(b);
  EXPECT_EQ(form.Viewer.PageCount(), 0);
  EXPECT_EQ(form.Viewer.ActivePageIndex(), -1);
  EXPECT_FALSE(IsWindowVisible(b.Handle()));

  // A new first page after all were closed is shown again, and follows the
  // control when it grows.
  ui::TabSheet& d = form.Add("d.jpg", 0);
  EXPECT_EQ(form.Viewer.ActivePage(), &d);
  EXPECT_TRUE(IsWindowVisible(d.Handle()));
  const int before = d.Width();
  form.Viewer.SetBounds(10, 10, 380, 200);
  EXPECT_EQ(d.Width(), before + 190);
}

TEST_F(PageControlTest, PagesAndGroupBoxesAreClearedInTheDialogColour) {
  TabsForm form(app);
  form.Show();
  Pump();
  ui::TabSheet& page = form.Add("p", 0);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ErasedColour(page.Handle()), face);
  EXPECT_EQ(ErasedColour(form.First.Handle()), face);
  EXPECT_EQ(ErasedColour(form.Box.Handle()), face);
}

}  // namespace
