// The program's tray icon used as a user uses it: the real
// WallpaperChanger.exe in a folder of its own, its icon in the taskbar of
// the Wine desktop, clicked with the mouse and its menu driven by keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/image32.h"
#include "common/jpeg.h"
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"
#include "user_input.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

// A piece of the screen as it is now.
struct Shot {
  RECT area{};
  std::vector<uint32_t> pixels;
};

Shot Grab(const RECT& area) { return Shot{area, GrabScreen(area)}; }

// The smallest rectangle (screen coordinates) holding every pixel of the
// shot that is not the background colour; empty when there is none.
RECT Foreground(const Shot& shot, uint32_t background) {
  RECT box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  int w = shot.area.right - shot.area.left;
  for (size_t i = 0; i < shot.pixels.size(); ++i) {
    if ((shot.pixels[i] & 0xFFFFFF) == (background & 0xFFFFFF)) continue;
    LONG x = shot.area.left + LONG(i % size_t(w)), y = shot.area.top + LONG(i / size_t(w));
    box.left = std::min(box.left, x);
    box.top = std::min(box.top, y);
    box.right = std::max(box.right, x + 1);
    box.bottom = std::max(box.bottom, y + 1);
  }
  if (box.left > box.right) return RECT{};
  return box;
}

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

COLORREF DesktopCentre() {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
  ReleaseDC(nullptr, screen);
  return c;
}

bool Near(COLORREF c, uint32_t pixel) {
  return std::abs(int(GetRValue(c)) - PixelRed(pixel)) < 12 && std::abs(int(GetGValue(c)) - PixelGreen(pixel)) < 12 &&
         std::abs(int(GetBValue(c)) - PixelBlue(pixel)) < 12;
}

// Wine paints a new wallpaper over the taskbar and leaves it so: the taskbar
// is drawn afresh before each look at it.
void RedrawTaskbar(HWND taskbar) {
  RedrawWindow(taskbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  std::this_thread::sleep_for(200ms);
}

int StoredIndex(const std::string& ini) {
  return int(GetPrivateProfileIntA("Last Wallpaper Index", "Value", -1, ini.c_str()));
}

TEST(TrayProgram, ItsIconChangesTheWallpaperOnAClickAndItsMenuEndsTheProgram) {
  // Wine shows the taskbar of its desktop, which holds the notification
  // area, while some program has an icon there.
  HWND taskbar = WakeDesktop();
  ASSERT_NE(taskbar, nullptr) << "no taskbar: the Wine prefix runs without its virtual desktop";
  auto shown = [&] { return IsWindowVisible(taskbar) != FALSE; };
  ASSERT_FALSE(shown()) << "another program has an icon in the taskbar";

  TempDir dir;
  ProgramRunner program(dir.path());
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const uint32_t red = MakePixel(200, 30, 30), blue = MakePixel(30, 30, 200);
  std::string first = program.File("red.jpg"), second = program.File("blue.jpg");
  EncodeJpegFile(first, MakeImage(w, h, red), 95);
  EncodeJpegFile(second, MakeImage(w, h, blue), 95);
  const std::string playlist = first + "\r\nred\r\n" + second + "\r\nblue\r\n";
  WriteTextFile(program.File("DefPlayList.qvl"), playlist);
  const std::string ini = program.File("settings.ini");
  program.Start();

  // The notification area is the right end of the taskbar; the rest of the
  // bar is empty and shows its background.
  auto iconBox = [&] {
    RECT bar{};
    GetWindowRect(taskbar, &bar);
    Shot whole = Grab(bar);
    if (!shown() || whole.pixels.empty()) return RECT{};
    RECT end = bar;
    end.left = std::max(bar.left, bar.right - 64);
    return Foreground(Grab(end), whole.pixels[whole.pixels.size() / 2]);
  };
  // A small picture appears there. The bar may still be drawing itself when
  // it is first shown: it is looked at until it has settled.
  RECT icon{};
  auto iconLike = [](const RECT& r) {
    LONG w = r.right - r.left, h = r.bottom - r.top;
    return w >= 12 && w <= 24 && h >= 12 && h <= 24;
  };
  ASSERT_TRUE(WaitFor(
      [&] {
        if (shown()) RedrawTaskbar(taskbar);
        return iconLike(icon = iconBox());
      },
      10s))
      << "no icon appeared in the taskbar; last seen " << icon.left << "," << icon.top << " - " << icon.right << ","
      << icon.bottom;
  const POINT onIcon{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
  EXPECT_TRUE(program.VisibleWindows().empty());

  // Two seconds in, the start-up moves on from the stored first entry.
  ASSERT_TRUE(WaitFor([&] { return StoredIndex(ini) == 1; }, 20s)) << "no change at start-up";
  EXPECT_TRUE(WaitFor([&] { return Near(DesktopCentre(), blue); }, 15s));

  // A left click on the icon changes to the next entry, round to the first.
  Mouse(onIcon, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitFor([&] { return StoredIndex(ini) == 0; }, 15s)) << "the click changed nothing";
  COLORREF c = 0;
  EXPECT_TRUE(WaitFor([&] { return Near(c = DesktopCentre(), red); }, 15s))
      << "desktop centre is " << int(GetRValue(c)) << "," << int(GetGValue(c)) << "," << int(GetBValue(c));
  EXPECT_TRUE(program.VisibleWindows().empty());

  // A right click opens the menu; its last item ends the program.
  Mouse(onIcon, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  HWND menu = nullptr;
  DWORD pid = 0;
  GetWindowThreadProcessId(program.MainWindow(), &pid);
  ASSERT_TRUE(WaitFor([&] { return (menu = OpenMenuOf(pid)) != nullptr; }, 15s)) << "no menu opened";
  RECT menuRect{};
  GetWindowRect(menu, &menuRect);
  EXPECT_GT(menuRect.bottom - menuRect.top, 22 * 8);  // twenty-two rows
  Key(VK_UP);
  Key(VK_RETURN);
  ASSERT_TRUE(program.WaitForExit(10s)) << "the exit item did not end the program";
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_EQ(ReadTextFile(program.File("DefPlayList.qvl")), playlist);
  EXPECT_EQ(StoredIndex(ini), 0);

  // And the icon has left the notification area.
  EXPECT_TRUE(WaitFor(
      [&] {
        if (!shown()) return true;
        RedrawTaskbar(taskbar);
        return Empty(iconBox());
      },
      5s));
}

}  // namespace
}  // namespace wc::test
