// WallpaperChanger.exe left alone with the timer at one second over pictures
// it cannot read. Found by the soak (scripts/soak.sh 12 5, steps 105 to 112:
// the one-second timer over damaged pictures while nobody answered the error
// box): every tick opened another error box inside the last one, so a
// program left running piled up boxes, and the stack under them, without end.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/ini_file.h"
#include "common/paths.h"
#include "playlist/playlist_file.h"
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

std::vector<HWND> ErrorBoxes(DWORD pid) {
  std::vector<HWND> boxes;
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid && IsWindowVisible(w)) boxes.push_back(w);
  }
  return boxes;
}

TEST(ErrorBoxProgram, TheTimerOverUnreadablePicturesLeavesOneErrorBoxNotAPileOfThem) {
  TempDir dir;
  ProgramRunner program(dir.path());
  std::vector<std::string> lines;
  for (const char* name : {"one.jpg", "two.jpg", "three.jpg"}) {
    const std::string path = MakeFile(program.File(name), "no picture in here");
    lines.push_back(path);
    lines.push_back(DisplayName(path));
  }
  WritePlaylistFile(program.File("DefPlayList.qvl"), lines);
  IniFile ini(program.File("settings.ini"));
  ini.WriteBool("Change at Startup", "Checked", false);
  ini.WriteBool("Show Preview", "Checked", false);
  ini.WriteBool("Enable Timer", "Checked", true);
  ini.WriteInteger("Interval Value", "Value", 1);
  ini.WriteInteger("Timer interval", "value", 0);  // seconds
  program.Start();
  ASSERT_TRUE(WaitFor([&] { return program.MainWindow() != nullptr; }, 30s)) << "no control panel";
  DWORD pid = 0;
  GetWindowThreadProcessId(program.MainWindow(), &pid);

  // The first tick's box, then five more ticks that nobody answers.
  ASSERT_TRUE(WaitFor([&] { return !ErrorBoxes(pid).empty(); }, 30s)) << "no error box for an unreadable picture";
  size_t most = 0;
  WaitFor(
      [&] {
        most = std::max(most, ErrorBoxes(pid).size());
        return false;
      },
      5s);
  EXPECT_EQ(most, 1u) << "error boxes open at once";

  // Answered, the box goes and the program answers; the timer goes on, and
  // its next failure is shown again.
  for (HWND box : ErrorBoxes(pid)) PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  DWORD_PTR r = 0;
  EXPECT_NE(SendMessageTimeoutA(program.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r), 0);
  EXPECT_TRUE(WaitFor([&] { return ErrorBoxes(pid).size() == 1; }, 10s));
  program.Kill();
}

}  // namespace
}  // namespace wc::test
