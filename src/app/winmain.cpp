// The program entry.
#include <windows.h>

#include "app/panel/main_form.h"
#include "app/program.h"
#include "ui/error.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    ui::Application app;
    wc::CreateProgramWindows(app);
    if (auto* main = ui::Application::FindForm<wc::TMainForm>("MainForm")) main->ProgramStarted();
    app.Run();
  } catch (...) {
    ui::ShowCurrentException();
    return 1;
  }
  return 0;
}
