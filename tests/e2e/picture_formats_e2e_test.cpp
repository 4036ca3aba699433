// Pictures of every kind the system decodes, used as a user would: the real
// WallpaperChanger.exe in automatic mode on a folder of PNG, GIF, TIFF and
// JPEG files with extensions in either case; "Reload" gives each a row, and
// the tray menu's "Next Wallpaper" puts each on the desktop.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "common/image32.h"
#include "common/ini_file.h"
#include "common/jpeg.h"
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"
#include "user_input.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

struct Sample {
  const char* source;  // in tests/wallpaper/pictures, or "" for a JPEG made here
  const char* name;    // as the user has it
  uint32_t colour;
};
const Sample kSamples[] = {
    {"png8-palette.png", "red.png", 0xC80000},     {"png24.png", "Green.PNG", 0x00A000},
    {"gif-animated.gif", "magenta.GIF", 0xC800C8}, {"tiff-two-pages.tiff", "Orange.TIF", 0xFF8000},
    {"", "blue.JPG", 0x0000E6},
};

// The sample the middle of the desktop shows (Wine centres a wallpaper
// smaller than the screen), or -1.
int CentreSample() {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
  ReleaseDC(nullptr, screen);
  for (int i = 0; i < int(std::size(kSamples)); ++i) {
    const uint32_t want = kSamples[i].colour;
    if (std::abs(GetRValue(c) - PixelRed(want)) < 10 && std::abs(GetGValue(c) - PixelGreen(want)) < 10 &&
        std::abs(GetBValue(c) - PixelBlue(want)) < 10) {
      return i;
    }
  }
  return -1;
}

TEST(PictureFormatsProgram, AutomaticModeFindsEveryKindAndEachBecomesTheDesktop) {
  HWND taskbar = WakeDesktop();
  ASSERT_NE(taskbar, nullptr) << "no taskbar: the Wine prefix runs without its virtual desktop";
  TempDir dir;
  ProgramRunner program(dir.path());
  const std::string folder = program.File("pictures");
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const Sample& s : kSamples) {
    const std::string path = folder + "\\" + s.name;
    if (*s.source) {
      ASSERT_TRUE(CopyFileA((TestPictures() + "\\" + s.source).c_str(), path.c_str(), FALSE));
    } else {
      EncodeJpegFile(path, MakeImage(48, 32, s.colour), 95);
    }
  }
  WriteTextFile(folder + "\\notes.txt", "not a picture");
  IniFile ini(program.File("settings.ini"));
  ini.WriteInteger("Functioning mode", "value", 1);
  ini.WriteString("Automatic mode location", "value", folder);
  ini.WriteBool("Change at Startup", "Checked", false);
  ini.WriteInteger("Wallpaper style", "value", 1);  // centre

  char none[1] = "";
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, none, SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
  ASSERT_TRUE(WaitFor([] { return CentreSample() < 0; }, 20s)) << "the desktop kept an earlier picture";
  program.Start();

  // The control panel from the tray menu's first item, then "Reload".
  RECT icon{};
  ASSERT_TRUE(FindTrayIcon(taskbar, icon)) << "no tray icon";
  ASSERT_TRUE(WaitFor([&] { return program.MainWindow() != nullptr; }, 15s));
  HWND main = program.MainWindow();
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  ASSERT_TRUE(OpenTrayMenu(icon, pid)) << "no tray menu";
  Key(VK_DOWN);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 15s)) << "the control panel did not open";
  // The start-up sequence reads the settings a moment after the start.
  HWND group = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (group = FindChild(main, "Button", "Playlist management - disabled")) != nullptr; },
                      20s))
      << "the panel is not in automatic mode";
  HWND list = FindChild(group, "ListBox");
  HWND reload = FindChild(main, "Button", "Reload");
  ASSERT_NE(list, nullptr);
  ASSERT_NE(reload, nullptr);
  const LRESULT rows = LRESULT(std::size(kSamples));
  EXPECT_TRUE(ClickUntil(Centre(reload), [&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == rows; }))
      << "the list shows " << SendMessageA(list, LB_GETCOUNT, 0, 0) << " rows";

  // Each "Next Wallpaper" of the tray menu (its fifth item) applies the next row.
  std::set<int> shown;
  for (int change = 0; change < int(rows); ++change) {
    const int before = CentreSample();
    ASSERT_TRUE(OpenTrayMenu(icon, pid)) << "no tray menu";
    for (int i = 0; i < 5; ++i) Key(VK_DOWN);
    Key(VK_RETURN);
    int now = -1;
    EXPECT_TRUE(WaitFor([&] { return (now = CentreSample()) >= 0 && now != before; }, 15s))
        << "change " << change << " showed nothing new";
    if (now >= 0) shown.insert(now);
  }
  EXPECT_EQ(shown.size(), size_t(rows)) << "not every picture reached the desktop";

  // Closing the shown panel sends it to the tray; closing again ends the program.
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) == FALSE; }, 15s));
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(10s));
  EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
}  // namespace wc::test
