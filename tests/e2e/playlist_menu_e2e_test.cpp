// The playlist menu used as a user uses it: the real WallpaperChanger.exe
// with five entries, its control panel opened from the tray icon's menu, the
// playlist menu opened from its button beside the list and "Sort Wallpaper
// List" chosen; the playlist written at exit is sorted.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/bmp.h"
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"
#include "user_input.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

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

  // The control panel, from the first item of the tray icon's menu. A
  // program still busy starting up may miss the first click on its icon.
  RECT icon{};
  ASSERT_TRUE(FindTrayIcon(taskbar, icon)) << "no tray icon";
  ASSERT_TRUE(WaitFor([&] { return program.MainWindow() != nullptr; }, 15s));
  DWORD pid = 0;
  HWND main = program.MainWindow();
  GetWindowThreadProcessId(main, &pid);
  ASSERT_TRUE(OpenTrayMenu(icon, pid)) << "no tray menu";
  Key(VK_DOWN);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 15s)) << "the control panel did not open";
  std::this_thread::sleep_for(500ms);

  // The playlist menu's button: the last of the five beside the list, once
  // the start-up sequence has filled the list.
  HWND group = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (group = FindChild(main, "Button", "Playlist management")) != nullptr; }, 20s));
  HWND list = FindChild(group, "ListBox");
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
  ClickUntil(at, [&] { return (menu = OpenMenuOf(pid)) != nullptr; });
  ASSERT_NE(menu, nullptr) << "the playlist menu did not open";
  std::this_thread::sleep_for(300ms);
  SaveScreen("playlist_menu.bmp");
  RECT menuRect{};
  GetWindowRect(menu, &menuRect);
  // At the pointer, and tall enough for its twenty-five rows.
  EXPECT_LE(std::abs(menuRect.left - at.x), 2);
  EXPECT_GT(menuRect.bottom - menuRect.top, 17 * 16);

  // "Sort Wallpaper List" is the tenth item that is not a separator.
  for (int i = 0; i < 10; ++i) Key(VK_DOWN);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return OpenMenuOf(pid) == nullptr; }, 15s));
  std::this_thread::sleep_for(300ms);

  // Closing the shown panel sends it to the tray; closing again ends the program.
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) == FALSE; }, 15s));
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(10s));
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_EQ(ReadTextFile(program.File("DefPlayList.qvl")), sorted);
}

}  // namespace
}  // namespace wc::test
