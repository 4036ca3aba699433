// Every window at the scales people use: captions fit, nothing overlaps, the
// window grows with the scale, and a window moved to a screen of another
// scale lays itself out again.
#include <windows.h>

#include "app/panel/main_form.h"
#include "gui_test.h"
#include "layout_check.h"
#include "scan/add_folder_form.h"
#include "scan/edit_filter_form.h"
#include "scan/filter_form.h"
#include "ui/dpi.h"

namespace wc {
namespace {

// Windows made at one scale, as on a screen of that scale.
class AtScale {
 public:
  explicit AtScale(int dpi) { ui::SetDpiOverride(dpi); }
  ~AtScale() { ui::SetDpiOverride(0); }
};

// The system keeps windows within the screen (the tests' Wine desktop is
// 1024 x 768, less than a 150 % control panel needs).
bool FitsTheScreen(const ui::Form& f) {
  RECT frame{};
  GetWindowRect(f.Handle(), &frame);
  return frame.bottom - frame.top < GetSystemMetrics(SM_CYSCREEN);
}

class DpiLayoutTest : public test::GuiTest, public ::testing::WithParamInterface<int> {
 protected:
  AtScale scale{GetParam()};
  TMainForm& panel = app.CreateForm<TMainForm>();
  TAddFolderForm& picker = app.CreateForm<TAddFolderForm>();
  TFilterForm& options = app.CreateForm<TFilterForm>();
  TEditFilterForm& editor = app.CreateForm<TEditFilterForm>();

  void SetUp() override { panel.StartupTimer.SetEnabled(false); }

