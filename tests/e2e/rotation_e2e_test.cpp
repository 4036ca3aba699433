// WallpaperChanger.exe rotating a playlist on its timer, watched on the
// desktop itself.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/image32.h"
#include "common/ini_file.h"
#include "common/jpeg.h"
#include "common/paths.h"
#include "playlist/playlist_file.h"
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"
#include "ui/wide_text.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string DesktopWallpaper() {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return "<none>";
  }
  return value;
}

// The colour at the middle of the desktop as one letter: R, G or B for the
// three pictures, '-' for anything else.
char CentreColour() {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
  ReleaseDC(nullptr, screen);
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  auto is = [](int v, int want) { return std::abs(v - want) < 12; };
  if (is(r, 230) && is(g, 20) && is(b, 20)) return 'R';
  if (is(r, 20) && is(g, 210) && is(b, 20)) return 'G';
  if (is(r, 20) && is(g, 20) && is(b, 230)) return 'B';
  return '-';
}

TEST(Rotation, TheTimerTakesTheDesktopThroughThePlaylistInOrder) {
  TempDir dir;
  ProgramRunner program(dir.path());

  // Pictures larger than the desktop: Wine centres them, so the middle shows
  // their colour whatever the style does.
  const int w = GetSystemMetrics(SM_CXSCREEN) + 64, h = GetSystemMetrics(SM_CYSCREEN) + 64;
  const std::vector<std::pair<std::string, uint32_t>> pictures = {
      {"red.jpg", MakePixel(230, 20, 20)}, {"green.jpg", MakePixel(20, 210, 20)}, {"blue.jpg", MakePixel(20, 20, 230)}};
  std::vector<std::string> lines;
  for (const auto& [name, colour] : pictures) {
    std::string path = program.File(name);
    EncodeJpegFile(path, MakeImage(w, h, colour), 95);
    lines.push_back(path);
    lines.push_back(DisplayName(path));
  }
  WritePlaylistFile(program.File("DefPlayList.qvl"), lines);

  IniFile ini(program.File("settings.ini"));
  ini.WriteBool("Enable Timer", "Checked", true);
  ini.WriteInteger("Interval Value", "Value", 2);
  ini.WriteInteger("Timer interval", "value", 0);  // seconds
  ini.WriteBool("Change at Startup", "Checked", false);
  ini.WriteBool("Shuffle Wallpapers", "Checked", false);
  ini.WriteInteger("Wallpaper style", "value", 1);  // centre
  ini.WriteInteger("Last Wallpaper Index", "Value", 2);  // the first tick goes round to red

  // Start from a desktop without any of the three colours.
  char none[1] = "";
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, none, SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
  ASSERT_TRUE(WaitFor([] { return CentreColour() == '-'; }, 20s)) << "the desktop kept an earlier picture";

  program.Start();
  std::string seen, trace;  // the three colours; everything the middle showed
  std::vector<Clock::time_point> changed;
  WaitFor(
      [&] {
        char c = CentreColour();
        if (trace.empty() || trace.back() != c) trace += c;
        if (c != '-' && (seen.empty() || seen.back() != c)) {
          seen += c;
          changed.push_back(Clock::now());
        }
        return seen.size() >= 4 || !program.Running();
      },
      60s);
  EXPECT_EQ(seen, "RGBR") << "colours the desktop took, in order (all it showed: " << trace << ")";
  ASSERT_TRUE(program.Running());
  // Three ticks of the two-second timer lie between the first red and the
  // second; how late the desktop draws each change varies with the load, so
  // only the whole span is compared.
  if (changed.size() == 4) {
    EXPECT_GE(changed[3] - changed[0], 4s);
  }

  // Converted in the user's own folder: a standard user may not write the Windows folder.
  wchar_t local[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local), S_OK);
  EXPECT_EQ(DesktopWallpaper(), ui::Narrow(local) + "\\Pellimox Free Wallpaper Changer\\WPCWallpaper.bmp");

  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(10s));
  EXPECT_EQ(program.ExitCode(), 0u);
  // The current row went round with the pictures and was kept at exit.
  const int last = ini.ReadInteger("Last Wallpaper Index", "Value", -1);
  EXPECT_TRUE(last == 0 || last == 1) << last;  // red, or green if one more tick came before the close
}

}  // namespace
}  // namespace wc::test
