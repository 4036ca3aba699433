// The capture engine run as the viewer runs it: every kind of capture, the
// frame around it (program off the screen, the waits, clipboard, event) and
// the picking overlays driven with the mouse messages a user's hand makes.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>

#include "capture/capture_object_form.h"
#include "capture/capture_rect_form.h"
#include "capture/screen_grabber.h"
#include "capture_test_support.h"
#include "gui_test.h"
#include "layout_check.h"

namespace wc {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

class CaptureEngineTest : public test::GuiTest {
 protected:
  CaptureEngineTest() {
    grabber.Delay = 0;
    grabber.Minimize = false;
    grabber.Auto = false;
    grabber.OnCapture = [this](ui::Component&) { ++events; };
  }
  // The known picture at (40, 60), 400 x 300, on the screen.
  test::PatternWindow& ShowPattern() {
    auto& w = app.CreateForm<test::PatternWindow>(40, 60, 400, 300);
    w.Show();
    PumpFor(milliseconds(300));
    return w;
  }
  // Leaves the overlay named `name` with Esc once it shows.
  void EscapeFrom(const char* name) {
    test::WhenShown(app, name, [](ui::Form& f) { SendMessageA(f.Handle(), WM_KEYDOWN, VK_ESCAPE, 0); });
  }
  // Drags on the area overlay from `from` to `to` with the left button.
  void DragOnArea(POINT from, POINT to, std::unique_ptr<ui::Bitmap>* frozen = nullptr) {
    test::WhenShown(app, "CaptureRectForm", [=](ui::Form& f) {
      if (frozen) *frozen = std::make_unique<ui::Bitmap>(CopyBitmap(static_cast<TCaptureRectForm&>(f).Frozen()));
      test::Mouse(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, from.x, from.y);
      test::Mouse(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, (from.x + to.x) / 2, (from.y + to.y) / 2);
      test::Mouse(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, to.x, to.y);
      test::Mouse(f.Handle(), WM_LBUTTONUP, 0, to.x, to.y);
    });
  }

