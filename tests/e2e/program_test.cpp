// WallpaperChanger.exe started as a user would start it.
#include <gtest/gtest.h>

#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

TEST(Program, StartsHiddenCreatesItsPlaylistAndEndsOnClose) {
  TempDir dir;
  ProgramRunner program(dir.path());
  auto started = std::chrono::steady_clock::now();
  program.Start();
  ASSERT_TRUE(WaitFor([&] { return Exists(program.File("DefPlayList.qvl")); }, 3s))
      << "no DefPlayList.qvl within three seconds";
  auto took = std::chrono::steady_clock::now() - started;
  EXPECT_LT(took, 3s);
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

}  // namespace
}  // namespace wc::test
