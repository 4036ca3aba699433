// Development aid: builds the program's windows in a folder, runs the
// start-up sequence and shows one window for a while, so a screenshot of it
// can be taken.
//   show_window.exe <program folder> <window name> [seconds] [--tray-menu]
// With --tray-menu the tray icon's menu opens as well, near the taskbar's
// corner where the icon sits.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/main_form.h"
#include "app/program.h"
#include "ui/form.h"
#include "ui/timer.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: show_window <program folder> <window name> [seconds]\n");
    return 2;
  }
  std::string folder = argv[1];
  std::string window = argv[2];
  int seconds = argc > 3 ? std::atoi(argv[3]) : 10;
  const bool trayMenu = argc > 4 && std::string(argv[4]) == "--tray-menu";
  ui::Application app;
  app.SetExeName(folder + "\\WallpaperChanger.exe");
  app.Arguments.clear();
  wc::CreateProgramWindows(app);
  auto* main = wc::FindProgramWindow<wc::TMainForm>("MainForm");
  main->timer_startTimer(main->timer_start);
  main->timer_forautomatic.SetEnabled(false);
  auto* form = dynamic_cast<ui::Form*>(app.FindOwnedByName(window));
  if (!form) {
    std::fprintf(stderr, "no window named %s\n", window.c_str());
    return 1;
  }
  // The start-up sequence shows the panel from the message loop; show the
  // window once that has happened and keep the panel out of its picture.
  ui::Timer show(&app, "show", 1000, true);
  show.OnTimer = [&](ui::Component&) {
    show.SetEnabled(false);
    if (form != main) main->Hide();
    form->Show();
    if (trayMenu) {
      RECT work{};
      SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
      SetForegroundWindow(form->Handle());
      main->PopupMenu1.Popup(work.right - 8, work.bottom - 4, form->Handle());
    }
  };
  ui::Timer stop(&app, "stop", uint32_t(seconds) * 1000, true);
  stop.OnTimer = [&](ui::Component&) {
    EndMenu();
    app.Terminate();
  };
  app.Run();
  return 0;
}
