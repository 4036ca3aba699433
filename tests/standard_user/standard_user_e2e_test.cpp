// The program as a standard user runs it: run by standard_user_test.sh under
// an ordinary account whose Windows folder and Program Files are read-only.
//   - A PNG shown with Fill reaches the desktop through the user's own
//     folder, and the settings and playlist are saved at exit.
//   - A copy in a folder the user may not write says so once at start,
//     names the folder, and then runs and ends without another box.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/ini_file.h"
#include "playlist/playlist_file.h"
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"
#include "ui/wide_text.h"
#include "user_input.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

// png24.png of the test pictures is a 48 x 32 picture of this green.
bool IsSampleGreen(COLORREF c) {
  return std::abs(GetRValue(c) - 0x00) < 10 && std::abs(GetGValue(c) - 0xA0) < 10 && std::abs(GetBValue(c)) < 10;
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

// Every text of the dialog's static controls, one after another.
std::string DialogText(HWND dialog) {
  std::string all;
  if (!dialog) return all;
  HWND child = nullptr;
  while ((child = FindWindowExA(dialog, child, "Static", nullptr)) != nullptr) all += TextOf(child) + "\n";
  return all;
}

TEST(StandardUser, AFilledPngGoesThroughTheUsersOwnFolderAndEverySaveLands) {
  HWND taskbar = WakeDesktop();
  ASSERT_NE(taskbar, nullptr) << "no taskbar: the prefix runs without its virtual desktop";
  TempDir dir;
  ProgramRunner program(dir.path());
  const std::string picture = program.File("green.png");
  ASSERT_TRUE(CopyFileA((TestPictures() + "\\png24.png").c_str(), picture.c_str(), FALSE));
  WritePlaylistFile(program.File("DefPlayList.qvl"), {picture, "green"});
  IniFile ini(program.File("settings.ini"));
  ini.WriteBool("Change at Startup", "Checked", true);
  ini.WriteInteger("Wallpaper style", "value", 4);  // Fill
  ini.WriteInteger("Last Wallpaper Index", "Value", 0);

  char none[1] = "";
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, none, SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_TRUE(WaitFor([&] { return !IsSampleGreen(ScreenPixel(w / 2, h / 2)); }, 20s));
  program.Start();

  // Filled, the small picture covers the whole desktop, corners included.
  EXPECT_TRUE(WaitFor([&] { return IsSampleGreen(ScreenPixel(w / 2, h / 2)) && IsSampleGreen(ScreenPixel(8, 8)); },
                      30s))
      << "the desktop does not show the filled picture";
  wchar_t local[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local), S_OK);
  const std::string bitmap = ui::Narrow(local) + "\\Pellimox Free Wallpaper Changer\\WPCWallpaper.bmp";
  EXPECT_EQ(DesktopValue("Wallpaper"), bitmap);
  EXPECT_TRUE(Exists(bitmap));
  ASSERT_TRUE(program.Running());
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  EXPECT_EQ(DialogOf(pid), nullptr) << DialogText(DialogOf(pid));

  // The exit writes the settings and the playlist beside the program.
  DeleteFileA(program.File("DefPlayList.qvl").c_str());
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(15s)) << DialogText(DialogOf(pid));
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_EQ(ReadPlaylistFile(program.File("DefPlayList.qvl")), (std::vector<std::string>{picture, "green"}));
  EXPECT_EQ(ini.ReadInteger("Wallpaper style", "value", -1), 4);
  EXPECT_EQ(IniSections(program.File("settings.ini")).size(), 15u);
}

// The script puts a copy in a folder of Program Files, as someone copying
// it there by hand would, and names it in WC_READ_ONLY_PROGRAM_FOLDER.
TEST(StandardUser, AProgramFolderTheUserMayNotWriteIsSaidOnceAtStart) {
  const char* folder = std::getenv("WC_READ_ONLY_PROGRAM_FOLDER");
  if (!folder || !*folder) GTEST_SKIP() << "WC_READ_ONLY_PROGRAM_FOLDER is not set";
  ASSERT_NE(WakeDesktop(), nullptr);
  ProgramRunner program(folder, ProgramRunner::AlreadyThere{});
  program.Start();
  ASSERT_TRUE(WaitFor([&] { return program.MainWindow() != nullptr; }, 15s));
  DWORD pid = 0;
  GetWindowThreadProcessId(program.MainWindow(), &pid);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = DialogOf(pid)) != nullptr; }, 20s)) << "nothing was said";
  const std::string said = DialogText(box);
  EXPECT_NE(said.find(folder), std::string::npos) << said;
  EXPECT_NE(said.find("setup"), std::string::npos) << said;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitFor([&] { return DialogOf(pid) == nullptr; }, 10s));

  // The start-up sequence goes on; the exit's saves fail without a box,
  // which would keep the program from ending.
  EXPECT_TRUE(WaitFor([&] { return program.StartUpDone(); }, 20s));
  PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitForExit(15s)) << DialogText(DialogOf(pid));
  EXPECT_EQ(DialogOf(pid), nullptr);
  EXPECT_FALSE(Exists(std::string(folder) + "\\settings.ini"));
}

}  // namespace
}  // namespace wc::test
