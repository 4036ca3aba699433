#pragma once
// Starts a copy of the program in a folder of its own and watches it.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/handle.h"

namespace wc::test {

// The built program, and the test pictures' folder. A run under another
// account, which may not read the build folder, names copies it may read
// in the environment variables of the same names.
std::string BuiltProgram();
std::string TestPictures();

// The start-up sequence of the program whose control panel is `main` has run
// to its end: in manual mode the panel's hidden reader-state label then
// reads "1" (before, it reads "aux"). A program with "Change at Startup" on
// sets it back once it has changed the wallpaper: wait for that instead.
bool StartUpSequenceDone(HWND main);

class ProgramRunner {
 public:
  // Copies the built program into `folder` (and whatever else the test puts
  // there stays).
  explicit ProgramRunner(std::string folder);
  // Runs the copy already in `folder` (one the test may not write to).
  struct AlreadyThere {};
  ProgramRunner(std::string folder, AlreadyThere);
  ~ProgramRunner();

  void Start(const std::string& arguments = "");
  bool Running() const;
  // Waits for the process to end; false when it did not in time.
  bool WaitForExit(std::chrono::milliseconds limit);
  DWORD ExitCode() const;
  void Kill();

  // The process's top-level windows of our window class for its forms.
  std::vector<HWND> Windows() const;
  std::vector<HWND> VisibleWindows() const;
  // The control panel: the window that carries the taskbar button style.
  HWND MainWindow() const;
  // The start-up sequence has run (see StartUpSequenceDone).
  bool StartUpDone() const { return StartUpSequenceDone(MainWindow()); }

  const std::string& Folder() const { return folder_; }
  std::string File(const std::string& name) const { return folder_ + "\\" + name; }

 private:
  std::string folder_;
  ui::KernelHandle process_;
  DWORD pid_ = 0;
};

// Wine's desktop ends with the last program that used it, and making it
// again takes a while: this asks for it, waits for its taskbar (which holds
// the notification area) and returns it, or null when there is none.
HWND WakeDesktop();

// The pixels of a screen area as the screen shows them now, 0x00RRGGBB, top
// row first; empty for an empty area.
std::vector<uint32_t> GrabScreen(const RECT& area);

// Polls `done` every 20 ms until it is true or the time is up.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit);

}  // namespace wc::test
