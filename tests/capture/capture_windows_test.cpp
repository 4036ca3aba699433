// The band the overlays and the crop window draw, the crop window's drag
// and "Save selection", and the delay dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include "capture/band.h"
#include "capture/capture_rect_form.h"
#include "capture/delay_form.h"
#include "capture/screen_grabber.h"
#include "capture/selection_form.h"
#include "capture_test_support.h"
#include "gui_test.h"
#include "layout_check.h"
#include "ui/dpi.h"
#include "ui/handle.h"

namespace wc {
namespace {

constexpr uint32_t kRed = 0xFF0000, kWhite = 0xFFFFFF;

using CaptureWindowsTest = test::GuiTest;

// The band drawn on a bitmap of its own, everything else black.
ui::Bitmap BandOn(int width, int height, BandPattern& pattern, POINT a, POINT c) {
  ui::Bitmap b(width, height);
  ui::MemoryDC dc(CreateCompatibleDC(nullptr));
  ui::SelectGuard select(dc.get(), b.Handle());
  DrawBand(dc.get(), pattern, a, c);
  return b;
}

TEST_F(CaptureWindowsTest, BandRunsFiveWhiteThreeRedFromItsPhaseRoundTheWholeOutline) {
  BandPattern pattern;
  ui::Bitmap b = BandOn(20, 20, pattern, {0, 0}, {10, 6});
  const uint32_t top[10] = {kWhite, kWhite, kWhite, kWhite, kWhite, kRed, kRed, kRed, kWhite, kWhite};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(test::PixelOf(b, x, 0), top[x]) << "x " << x;
  // The run goes on down the right edge: points 10 to 15 of the outline.
  const uint32_t right[6] = {kWhite, kWhite, kWhite, kRed, kRed, kRed};
  for (int y = 0; y < 6; ++y) EXPECT_EQ(test::PixelOf(b, 10, y), right[y]) << "y " << y;
  // The outline is closed and nothing inside is touched.
  long band = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) band += test::PixelOf(b, x, y) != 0;
  EXPECT_EQ(band, 2 * 10 + 2 * 6);
  EXPECT_EQ(test::PixelOf(b, 5, 3), 0u);

