// WallpaperChanger.exe started as a user would start it.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/ini_file.h"
#include "common/paths.h"
#include "playlist/playlist_file.h"
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"
#include "ui/window.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

// The icon the shell shows for the program file, and through "exe,0" for
// every playlist file: the file's first group icon.
TEST(Program, ItsOwnIconIsTheFirstOneOfTheProgramFile) {
  HMODULE file = LoadLibraryExA(WC_PROGRAM_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(file, nullptr);
  std::vector<std::string> names;
  EnumResourceNamesA(
      file, RT_GROUP_ICON,
      [](HMODULE, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
        reinterpret_cast<std::vector<std::string>*>(param)->push_back(IS_INTRESOURCE(name) ? "#" : name);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&names));
  FreeLibrary(file);
  ASSERT_GT(names.size(), 1u);
  EXPECT_EQ(names.front(), ui::kProgramIcon) << "the shell would show " << names.front();

  // And the shell's own reading of the file agrees: its first icon has the
  // program icon's pixels.
  HICON shown = nullptr;
  ASSERT_EQ(ExtractIconExA(WC_PROGRAM_EXE, 0, &shown, nullptr, 1), 1u);
  HMODULE again = LoadLibraryExA(WC_PROGRAM_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  HICON own = HICON(LoadImageA(again, ui::kProgramIcon, IMAGE_ICON, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  ASSERT_NE(own, nullptr);
  auto pixels = [](HICON icon) {
    ICONINFO info{};
    GetIconInfo(icon, &info);
    BITMAP bm{};
    GetObjectA(info.hbmColor, sizeof bm, &bm);
    std::vector<uint32_t> out(size_t(bm.bmWidth) * size_t(bm.bmHeight));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB};
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmColor, 0, UINT(bm.bmHeight), out.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return out;
  };
  EXPECT_EQ(pixels(shown), pixels(own));
  DestroyIcon(shown);
  DestroyIcon(own);
  FreeLibrary(again);
}

TEST(Program, StartsHiddenCreatesItsPlaylistAndEndsOnClose) {
  TempDir dir;
  ProgramRunner program(dir.path());
  program.Start();
  // The start-up sequence runs two seconds after start; a busy machine may
  // take longer to get there (the interval itself is checked in the panel's
  // own tests).
  ASSERT_TRUE(WaitFor([&] { return Exists(program.File("DefPlayList.qvl")); }, 20s))
      << "no DefPlayList.qvl: the start-up sequence did not run";
  EXPECT_EQ(ReadTextFile(program.File("DefPlayList.qvl")), "");
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(program.VisibleWindows().empty()) << "the program showed a window at start";
  EXPECT_EQ(program.Windows().size(), 12u);

  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(10s)) << "WM_CLOSE to the hidden panel did not end the program";
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_EQ(IniSections(program.File("settings.ini")).size(), 15u);
}

// A user who closes the program the moment it appears has changed nothing:
// the stored settings and playlist stay exactly as they were, however far
// the start-up had come when the close arrived.
TEST(Program, ClosedTheMomentItAppearsItLeavesItsFilesAsTheyWere) {
  TempDir dir;
  ProgramRunner program(dir.path());
  std::vector<std::string> lines;
  for (const char* name : {"one.jpg", "two.jpg", "three.jpg"}) {
    const std::string path = MakePicture(program.File(name));
    lines.push_back(path);
    lines.push_back(DisplayName(path));
  }
  WritePlaylistFile(program.File("DefPlayList.qvl"), lines);
  IniFile(program.File("settings.ini")).WriteInteger("Last Wallpaper Index", "Value", 2);
  const std::string settings = ReadTextFile(program.File("settings.ini"));
  const std::string playlist = ReadTextFile(program.File("DefPlayList.qvl"));
  SavedDesktop desktop;

  program.Start();
  ASSERT_TRUE(WaitFor([&] { return program.MainWindow() != nullptr; }, 20s)) << "the control panel never appeared";
  PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
  const bool ended = program.WaitForExit(20s);
  if (!ended) {
    // Still running: a second close shows what the first one left behind.
    PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
    if (!program.WaitForExit(10s)) program.Kill();
  }
  EXPECT_TRUE(ended) << "the close did not end the program";
  EXPECT_EQ(ReadTextFile(program.File("settings.ini")), settings);
  EXPECT_EQ(ReadTextFile(program.File("DefPlayList.qvl")), playlist);
}

}  // namespace
}  // namespace wc::test