  TScreenGrabber grabber{&app, "ScreenGrabber1"};
  int events = 0;
};

TEST_F(CaptureEngineTest, PublishesItsPropertiesWithTheirDefaultsAndAReadOnlyVersion) {
  TScreenGrabber fresh(&app, "Fresh");
  EXPECT_TRUE(fresh.Auto);
  EXPECT_EQ(fresh.Delay, 500);
  EXPECT_TRUE(fresh.Minimize);
  const ui::Property* version = fresh.FindProperty("Version");
  ASSERT_NE(version, nullptr);
  version->setText("something else");
  EXPECT_EQ(version->getText(), "TScreenGrabber v1.0");
  fresh.FindProperty("Delay")->setInteger(0);
  EXPECT_EQ(fresh.Delay, 0);
}

TEST_F(CaptureEngineTest, DesktopCaptureIsTheWholeScreenInItsRealPixelsAndAFreshCopyEachTime) {
  test::PatternWindow& pattern = ShowPattern();
  auto first = grabber.CaptureDesktop();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(first->Height(), GetSystemMetrics(SM_CYSCREEN));
  const RECT at = pattern.ScreenRect();
  long differing = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) differing += test::PixelOf(*first, at.left + x, at.top + y) != test::PatternAt(x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(events, 1);

  auto second = grabber.CaptureDesktop();
  ASSERT_TRUE(second);
  EXPECT_NE(first->Handle(), second->Handle());
  first.reset();  // the caller's copy is its own: the next capture does not need it
  EXPECT_EQ(test::PixelOf(*second, at.left + 7, at.top + 9), test::PatternAt(7, 9));
}

TEST_F(CaptureEngineTest, AreaDraggedRightAndDownIsThatPartOfTheFrozenScreenWithoutTheBand) {
  ShowPattern();
  std::unique_ptr<ui::Bitmap> frozen;
  DragOnArea({100, 100}, {300, 250}, &frozen);
  auto area = grabber.CaptureArea();
  ASSERT_TRUE(area);
  ASSERT_EQ(area->Width(), 200);
  ASSERT_EQ(area->Height(), 150);
  ASSERT_TRUE(frozen);
  EXPECT_EQ(test::DifferingPixels(*area, [&](int x, int y) { return test::PixelOf(*frozen, 100 + x, 100 + y); }), 0);
  // The pattern window sits at (40, 60): the screen's own pixels, no band.
  EXPECT_EQ(test::DifferingPixels(*area, [](int x, int y) { return test::PatternAt(60 + x, 40 + y); }), 0);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(app.FindOwnedByName("CaptureRectForm"), nullptr) << "the overlay is gone after its capture";
}

TEST_F(CaptureEngineTest, AreaDraggedAnyOtherWayIsEmptyButNotNullAndEscOrACloseIsNull) {
  // With Auto on, the empty picture leaves what the user had on the clipboard.
  grabber.Auto = true;
  test::PutClipboardText("the user's text");
  DragOnArea({300, 250}, {100, 100});
  auto backwards = grabber.CaptureArea();
  ASSERT_TRUE(backwards);
  EXPECT_TRUE(backwards->Empty());
  EXPECT_EQ(events, 1);
  EXPECT_EQ(test::ClipboardText(), "the user's text");

  // A right-button release does nothing; then Esc leaves without a capture.
  bool stillOpen = false;
  test::WhenShown(app, "CaptureRectForm", [&](ui::Form& f) {
    test::Mouse(f.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, 10, 10);
    test::Mouse(f.Handle(), WM_RBUTTONUP, 0, 50, 50);
    stillOpen = f.Visible() && f.ModalResult() == ui::mrNone;
    SendMessageA(f.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(grabber.CaptureArea(), nullptr);
  EXPECT_TRUE(stillOpen);

  test::WhenShown(app, "CaptureRectForm", [](ui::Form& f) { PostMessageA(f.Handle(), WM_CLOSE, 0, 0); });
  EXPECT_EQ(grabber.CaptureArea(), nullptr);
  EXPECT_EQ(events, 1) << "no event for a capture not taken";
}

TEST_F(CaptureEngineTest, ObjectOverlayEndsOnAnyButtonAndTakesTheWindowUnderThePointer) {
  test::PatternWindow& pattern = ShowPattern();
  const RECT at = pattern.ScreenRect();
  SetCursorPos(at.left + 200, at.top + 150);
  HCURSOR shown = nullptr;
  test::WhenShown(app, "CaptureObjectForm", [&](ui::Form& f) {
    shown = ProgramCursor(TCaptureObjectForm::kHandCursor);
    test::Mouse(f.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, 0, 0);
    test::Mouse(f.Handle(), WM_RBUTTONUP, 0, 0, 0);
  });
  auto object = grabber.CaptureObject();
  ASSERT_TRUE(object);
  EXPECT_NE(shown, nullptr) << "the hand is registered as the program's cursor";
  ASSERT_EQ(object->Width(), 400);
  ASSERT_EQ(object->Height(), 300);
  EXPECT_EQ(test::DifferingPixels(*object, test::PatternAt), 0);

  EscapeFrom("CaptureObjectForm");
  EXPECT_EQ(grabber.CaptureObject(), nullptr);
  EXPECT_EQ(events, 1);
}

TEST_F(CaptureEngineTest, HandCursorIsTwoColours32PixelsWithTheHotSpotAtTheFingertip) {
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "CURSOR_1");
  ASSERT_NE(hand, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  ui::BitmapHandle mask(info.hbmMask), colour(info.hbmColor);
  EXPECT_EQ(info.xHotspot, 0u);
  EXPECT_EQ(info.yHotspot, 0u);
  BITMAP bm{};
  GetObjectA(info.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 32);
  EXPECT_EQ(bm.bmBitsPixel, 1) << "a two-colour cursor keeps both its pictures in one mask bitmap";
  EXPECT_EQ(info.hbmColor, nullptr);
}

TEST_F(CaptureEngineTest, ActiveWindowCaptureTakesTheForegroundWindowWithItsFrame) {
  test::PatternWindow& pattern = ShowPattern();
  SetForegroundWindow(pattern.Handle());
  PumpFor(milliseconds(100));
  HWND foreground = GetForegroundWindow();
  RECT r{};
  GetWindowRect(foreground, &r);
  auto window = grabber.CaptureActiveWindow();
  ASSERT_TRUE(window);
  EXPECT_EQ(window->Width(), r.right - r.left);
  EXPECT_EQ(window->Height(), r.bottom - r.top);
  if (foreground == pattern.Handle()) {
    EXPECT_EQ(test::DifferingPixels(*window, test::PatternAt), 0);
  }
}

TEST_F(CaptureEngineTest, MinimizeTakesTheProgramOffTheScreenAndBringsItBackWhateverHappens) {
  grabber.Minimize = true;
  grabber.Delay = 300;
  test::PatternWindow& pattern = ShowPattern();
  const RECT at = pattern.ScreenRect();

  auto desktop = grabber.CaptureDesktop();
  ASSERT_TRUE(desktop);
  EXPECT_NE(test::PixelOf(*desktop, at.left + 150, at.top + 120), test::PatternAt(150, 120))
      << "the program's window was on the screen during the capture";
  EXPECT_TRUE(IsWindowVisible(pattern.Handle()));
  EXPECT_FALSE(app.Minimized());

  for (const char* overlay : {"CaptureRectForm", "CaptureObjectForm"}) {
    bool hiddenDuring = false;
    test::WhenShown(app, overlay, [&](ui::Form& f) {
      hiddenDuring = !IsWindowVisible(pattern.Handle());
      SendMessageA(f.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    auto cancelled = std::string(overlay) == "CaptureRectForm" ? grabber.CaptureArea() : grabber.CaptureObject();
    EXPECT_EQ(cancelled, nullptr);
    EXPECT_TRUE(hiddenDuring) << overlay;
    EXPECT_TRUE(IsWindowVisible(pattern.Handle())) << overlay;
  }

  // A failure inside the capture, while the program is off the screen (the
  // overlay's close step throws): the program still comes back.
  bool offScreenAtTheFailure = false;
  test::WhenShown(app, "CaptureRectForm", [&](ui::Form& f) {
    f.OnCloseQuery = [&](ui::Component&, bool&) {
      offScreenAtTheFailure = app.Minimized() && !IsWindowVisible(pattern.Handle());
      throw std::runtime_error("the overlay failed");
    };
    test::Mouse(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    test::Mouse(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, 20, 20);
    test::Mouse(f.Handle(), WM_LBUTTONUP, 0, 20, 20);
  });
  EXPECT_THROW(grabber.CaptureArea(), std::runtime_error);
  EXPECT_TRUE(offScreenAtTheFailure) << "the failure did not happen inside the capture";
  EXPECT_TRUE(IsWindowVisible(pattern.Handle()));
  EXPECT_FALSE(app.Minimized());

  // A failure after it, in the capture's event: nothing to undo, the program is back.
  grabber.OnCapture = [](ui::Component&) { throw std::runtime_error("the event failed"); };
  DragOnArea({10, 10}, {20, 20});
  EXPECT_THROW(grabber.CaptureArea(), std::runtime_error);
  EXPECT_TRUE(IsWindowVisible(pattern.Handle()));
  EXPECT_FALSE(app.Minimized());
}

TEST_F(CaptureEngineTest, DelayWaitsBeforeAndTheOverlaysWaitOnceMoreAfterClosing) {
  grabber.Delay = 400;
  auto start = Clock::now();
  Clock::time_point shown{}, closed{};
  test::WhenShown(app, "CaptureRectForm", [&](ui::Form& f) {
    shown = Clock::now();
    test::Mouse(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    test::Mouse(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, 25, 25);
    closed = Clock::now();
    test::Mouse(f.Handle(), WM_LBUTTONUP, 0, 25, 25);
  });
  auto area = grabber.CaptureArea();
  auto end = Clock::now();
  ASSERT_TRUE(area);
  EXPECT_GE(shown - start, milliseconds(400));
  EXPECT_GE(end - closed, milliseconds(400));
}

TEST_F(CaptureEngineTest, AutoPutsEveryCaptureOnTheClipboardAndOffLeavesTheClipboardAlone) {
  ShowPattern();
  test::PutClipboardText("the user's text");
  ASSERT_TRUE(grabber.CaptureDesktop());
  DragOnArea({50, 70}, {90, 100});
  ASSERT_TRUE(grabber.CaptureArea());
  EXPECT_EQ(test::ClipboardText(), "the user's text");

  // The pattern shows again where the last overlay was before the next
  // overlay freezes the screen (what the delay is for).
  PumpFor(milliseconds(300));
  grabber.Auto = true;
  DragOnArea({50, 70}, {90, 100});
  auto area = grabber.CaptureArea();
  ASSERT_TRUE(area);
  ui::Bitmap pasted = test::ClipboardBitmap();
  ASSERT_EQ(pasted.Width(), 40);
  ASSERT_EQ(pasted.Height(), 30);
  EXPECT_EQ(test::DifferingPixels(pasted, [&](int x, int y) { return test::PixelOf(*area, x, y); }), 0);
  EXPECT_EQ(test::DifferingPixels(pasted, [](int x, int y) { return test::PatternAt(10 + x, 10 + y); }), 0);

  // A cancelled capture leaves the clipboard as it was.
  test::PutClipboardText("kept");
  EscapeFrom("CaptureRectForm");
  EXPECT_EQ(grabber.CaptureArea(), nullptr);
  EXPECT_EQ(test::ClipboardText(), "kept");
}

TEST_F(CaptureEngineTest, AHundredCapturesLeaveNoGuiObjectsBehind) {
  grabber.Auto = true;
  ASSERT_TRUE(grabber.CaptureDesktop());
  DragOnArea({10, 10}, {60, 60});
  ASSERT_TRUE(grabber.CaptureArea());
  const long before = test::GuiObjectMark();
  // The clipboard copy is the slow part under Wine: a tenth of the
  // captures make it.
  for (int i = 0; i < 100; ++i) {
    grabber.Auto = i % 10 == 0;
    ASSERT_TRUE(grabber.CaptureDesktop());
  }
  for (int i = 0; i < 10; ++i) {
    DragOnArea({10, 10}, {60 + i, 60});
    ASSERT_TRUE(grabber.CaptureArea());
    test::WhenShown(app, "CaptureObjectForm", [](ui::Form& f) { test::Mouse(f.Handle(), WM_LBUTTONUP, 0, 0, 0); });
    ASSERT_TRUE(grabber.CaptureObject());
  }
  const long after = test::GuiObjectMark();
  EXPECT_LE(after - before, 5) << "GUI objects went from " << before << " to " << after;
}

}  // namespace
}  // namespace wc
