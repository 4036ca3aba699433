#pragma once
// The program entry's work, kept apart from WinMain so tests can build the
// same program.
#include "ui/application.h"

namespace wc {

extern const char* const kApplicationTitle;

// Titles the application and creates every window of the program, once and
// hidden, in the order the windows rely on one another.
void CreateProgramWindows(ui::Application& app);

// Finds one of the program's windows by its name ("MainForm", "Settings", ...).
template <class T>
T* FindProgramWindow(const char* name) {
  ui::Application* app = ui::Application::Current();
  return app ? dynamic_cast<T*>(app->FindOwnedByName(name)) : nullptr;
}

}  // namespace wc
