#pragma once
// The program entry's work, kept apart from WinMain so tests can build the
// same program.
#include "ui/application.h"

namespace wc {

extern const char* const kApplicationTitle;

// Titles the application and creates every window of the program, once and
// hidden, in the order the windows rely on one another.
void CreateProgramWindows(ui::Application& app);

}  // namespace wc
