#pragma once
// Errors and the program's one error boundary.
//
// Everything that reaches the program from Windows (a message, a timer tick, a
// hand-off from a worker) runs inside Guarded(): an exception that a command
// does not catch ends that command, its message is shown in a box with one OK
// button, and the program keeps running.
#include <windows.h>

#include <string>

#include "common/error.h"

namespace ui {

// An error meant for the user; what() is the text shown.
using Error = wc::Error;

// The system's own text for an error code, without the trailing line break.
std::string SystemErrorText(DWORD code);

// Throws ui::Error with "<what>: <system text>" for GetLastError().
[[noreturn]] void ThrowLastError(const std::string& what);

// Shows the exception currently being handled (call from a catch block).
void ShowCurrentException() noexcept;

template <class F>
void Guarded(F&& f) noexcept {
  try {
    f();
  } catch (...) {
    ShowCurrentException();
  }
}

}  // namespace ui
