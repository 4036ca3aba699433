// WallpaperChanger.exe's settings as a user meets them: a hotkey stored in
// settings.ini changes the wallpaper when the keys are pressed on the X
// display, and Apply registers playlist files so that opening one starts
// the program with it.
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
#include "user_input.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

std::string DesktopWallpaper() { return DesktopValue("Wallpaper"); }

bool CombinationTaken(UINT modifiers, UINT key) {
  HWND probe = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const bool free = RegisterHotKey(probe, 0x7777, modifiers, key);
  if (free) UnregisterHotKey(probe, 0x7777);
  DestroyWindow(probe);
  return !free;
}

// Starts a program of the host system (xdotool) through Wine, which runs a
// file that is no Windows program as a Unix one, and gives it time to end:
// Wine's handle of such a process does not report its end.
bool RunHostProgram(const std::string& commandLine) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = commandLine;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  WaitForSingleObject(pi.hProcess, 2000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

std::string Entries(const std::vector<std::string>& paths) {
  std::string text;
  for (const auto& p : paths) text += p + "\r\n" + DisplayName(p) + "\r\n";
  return text;
}

TEST(SettingsProgram, AStoredHotkeyPressedOnTheDisplayChangesToTheNextWallpaper) {
  ASSERT_FALSE(CombinationTaken(MOD_CONTROL | MOD_ALT, 'N')) << "Ctrl+Alt+N is held by another program";
  TempDir dir;
  ProgramRunner program(dir.path());
  const std::vector<std::string> pictures = {MakePicture(program.File("one.bmp")), MakePicture(program.File("two.bmp")),
                                             MakePicture(program.File("three.bmp"))};
  WriteTextFile(program.File("DefPlayList.qvl"), Entries(pictures));
  IniFile ini(program.File("settings.ini"));
  ini.WriteBool("Change at Startup", "Checked", false);
  ini.WriteInteger("Last Wallpaper Index", "Value", 0);
  ini.WriteBool("Checkbox9", "Checked", true);
  ini.WriteInteger("Hotkey9", "value", 0x4000 | 0x8000 | 'N');  // Ctrl+Alt+N
  SetDesktopValue("Wallpaper", "");

  program.Start();
  // The dialog registers its hotkeys as it is made; the start-up sequence
  // reads the playlist two seconds after the start.
  ASSERT_TRUE(WaitFor([&] { return program.Windows().size() >= 3; }, 20s));
  ASSERT_TRUE(WaitFor([] { return CombinationTaken(MOD_CONTROL | MOD_ALT, 'N'); }, 20s))
      << "the program did not register Ctrl+Alt+N";
  ASSERT_TRUE(WaitFor([&] { return program.StartUpDone(); }, 30s)) << "the start-up sequence did not run";
  ASSERT_TRUE(program.Running());

  // The keys as the X server delivers them, with the keyboard focus on the
  // Wine desktop.
  ASSERT_TRUE(RunHostProgram("Z:\\usr\\bin\\xdotool search --name \" - Wine desktop$\" windowfocus --sync"))
      << "xdotool could not focus the Wine desktop";
  ASSERT_TRUE(RunHostProgram("Z:\\usr\\bin\\xdotool key ctrl+alt+n"));
  EXPECT_TRUE(WaitFor([&] { return DesktopWallpaper().find("WPCWallpaper.bmp") != std::string::npos ||
                                   DesktopWallpaper() == pictures[1]; },
                      10s))
      << DesktopWallpaper();
  PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(10s));
  // The next entry after the stored one became the current wallpaper.
  EXPECT_EQ(ini.ReadInteger("Last Wallpaper Index", "Value", -1), 1);
  // Its registration went with the program.
  EXPECT_FALSE(CombinationTaken(MOD_CONTROL | MOD_ALT, 'N'));
}

std::string ClassesValue(const std::string& key) {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return "<none>";
  }
  return value;
}

TEST(SettingsProgram, ApplyRegistersPlaylistFilesAndOpeningOneStartsTheProgramWithIt) {
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ".qvl");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "Drapenix PlayList");
  TempDir dir;
  ProgramRunner program(dir.path());
  IniFile(program.File("settings.ini")).WriteBool("Change at Startup", "Checked", false);
  program.Start();
  // The dialog's window exists before its controls: wait for its buttons.
  HWND settings = nullptr, apply = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        for (HWND h : program.Windows()) {
          char caption[64] = {};
          GetWindowTextA(h, caption, sizeof caption);
          if (std::string(caption) == "Settings") settings = h;
        }
        apply = settings ? FindChild(settings, "Button", "Apply") : nullptr;
        return apply != nullptr;
      },
      20s));
  // The rest of its creation, and the start-up sequence: a close before it
  // only sends the program to the tray.
  ASSERT_TRUE(WaitFor([&] { return program.StartUpDone(); }, 30s)) << "the start-up sequence did not run";
  // As the button tells its window of a click.
  PostMessageA(settings, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(apply), BN_CLICKED), reinterpret_cast<LPARAM>(apply));
  // Apply writes the rows one after the other: wait for the last one too.
  ASSERT_TRUE(WaitFor(
      [] {
        return ClassesValue(".qvl") == "Drapenix PlayList" &&
               ClassesValue("Drapenix PlayList\\Shell\\Open\\Command") != "<none>";
      },
      10s));
  const std::string command = ClassesValue("Drapenix PlayList\\Shell\\Open\\Command");
  EXPECT_EQ(command, "\"" + program.File("WallpaperChanger.exe") + "\" \"%1\"");
  PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(10s));

  // Opening a playlist: the command with the file in place of %1.
  const std::vector<std::string> pictures = {MakePicture(program.File("red.bmp")), MakePicture(program.File("blue.bmp"))};
  const std::string playlist = program.File("opened list.qvl");
  WriteTextFile(playlist, Entries(pictures));
  std::string open = command;
  open.replace(open.find("%1"), 2, playlist);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, open.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.path().c_str(), &si, &pi));
  CloseHandle(pi.hThread);
  // The start-up sequence loads it two seconds after the start; the closing
  // program writes what it holds as its default playlist.
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    pi.hThread = nullptr;  // closed above: the slot takes the window found
    EnumWindows(
      [](HWND h, LPARAM l) -> BOOL {
        auto* pi = reinterpret_cast<PROCESS_INFORMATION*>(l);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == pi->dwProcessId && (GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_APPWINDOW)) {
          pi->hThread = reinterpret_cast<HANDLE>(h);
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&pi));
    main = reinterpret_cast<HWND>(pi.hThread);
    return StartUpSequenceDone(main);
  }, 30s)) << "the program opened with the playlist did not finish starting";
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(ReadTextFile(program.File("DefPlayList.qvl")), Entries(pictures));
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ".qvl");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "Drapenix PlayList");
  // The Apply wrote the start-up entry too; the prefix is shared.
  RegDeleteKeyValueA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Wallpaper Manager");
}

}  // namespace
}  // namespace wc::test
