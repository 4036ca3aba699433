// Development aid: builds the program's windows in a folder, runs the
// start-up sequence and shows one window for a while, so a screenshot of it
// can be taken.
//   show_window.exe <program folder> <window name> [seconds] [--tray-menu]
// With --tray-menu the tray icon's menu opens as well, near the taskbar's
// corner where the icon sits. With --search the scan dialog searches the
// program folder and its subfolders and previews the first file it found.
// With --page=N the settings dialog opens on its tab N (0 the first).
// With --pictures the capture viewer opens the sample pictures, one per tab.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/panel/main_form.h"
#include "app/program.h"
#include "capture/screen_form.h"
#include "common/ini_file.h"
#include "scan/scan_disk_form.h"
#include "settings/settings_form.h"
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
  const bool search = argc > 4 && std::string(argv[4]) == "--search";
  const bool pictures = argc > 4 && std::string(argv[4]) == "--pictures";
  const int page = argc > 4 && std::string(argv[4]).starts_with("--page=") ? std::atoi(argv[4] + 7) : -1;
  ui::Application app;
  app.SetExeName(folder + "\\WallpaperChanger.exe");
  app.Arguments.clear();
  wc::CreateProgramWindows(app);
  auto* main = ui::Application::FindForm<wc::TMainForm>("MainForm");
  main->StartupTimerTick(main->StartupTimer);
  main->FolderReaderTimer.SetEnabled(false);
  // The language the settings name, as the settings dialog's creation
  // applies it (nothing new when it already has).
  main->UseLanguage(wc::IniFile(main->SettingsPath()).ReadString("language", "value", "English"));
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
      main->TrayMenu.Popup(work.right - 8, work.bottom - 4, form->Handle());
    }
    if (auto* settings = dynamic_cast<wc::TSettings*>(form); settings && page >= 0) {
      settings->Pages.SetActivePageIndex(page);
    }
    if (auto* viewer = dynamic_cast<wc::TScreenForm*>(form); viewer && pictures) {
      for (const char* name : {"Dunes.jpg", "Hills.jpg", "Lakeside.jpg"}) viewer->OpenPictureFile(folder + "\\Images\\" + name);
    }
    if (auto* scan = dynamic_cast<wc::TScanDiskForm*>(form); scan && search) {
      scan->SearchDirectoryEdit.SetText(folder);
      scan->CheckBox1.SetChecked(true);
      scan->Button3.Click();
    }
  };
  // The first file found, previewed once the search has ended.
  ui::Timer preview(&app, "preview", 2500, search);
  preview.OnTimer = [&](ui::Component&) {
    auto* scan = dynamic_cast<wc::TScanDiskForm*>(form);
    if (!scan || scan->Searching()) return;
    preview.SetEnabled(false);
    scan->SearchPreviewCheckBox.SetChecked(true);
  };
  ui::Timer stop(&app, "stop", uint32_t(seconds) * 1000, true);
  stop.OnTimer = [&](ui::Component&) {
    EndMenu();
    app.Terminate();
  };
  app.Run();
  return 0;
}
