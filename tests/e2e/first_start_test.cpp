// The program's very first start as a user sees it: the real
// WallpaperChanger.exe with its sample "Images" folder in a fresh folder,
// without settings or playlist. It shows its tray icon, fills the playlist
// from the samples and, once the deferred start-up has run, makes one of
// them the desktop.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/bmp.h"
#include "common/image32.h"
#include "common/jpeg.h"
#include "common/text.h"
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

std::string DesktopValue(const char* name) {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return "";
  }
  return value;
}

void SetDesktopValue(const char* name, const std::string& value) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", name, REG_SZ, value.c_str(), DWORD(value.size() + 1));
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && EqualsIgnoreCaseAscii(text.substr(text.size() - tail.size()), tail);
}


bool Near(uint32_t a, uint32_t b, int tolerance) {
  return std::abs(int(PixelRed(a)) - PixelRed(b)) <= tolerance &&
         std::abs(int(PixelGreen(a)) - PixelGreen(b)) <= tolerance &&
         std::abs(int(PixelBlue(a)) - PixelBlue(b)) <= tolerance;
}

TEST(FirstStart, TheTrayIconAppearsAndASamplePictureBecomesTheDesktop) {
  HWND taskbar = WakeDesktop();
  ASSERT_NE(taskbar, nullptr) << "no taskbar: the Wine prefix runs without its virtual desktop";
  // Wine shows its taskbar only while some program has an icon in it; the
  // screen is no witness, as a wallpaper change paints over the taskbar.
  auto iconShown = [&] { return IsWindowVisible(taskbar) != FALSE; };
  ASSERT_FALSE(iconShown()) << "another program has an icon in the taskbar";

  TempDir dir;
  ProgramRunner program(dir.path());
  ASSERT_TRUE(CreateDirectoryA(program.File("Images").c_str(), nullptr));
  std::vector<std::string> samples;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((std::string(WC_PROGRAM_IMAGES) + "\\*.jpg").c_str(), &entry);
  ASSERT_NE(find, INVALID_HANDLE_VALUE) << "the build put no sample pictures beside the program";
  do {
    std::string copy = program.File("Images\\" + std::string(entry.cFileName));
    ASSERT_TRUE(CopyFileA((std::string(WC_PROGRAM_IMAGES) + "\\" + entry.cFileName).c_str(), copy.c_str(), FALSE));
    samples.push_back(copy);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  ASSERT_GE(samples.size(), 3u);
  ASSERT_FALSE(Exists(program.File("settings.ini")));
  ASSERT_FALSE(Exists(program.File("DefPlayList.qvl")));

  const std::string previous = DesktopValue("Wallpaper");
  SetDesktopValue("Wallpaper", "");
  const auto started = std::chrono::steady_clock::now();
  program.Start();

  EXPECT_TRUE(WaitFor(iconShown, 20s)) << "no icon appeared in the taskbar";
  EXPECT_TRUE(program.VisibleWindows().empty()) << "the program showed a window at start";

  // The deferred start-up runs two seconds in and the change half a second
  // later; the deadline is generous for a loaded machine.
  std::string wallpaper;
  ASSERT_TRUE(WaitFor([&] { return EndsWith(wallpaper = DesktopValue("Wallpaper"), "\\WPCWallpaper.bmp"); }, 30s))
      << "the desktop was not changed; \"Wallpaper\" is \"" << wallpaper << "\"";
  EXPECT_GE(std::chrono::steady_clock::now() - started, 2s);

  // The bitmap is one of the samples, pixel for pixel as the decoder gives it.
  Image32 shown = DecodeBmp(ReadFileBytes(wallpaper));
  const Image32* match = nullptr;
  std::vector<Image32> decoded;
  for (const auto& s : samples) decoded.push_back(DecodeJpegFile(s));
  for (const auto& d : decoded) {
    if (d.width == shown.width && d.height == shown.height && d.pixels == shown.pixels) match = &d;
  }
  ASSERT_NE(match, nullptr) << "the desktop bitmap is none of the sample pictures";

  // The Wine desktop draws it from its top left corner when it is larger
  // than the screen (and centred otherwise): the screen, taskbar apart, is
  // that part of the picture.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN) - 40;
  const RECT screenArea{0, 0, w, h};
  auto onScreen = [&] {
    std::vector<uint32_t> screen = GrabScreen(screenArea);
    const int offsets[2][2] = {{0, 0}, {(match->width - w) / 2, (match->height - h) / 2}};
    for (const auto& o : offsets) {
      bool same = true;
      for (int y = 8; y < h && same; y += h / 12) {
        for (int x = 8; x < w && same; x += w / 16) {
          const int px = x + o[0], py = y + o[1];
          same = px >= 0 && py >= 0 && px < match->width && py < match->height &&
                 Near(screen[size_t(y) * size_t(w) + size_t(x)], match->at(px, py), 12);
        }
      }
      if (same) return true;
    }
    return false;
  };
  EXPECT_TRUE(WaitFor(onScreen, 20s)) << "the desktop does not show the picture";

  // The playlist it made holds the samples and is written when the program ends.
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(10s));
  EXPECT_EQ(program.ExitCode(), 0u);
  std::string playlist = ReadTextFile(program.File("DefPlayList.qvl"));
  for (const auto& s : samples) EXPECT_NE(playlist.find(s + "\r\n"), std::string::npos) << s;

  SetDesktopValue("Wallpaper", previous);
}

}  // namespace
}  // namespace wc::test