  // The crawl moves the run's start two pixels each tick.
  const uint8_t phases[] = {32, 8, 2, 128, 32};
  for (uint8_t p : phases) {
    pattern.Crawl();
    EXPECT_EQ(pattern.phase, p);
  }
  pattern.phase = 32;
  ui::Bitmap moved = BandOn(20, 20, pattern, {0, 0}, {10, 6});
  const uint32_t fromPhase32[8] = {kRed, kRed, kWhite, kWhite, kWhite, kWhite, kWhite, kRed};  // 64, 128, 1 ... 32
  for (int x = 0; x < 8; ++x) EXPECT_EQ(test::PixelOf(moved, x, 0), fromPhase32[x]) << "x " << x;
  EXPECT_EQ(NormalizeRect(RECT{30, 40, 10, 5}).left, 10);
  EXPECT_EQ(NormalizeRect(RECT{30, 40, 10, 5}).bottom, 40);
}

TEST_F(CaptureWindowsTest, AreaOverlayCoversTheScreenWithItsFrozenPictureAndCrawls) {
  TCaptureRectForm overlay(app);
  RECT r{};
  GetWindowRect(overlay.Handle(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(overlay.Frozen().Width(), r.right);
  EXPECT_TRUE(overlay.Timer1.Enabled());
  EXPECT_EQ(overlay.Timer1.Interval(), 100u);
  EXPECT_EQ(TCaptureRectForm::Pattern().phase, 128);
  overlay.Timer1.Tick();
  EXPECT_EQ(TCaptureRectForm::Pattern().phase, 32);
  EXPECT_TRUE(GetWindowLongA(overlay.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  // A scale change (the overlay spans monitors of two scales) leaves it
  // over its frozen picture, neither moved nor resized.
  RECT suggested{100, 100, 500, 400};
  SendMessageA(overlay.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT after{};
  GetWindowRect(overlay.Handle(), &after);
  EXPECT_TRUE(EqualRect(&after, &r)) << after.left << "," << after.top << " " << after.right << "x" << after.bottom;
}

class CropTest : public test::GuiTest {
 protected:
  CropTest() {
    crop.Result = &result;
    crop.SelectionAccepted = &accepted;
    crop.SetPicture(ui::Picture(test::PatternBitmap(400, 300)));
    crop.Show();
    PumpFor(std::chrono::milliseconds(100));
  }
  HWND Image() const { return crop.MyImage.Handle(); }
  // The crop window is never the program's main window.
  ui::Form& mainWindow = app.CreateForm<TDelayForm>();
  TSelectionForm& crop = app.CreateForm<TSelectionForm>();
  ui::Bitmap result;
  int accepted = -1;
};

TEST_F(CropTest, BeyondThePictureTheBandKeepsThatEdgeWhileTheOtherFollows) {
  const int top = crop.MyImage.Scale(45);
  test::Mouse(Image(), WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  EXPECT_EQ(crop.Anchor().x, 10);
  EXPECT_EQ(crop.Anchor().y, 10 + top);
  test::Mouse(Image(), WM_MOUSEMOVE, MK_LBUTTON, 50, 120);
  EXPECT_EQ(crop.Corner().x, 50);
  EXPECT_EQ(crop.Corner().y, 120 + top);
  // Past the right edge: the right edge stays, the bottom follows.
  test::Mouse(Image(), WM_MOUSEMOVE, MK_LBUTTON, 450, 200);
  EXPECT_EQ(crop.Corner().x, 50);
  EXPECT_EQ(crop.Corner().y, 200 + top);
  // Past the lowest row the band may reach: the bottom stays, the right follows.
  test::Mouse(Image(), WM_MOUSEMOVE, MK_LBUTTON, 90, 320);
  EXPECT_EQ(crop.Corner().x, 90);
  EXPECT_EQ(crop.Corner().y, 200 + top);
  // Past both: nothing moves.
  test::Mouse(Image(), WM_MOUSEMOVE, MK_LBUTTON, 450, 320);
  EXPECT_EQ(crop.Corner().x, 90);
  EXPECT_EQ(crop.Corner().y, 200 + top);

  test::Mouse(Image(), WM_LBUTTONUP, 0, 90, 200);
  ASSERT_EQ(result.Width(), 80);
  ASSERT_EQ(result.Height(), 190);
  crop.Button1.Click();
  EXPECT_EQ(accepted, 1);
  EXPECT_FALSE(crop.Visible());
  EXPECT_EQ(test::DifferingPixels(result, [](int x, int y) { return test::PatternAt(10 + x, 10 + y); }), 0);
}

TEST_F(CropTest, ADragUpOrLeftLeavesTheResultAloneAndCancelRefuses) {
  result = ui::Bitmap(7, 7);
  test::Mouse(Image(), WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
  test::Mouse(Image(), WM_MOUSEMOVE, MK_LBUTTON, 40, 40);
  test::Mouse(Image(), WM_LBUTTONUP, 0, 40, 40);
  EXPECT_EQ(result.Width(), 7);
  // Moves after the release draw nothing.
  test::Mouse(Image(), WM_MOUSEMOVE, 0, 60, 60);
  EXPECT_EQ(crop.Corner().x, 40);
  crop.Button2.Click();
  EXPECT_EQ(accepted, 0);
  EXPECT_FALSE(crop.Visible());
}

// Arabic lays the window out from right to left; the picture is kept as
// drawn, and the band must lie over the part of it that is saved.
TEST_F(CropTest, InAWindowLaidOutRightToLeftTheBandShowsWhatIsSaved) {
  app.SetRightToLeft(true);
  PumpFor(std::chrono::milliseconds(100));
  test::Mouse(Image(), WM_LBUTTONDOWN, MK_LBUTTON, 20, 30);
  test::Mouse(Image(), WM_MOUSEMOVE, MK_LBUTTON, 120, 90);
  test::Mouse(Image(), WM_LBUTTONUP, 0, 120, 90);
  // The band's top edge, read off the screen over the picture's rows once
  // the drawing has reached it.
  PumpFor(std::chrono::milliseconds(200));
  RECT image{};
  GetWindowRect(Image(), &image);
  HDC screen = GetDC(nullptr);
  int band = 0;
  for (int x = 20; x <= 120; ++x) {
    const COLORREF c = GetPixel(screen, image.left + x, image.top + 30);
    band += c == RGB(255, 0, 0) || c == RGB(255, 255, 255);
  }
  ReleaseDC(nullptr, screen);
  EXPECT_GE(band, 95) << "the band is not over the dragged part of the picture";
  ASSERT_EQ(result.Width(), 100);
  ASSERT_EQ(result.Height(), 60);
  crop.Button1.Click();
  EXPECT_EQ(test::DifferingPixels(result, [](int x, int y) { return test::PatternAt(20 + x, 30 + y); }), 0);
  app.SetRightToLeft(false);
}

TEST_F(CaptureWindowsTest, DelayDialogSetsTheEngineOnOkAndKeepsItsOwnValue) {
  TScreenGrabber grabber(&app, "Grabber");
  auto& dialog = app.CreateForm<TDelayForm>();
  dialog.SetGrabber(&grabber);
  EXPECT_EQ(dialog.Caption(), "Screen Delay");
  EXPECT_EQ(dialog.SpinEdit1.Value(), 500);

  app.Post([&] {
    dialog.SpinEdit1.SetValue(1250);
    dialog.Button1.Click();
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
  EXPECT_EQ(grabber.Delay, 1250);

  grabber.Delay = 40;
  app.Post([&] {
    EXPECT_EQ(dialog.SpinEdit1.Value(), 1250) << "not loaded from the engine";
    dialog.SpinEdit1.SetValue(9);
    dialog.Button2.Click();
  });
  EXPECT_EQ(dialog.ShowModal(), ui::mrCancel);
  EXPECT_EQ(grabber.Delay, 40);
  EXPECT_EQ(dialog.SpinEdit1.Value(), 9);
}

class CaptureWindowsDpiTest : public test::GuiTest, public ::testing::WithParamInterface<int> {};

TEST_P(CaptureWindowsDpiTest, CaptionsFitAndNothingOverlaps) {
  ui::SetDpiOverride(GetParam());
  auto& delay = app.CreateForm<TDelayForm>();
  auto& crop = app.CreateForm<TSelectionForm>();
  ui::SetDpiOverride(0);
  for (ui::Form* form : {static_cast<ui::Form*>(&delay), static_cast<ui::Form*>(&crop)}) {
    for (const std::string& fault : test::LayoutFaults(*form)) ADD_FAILURE() << fault << " at " << GetParam() << " DPI";
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, CaptureWindowsDpiTest, ::testing::Values(96, 120, 144));

}  // namespace
}  // namespace wc
