// WallpaperChanger.exe driven from the command line, as a script or the Task
// Scheduler would: a second start hands its command to the running copy
// and ends; a mistake ends with code 2 and the usage on its output.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/image32.h"
#include "common/ini_file.h"
#include "common/jpeg.h"
#include "common/paths.h"
#include "playlist/playlist_file.h"
#include "program_runner.h"
#include "temp_dir.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

struct Finished {
  DWORD exitCode = 0xFFFFFFFF;
  std::string output;
};

// Runs the program's copy with `arguments` to its end, its output read
// through a pipe.
Finished RunToEnd(const ProgramRunner& program, const std::string& arguments) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
  ui::KernelHandle reader(readEnd), writer(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  std::string command = "\"" + program.File("WallpaperChanger.exe") + "\" " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = writeEnd;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, program.Folder().c_str(), &si,
                      &pi)) {
    return {};
  }
  ui::KernelHandle process(pi.hProcess), thread(pi.hThread);
  writer.reset();  // the pipe ends when the child's copy of it does
  Finished done;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) done.output.append(buffer, got);
  if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(pi.hProcess, &done.exitCode);
  } else {
    // A start that stayed (it found no copy to hand its command to) must
    // not go on changing the desktop under the later tests.
    TerminateProcess(pi.hProcess, 1);
  }
  return done;
}

std::string DesktopWallpaper() {
  char value[1024] = {};
  DWORD size = sizeof value;
  RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", RRF_RT_REG_SZ, nullptr, value, &size);
  return value;
}

TEST(CommandLine, ASecondStartHandsItsCommandToTheRunningCopyAndAMistakeEndsWithCodeTwo) {
  TempDir dir;
  ProgramRunner program(dir.path());
  std::vector<std::string> lines;
  for (const char* name : {"one.jpg", "two.jpg", "three.jpg"}) {
    EncodeJpegFile(program.File(name), MakeImage(64, 48, MakePixel(200, 40, 40)), 90);
    lines.push_back(program.File(name));
    lines.push_back(DisplayName(program.File(name)));
  }
  WritePlaylistFile(program.File("DefPlayList.qvl"), lines);
  const IniFile ini(program.File("settings.ini"));
  ini.WriteBool("Change at Startup", "Checked", false);
  ini.WriteInteger("Last Wallpaper Index", "Value", 0);
  // The system keeps a read profile file and reads it again only when its
  // time has changed: two saves of the program within one tick of the file
  // system's clock would leave the first one's values. The cache is flushed
  // before each read.
  const auto fresh = [&] { WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.Path().c_str()); };
  const auto current = [&] {
    fresh();
    return ini.ReadInteger("Last Wallpaper Index", "Value", -1);
  };

  // No copy running: the program starts and then carries the command out.
  program.Start("/next");
  ASSERT_TRUE(WaitFor([&] { return program.MainWindow() && current() == 1; }, 30s)) << current();

  // Running: a second start hands "/next" over and ends at once, with 0.
  Finished next = RunToEnd(program, "/next");
  EXPECT_EQ(next.exitCode, 0u) << next.output;
  EXPECT_TRUE(WaitFor([&] { return current() == 2; }, 10s)) << current();
  const Finished pause = RunToEnd(program, "/PAUSE");
  EXPECT_EQ(pause.exitCode, 0u);
  EXPECT_TRUE(WaitFor([&] { return fresh(), ini.ReadInteger("Pause Changes", "Checked", -1) == 1; }, 10s));
  const Finished apply = RunToEnd(program, "/apply one.jpg");
  EXPECT_EQ(apply.exitCode, 0u) << "a file named relative to the working folder";
  EXPECT_TRUE(WaitFor([&] { return current() == 0; }, 10s)) << current();
  // The wallpaper applied goes into the favourites, once however often.
  for (int twice = 0; twice < 2; ++twice) EXPECT_EQ(RunToEnd(program, "/favourite").exitCode, 0u);
  const auto favourites = [&] {
    return FileExists(program.File("Favourites.qvl")) ? ReadPlaylistFile(program.File("Favourites.qvl"))
                                                      : std::vector<std::string>{};
  };
  EXPECT_TRUE(WaitFor([&] { return favourites().size() == 2; }, 10s));
  EXPECT_EQ(favourites(), (std::vector<std::string>{program.File("one.jpg"), "one"}));
  // Never again: it goes on the list and the next entry takes its place.
  EXPECT_EQ(RunToEnd(program, "/exclude").exitCode, 0u);
  const auto excluded = [&] {
    return FileExists(program.File("excluded.txt")) ? ReadPlaylistFile(program.File("excluded.txt"))
                                                    : std::vector<std::string>{};
  };
  EXPECT_TRUE(WaitFor([&] { return excluded().size() == 1 && current() == 1; }, 10s)) << current();
  EXPECT_EQ(excluded(), (std::vector<std::string>{program.File("one.jpg")}));

  // Mistakes: the usage on the output, code 2, and the running copy left
  // as it was.
  const std::string before = DesktopWallpaper();
  const Finished bogus = RunToEnd(program, "/bogus");
  EXPECT_EQ(bogus.exitCode, 2u);
  EXPECT_NE(bogus.output.find("/bogus"), std::string::npos) << bogus.output;
  EXPECT_NE(bogus.output.find("Usage: "), std::string::npos) << bogus.output;
  const Finished missing = RunToEnd(program, "/apply \"" + program.File("gone.jpg") + "\"");
  EXPECT_EQ(missing.exitCode, 2u);
  EXPECT_NE(missing.output.find("gone.jpg"), std::string::npos) << missing.output;
  EXPECT_NE(missing.output.find("Usage: "), std::string::npos) << missing.output;
  EXPECT_EQ(RunToEnd(program, "/next extra").exitCode, 2u);
  EXPECT_EQ(DesktopWallpaper(), before);
  EXPECT_EQ(current(), 1);
  ASSERT_TRUE(program.Running());

  PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(10s));
  EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
}  // namespace wc::test
