// The playlist menu used as a user uses it: the real WallpaperChanger.exe
// with five entries, its control panel opened from the tray icon's menu, the
// playlist menu opened from its button beside the list and "Sort Wallpaper
// List" chosen; the playlist written at exit is sorted.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/bmp.h"
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

// The smallest rectangle of the area holding a pixel unlike the background.
RECT Foreground(const RECT& area, uint32_t background) {
  std::vector<uint32_t> pixels = GrabScreen(area);
  RECT box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  const int w = area.right - area.left;
  for (size_t i = 0; i < pixels.size(); ++i) {
    if ((pixels[i] & 0xFFFFFF) == (background & 0xFFFFFF)) continue;
    LONG x = area.left + LONG(i % size_t(w)), y = area.top + LONG(i / size_t(w));
    box.left = std::min(box.left, x);
    box.top = std::min(box.top, y);
    box.right = std::max(box.right, x + 1);
    box.bottom = std::max(box.bottom, y + 1);
  }
  return box.left > box.right ? RECT{} : box;
}

void Mouse(POINT at, DWORD down, DWORD up) {
  SetCursorPos(at.x, at.y);
  std::this_thread::sleep_for(50ms);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = down;
  in[1].mi.dwFlags = up;
  SendInput(2, in, sizeof(INPUT));
}

void Key(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
  std::this_thread::sleep_for(60ms);
}

HWND OpenMenuOf(DWORD pid) {
  HWND menu = nullptr;
  while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(menu, &owner);
    if (owner == pid && IsWindowVisible(menu)) return menu;
  }
  return nullptr;
}

HWND ChildWithText(HWND parent, const char* text) {
  struct Search {
    const char* text;
    HWND found;
  } s{text, nullptr};
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<Search*>(l);
        char buf[256] = {};
        GetWindowTextA(h, buf, sizeof buf);
        if (std::string(buf) == s->text) {
          s->found = h;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindListBox(HWND parent) {
  HWND found = nullptr;
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM l) -> BOOL {
        char name[64] = {};
        GetClassNameA(h, name, sizeof name);
        if (lstrcmpiA(name, "ListBox") != 0) return TRUE;
        *reinterpret_cast<HWND*>(l) = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// A picture of the screen for a person to look at, when asked for.
void SaveScreen(const char* name) {
  const char* folder = std::getenv("WC_SCREENSHOT_DIR");
  if (!folder) return;
  RECT all{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  std::vector<uint32_t> pixels = GrabScreen(all);
  WriteBmpFile(std::string(folder) + "\\" + name, pixels.data(), all.right, all.bottom, 24);
}

TEST(PlaylistMenuProgram, SortWallpaperListFromThePlaylistMenuSortsThePlaylistWrittenAtExit) {
  HWND taskbar = WakeDesktop();
  ASSERT_NE(taskbar, nullptr) << "no taskbar: the Wine prefix runs without its virtual desktop";
  TempDir dir;
  ProgramRunner program(dir.path());
  std::vector<std::string> names = {"echo", "charlie", "alpha", "delta", "bravo"};
  std::string playlist, sorted;
  for (const std::string& n : names) {
    const std::string path = MakePicture(program.File(n + ".bmp"));
    playlist += path + "\r\n" + n + "\r\n";
  }
  std::sort(names.begin(), names.end());
  for (const std::string& n : names) sorted += program.File(n + ".bmp") + "\r\n" + n + "\r\n";
  WriteTextFile(program.File("DefPlayList.qvl"), playlist);
  // The desktop is left alone: no change at start-up.
  WriteTextFile(program.File("settings.ini"), "[Change at Startup]\r\nChecked=0\r\n");
  program.Start();

  // The control panel, from the first item of the tray icon's menu.
  auto shown = [&] { return IsWindowVisible(taskbar) != FALSE; };
  RECT icon{};
  ASSERT_TRUE(WaitFor(
      [&] {
        if (!shown()) return false;
        RedrawWindow(taskbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        std::this_thread::sleep_for(200ms);
        RECT bar{};
        GetWindowRect(taskbar, &bar);
        std::vector<uint32_t> whole = GrabScreen(bar);
        if (whole.empty()) return false;
        RECT end = bar;
        end.left = std::max(bar.left, bar.right - 64);
        icon = Foreground(end, whole[whole.size() / 2]);
        LONG w = icon.right - icon.left, h = icon.bottom - icon.top;
        return w >= 12 && w <= 24 && h >= 12 && h <= 24;
      },
      15s))
      << "no tray icon";
  DWORD pid = 0;
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  GetWindowThreadProcessId(main, &pid);
  Mouse({(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(WaitFor([&] { return OpenMenuOf(pid) != nullptr; }, 5s)) << "no tray menu";
  Key(VK_DOWN);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 5s)) << "the control panel did not open";
  std::this_thread::sleep_for(500ms);

  // The playlist menu's button: the last of the five beside the list, once
  // the start-up sequence has filled the list.
  HWND group = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (group = ChildWithText(main, "Playlist management")) != nullptr; }, 10s));
  HWND list = FindListBox(group);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 5; }, 15s))
      << "the list shows " << SendMessageA(list, LB_GETCOUNT, 0, 0) << " rows";
  POINT at{270 + 13, 153 + 13};  // its middle in the group, at 96 DPI
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  at.x = MulDiv(at.x, dpi, 96);
  at.y = MulDiv(at.y, dpi, 96);
  HWND button = ChildWindowFromPoint(group, at);
  ASSERT_NE(button, group);
  ClientToScreen(group, &at);
  // A busy program may miss the first click: the button is clicked again then.
  HWND menu = nullptr;
  for (int attempt = 0; attempt < 3 && !menu; ++attempt) {
    Mouse(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    WaitFor([&] { return (menu = OpenMenuOf(pid)) != nullptr; }, 5s);
  }
  ASSERT_NE(menu, nullptr) << "the playlist menu did not open";
  std::this_thread::sleep_for(300ms);
  SaveScreen("playlist_menu.bmp");
  RECT menuRect{};
  GetWindowRect(menu, &menuRect);
  // At the pointer, and tall enough for its twenty-three rows.
  EXPECT_LE(std::abs(menuRect.left - at.x), 2);
  EXPECT_GT(menuRect.bottom - menuRect.top, 17 * 16);

  // "Sort Wallpaper List" is the eighth item that is not a separator.
  for (int i = 0; i < 8; ++i) Key(VK_DOWN);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return OpenMenuOf(pid) == nullptr; }, 5s));
  std::this_thread::sleep_for(300ms);

  // Closing the shown panel sends it to the tray; closing again ends the program.
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) == FALSE; }, 5s));
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(10s));
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_EQ(ReadTextFile(program.File("DefPlayList.qvl")), sorted);
}

}  // namespace
}  // namespace wc::test