  static SIZE ClientPixels(const ui::Form& f) {
    RECT r{};
    GetClientRect(f.Handle(), &r);
    return SIZE{r.right, r.bottom};
  }
};

TEST_P(DpiLayoutTest, EveryCaptionFitsAndNothingOverlaps) {
  const int dpi = GetParam();
  for (ui::Form* form : std::initializer_list<ui::Form*>{&panel, &picker, &options, &editor}) {
    SCOPED_TRACE(form->Name());
    EXPECT_EQ(form->Dpi(), dpi);
    for (const std::string& fault : test::LayoutFaults(*form)) ADD_FAILURE() << fault << " at " << dpi << " DPI";
  }
  // The window grows with the scale; handlers still see layout units.
  EXPECT_EQ(ClientPixels(panel).cx, MulDiv(600, dpi, 96));
  if (FitsTheScreen(panel)) EXPECT_EQ(ClientPixels(panel).cy, MulDiv(547, dpi, 96));
  EXPECT_EQ(panel.ClientWidth(), 600);
  if (FitsTheScreen(panel)) EXPECT_EQ(panel.ClientHeight(), 547);
  EXPECT_EQ(panel.AutomaticModeRadio.Width(), 287);
  RECT r{};
  GetWindowRect(panel.AutomaticModeRadio.Handle(), &r);
  EXPECT_EQ(r.right - r.left, MulDiv(10 + 287, dpi, 96) - MulDiv(10, dpi, 96));
}

TEST_P(DpiLayoutTest, TheCaptionsThatOverflowedUnscaledFitWithTheirText) {
  // The controls that ran out of room when only the fonts grew, with the
  // texts the user saw cut, also in the states that show them.
  panel.SettingsButton.SetCaption("Settings");
  panel.MainTypeLabel.SetCaption("Type");
  panel.OriginXLabel.SetCaption("Origin X: ");
  panel.MovieWidthLabel.Show();
  panel.MovieHeightEdit.Show();
  panel.OriginXLabel.Hide();
  panel.OriginYLabel.Hide();
  panel.OriginXEdit.Hide();
  panel.OriginYEdit.Hide();
  for (const std::string& fault : test::LayoutFaults(panel)) ADD_FAILURE() << fault << " at " << GetParam() << " DPI";
}

INSTANTIATE_TEST_SUITE_P(Scales, DpiLayoutTest, ::testing::Values(96, 120, 144),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "dpi"; });

class DpiChangeTest : public test::GuiTest {};

TEST_F(DpiChangeTest, AWindowMovedToAScreenOfAnotherScaleLaysItselfOutAgain) {
  AtScale at96(96);
  TMainForm& panel = app.CreateForm<TMainForm>();
  panel.StartupTimer.SetEnabled(false);
  auto font96 = SendMessageA(panel.AutomaticModeRadio.Handle(), WM_GETFONT, 0, 0);
  RECT before{};
  GetWindowRect(panel.Handle(), &before);

  // What the system sends when the window lands on a 150 % screen.
  RECT suggested{before.left + 10, before.top + 20, before.left + 10 + 900, before.top + 20 + 900};
  SendMessageA(panel.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

  EXPECT_EQ(panel.Dpi(), 144);
  RECT client{}, frame{};
  GetClientRect(panel.Handle(), &client);
  GetWindowRect(panel.Handle(), &frame);
  EXPECT_EQ(client.right, 900);  // 600 x 1.5
  if (FitsTheScreen(panel)) EXPECT_EQ(client.bottom, 821);
  EXPECT_EQ(frame.left, suggested.left);
  EXPECT_EQ(frame.top, suggested.top);
  EXPECT_EQ(panel.ClientWidth(), 600);
  RECT box{};
  GetWindowRect(panel.FunctioningModeBox.Handle(), &box);
  EXPECT_EQ(box.right - box.left, MulDiv(313, 144, 96) - MulDiv(8, 144, 96));
  EXPECT_EQ(panel.FunctioningModeBox.Left(), 8);
  EXPECT_NE(SendMessageA(panel.AutomaticModeRadio.Handle(), WM_GETFONT, 0, 0), font96);
  ui::SetDpiOverride(144);  // the fonts now measured are those of 144 DPI
  for (const std::string& fault : test::LayoutFaults(panel)) ADD_FAILURE() << fault;

  // And back: the same font as at first, the same size.
  SendMessageA(panel.Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&before));
  GetClientRect(panel.Handle(), &client);
  EXPECT_EQ(client.right, 600);
  EXPECT_EQ(SendMessageA(panel.AutomaticModeRadio.Handle(), WM_GETFONT, 0, 0), font96);
  EXPECT_EQ(panel.SetWallpaperButton.IconPixels(), 24);
}

TEST_F(DpiChangeTest, WindowsWithIconButtonsLeaveNothingBehind) {
  // A window with picture buttons of both kinds, made and destroyed again
  // and again: its icons, fonts and windows all go with it.
  struct IconWindow : ui::Form {
    explicit IconWindow(ui::Application& app) : ui::Form(app, "IconWindow") {
      CreateWindowFrom({.caption = "Icons", .clientWidth = 200, .clientHeight = 100});
      static const ui::LayoutItem layout[] = {{"Plain", "", 4, 4, 90, 30, "Set"}, {"Flat", "", 100, 4, 90, 30, "Go"}};
      BuildLayout(layout);
      Plain.SetIcon("IC_SET_WALLPAPER", 24);
      Flat.SetIcon("IC_SETTINGS", 24);
    }
    ui::Button Plain{this, "Plain"};
    ui::SpeedButton Flat{this, "Flat"};
  };
  auto cycle = [&](int dpi) {
    AtScale at(dpi);
    auto w = std::make_unique<IconWindow>(app);
    EXPECT_NE(w->Plain.Icon(), nullptr);
    EXPECT_EQ(w->Flat.IconPixels(), MulDiv(24, dpi, 96));
    w->Show();
    Pump();
  };
  // Wine fills caches of its own over the first windows (fonts, DCs); a
  // leak grows with every window instead: at least one object each.
  for (int i = 0; i < 60; ++i) cycle(i % 2 ? 144 : 120);
  const long before = test::GuiObjectMark();
  for (int i = 0; i < 200; ++i) cycle(i % 2 ? 144 : 120);
  const long after = test::GuiObjectMark();
  EXPECT_LE(after - before, 100) << "GUI objects went from " << before << " to " << after;
}

}  // namespace
}  // namespace wc
