#pragma once
// A copy of this very program file already running: found by its hidden
// window, handed a command from the command line, and the console the
// program was started from, where a mistake on the command line is said.
#include <windows.h>

#include <string>

#include "app/remote_command.h"

namespace wc {

// The hidden window of another process started from the same program file
// (another installation keeps settings of its own and is left alone);
// nullptr when there is none.
HWND FindRunningCopy();

// Hands the command over and waits until the copy has carried it out;
// false when the copy did not take it.
bool HandToRunningCopy(HWND copy, const RemoteCommand& command);

// Writes the text, with a line end, where the program's output goes: the
// handle it was given, else the console of the process that started it.
void SayOnConsole(const std::string& text);

}  // namespace wc
