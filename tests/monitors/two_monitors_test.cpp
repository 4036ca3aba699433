// Run by two_monitors.sh on an X display with two monitors side by side
// (WC_SECOND_MONITOR=right: 0,0 and 800,0; =left: the second at -800,0),
// in a Wine prefix without a virtual desktop. Checks what the program sees
// of the monitors and what its captures take.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "capture/capture_rect_form.h"
#include "capture/screen_grabber.h"
#include "gui_test.h"
#include "ui/monitors.h"

namespace wc {
namespace {

constexpr int kWidth = 800, kHeight = 600;

bool SecondOnTheLeft() {
  const char* layout = std::getenv("WC_SECOND_MONITOR");
  return layout && std::string(layout) == "left";
}

// A top-most window of one solid colour, for the captures to find.
class SolidWindow {
 public:
  SolidWindow(const RECT& at, COLORREF colour) : brush_(CreateSolidBrush(colour)) {
    static int made = 0;  // a class of its own, with its own brush
    const std::string name = "WcSolid" + std::to_string(++made);
    WNDCLASSA c{};
    c.lpfnWndProc = DefWindowProcA;
    c.hInstance = GetModuleHandleA(nullptr);
    c.hbrBackground = brush_;
    c.lpszClassName = name.c_str();
    RegisterClassA(&c);
    window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, name.c_str(), "", WS_POPUP | WS_VISIBLE, at.left,
                              at.top, at.right - at.left, at.bottom - at.top, nullptr, nullptr, c.hInstance, nullptr);
    UpdateWindow(window_);
  }
  // Waits until the screen shows the window's colour in its middle.
  bool Shown(COLORREF colour) const {
    RECT r{};
    GetWindowRect(window_, &r);
    for (int i = 0; i < 100; ++i) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      HDC screen = GetDC(nullptr);
      const COLORREF seen = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
      ReleaseDC(nullptr, screen);
      if (seen == colour) return true;
      Sleep(50);
    }
    return false;
  }
  ~SolidWindow() {
    DestroyWindow(window_);
    DeleteObject(brush_);
  }

 private:
  HBRUSH brush_;
  HWND window_ = nullptr;
};

uint32_t PixelOf(const ui::Bitmap& b, int x, int y) { return b.Bits()[size_t(y) * size_t(b.Width()) + size_t(x)] & 0xFFFFFF; }

class TwoMonitorsTest : public test::GuiTest {
 protected:
  // The primary's and the other monitor's rectangles as the layout puts them.
  RECT primary{0, 0, kWidth, kHeight};
  RECT other = SecondOnTheLeft() ? RECT{-kWidth, 0, 0, kHeight} : RECT{kWidth, 0, 2 * kWidth, kHeight};
  RECT screen{std::min(primary.left, other.left), 0, std::max(primary.right, other.right), kHeight};
};

TEST_F(TwoMonitorsTest, TheSystemsTwoMonitorsMakeOneVirtualScreen) {
  const std::vector<ui::Monitor> monitors = ui::Monitors();
  ASSERT_EQ(monitors.size(), 2u);
  int primaries = 0;
  for (const ui::Monitor& m : monitors) {
    primaries += m.primary;
    const RECT& want = m.primary ? primary : other;
    EXPECT_EQ(m.area.left, want.left);
    EXPECT_EQ(m.area.right, want.right);
  }
  EXPECT_EQ(primaries, 1);
  const RECT v = ui::VirtualScreen();
  EXPECT_EQ(v.left, screen.left);
  EXPECT_EQ(v.right - v.left, 2 * kWidth);
  EXPECT_EQ(v.bottom - v.top, kHeight);
  // A window left where a removed monitor was comes back onto the one given.
  const RECT lost{5000, 5000, 5300, 5200};
  const RECT back = ui::KeepWithin(lost, ui::WorkAreaNear(other));
  EXPECT_GE(back.left, other.left);
  EXPECT_LE(back.right, other.right);
  EXPECT_EQ(back.right - back.left, 300);
}

TEST_F(TwoMonitorsTest, TheDesktopCaptureTakesBothMonitorsAndTheirWindows) {
  SolidWindow red(RECT{primary.left + 100, 100, primary.left + 300, 300}, RGB(220, 20, 20));
  SolidWindow blue(RECT{other.left + 400, 200, other.left + 700, 500}, RGB(20, 20, 220));
  ASSERT_TRUE(red.Shown(RGB(220, 20, 20)) && blue.Shown(RGB(20, 20, 220)));
  TScreenGrabber grabber(nullptr, "ScreenGrabber1");
  std::unique_ptr<ui::Bitmap> shot = grabber.CaptureDesktop();
  ASSERT_TRUE(shot);
  ASSERT_EQ(shot->Width(), 2 * kWidth);
  ASSERT_EQ(shot->Height(), kHeight);
  // Picture coordinates are screen coordinates less the virtual screen's corner.
  EXPECT_EQ(PixelOf(*shot, primary.left + 200 - screen.left, 200), 0xDC1414u);
  EXPECT_EQ(PixelOf(*shot, other.left + 550 - screen.left, 350), 0x1414DCu);
}

TEST_F(TwoMonitorsTest, AnAreaDraggedAcrossTheBoundaryIsExactlyThatRectangle) {
  SolidWindow red(RECT{primary.left + 10, 50, primary.right - 10, 550}, RGB(220, 20, 20));
  SolidWindow blue(RECT{other.left + 10, 50, other.right - 10, 550}, RGB(20, 20, 220));
  ASSERT_TRUE(red.Shown(RGB(220, 20, 20)) && blue.Shown(RGB(20, 20, 220)));
  TCaptureRectForm overlay(app);
  RECT covered{};
  GetWindowRect(overlay.Handle(), &covered);
  EXPECT_EQ(covered.left, screen.left);
  EXPECT_EQ(covered.right, screen.right);
  // From 100 pixels into the left monitor to 100 into the right one.
  const RECT left = screen.left == primary.left ? primary : other;
  const int fromX = left.right - 100 - screen.left, toX = left.right + 100 - screen.left;
  auto at = [](int x, int y) { return MAKELPARAM(x, y); };
  SendMessageA(overlay.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(fromX, 100));
  SendMessageA(overlay.Handle(), WM_MOUSEMOVE, MK_LBUTTON, at(toX, 300));
  SendMessageA(overlay.Handle(), WM_LBUTTONUP, 0, at(toX, 300));
  ui::Bitmap selection = overlay.TakeSelection();
  ASSERT_EQ(selection.Width(), 200);
  ASSERT_EQ(selection.Height(), 200);
  const uint32_t leftColour = left.left == primary.left ? 0xDC1414u : 0x1414DCu;
  const uint32_t rightColour = leftColour == 0xDC1414u ? 0x1414DCu : 0xDC1414u;
  EXPECT_EQ(PixelOf(selection, 50, 100), leftColour);
  EXPECT_EQ(PixelOf(selection, 150, 100), rightColour);
}

}  // namespace
}  // namespace wc
