#pragma once
// What a user does to the running program: the pointer and the keyboard
// through the system's input queue, and the windows such input opens or
// changes, looked up from outside the program.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace wc::test {

// Moves the pointer to `at` (screen coordinates), waits a moment, then
// sends the two button events (MOUSEEVENTF_LEFTDOWN/UP or RIGHTDOWN/UP).
void Mouse(POINT at, DWORD down, DWORD up);
void LeftClick(POINT at);
// Presses and releases a key.
void Key(WORD vk);
// Types the text as characters (not key codes), whatever the keyboard layout.
void Type(const std::string& text);

// A visible popup menu of the process, or null.
HWND OpenMenuOf(DWORD pid);
// A visible dialog (a message box, a file dialog) of the process, or null.
HWND DialogOf(DWORD pid);
// The first child (at any depth) of that class, or null; `text`, when
// given, must equal the child's title too. The class is compared without
// regard to case.
HWND FindChild(HWND parent, const char* cls, const char* text = nullptr);
// The middle of a window on the screen.
POINT Centre(HWND window);
// A window's own text, asked of its process (GetWindowText reads only the
// stored title, which a control of another process may never have set).
std::string TextOf(HWND window);

// Clicks `at` until `opened` is true, at most `attempts` times, giving each
// click `wait` to take effect: on a busy machine Wine now and then takes a
// click for the window's activation only.
bool ClickUntil(POINT at, const std::function<bool()>& opened, int attempts = 3,
                std::chrono::milliseconds wait = std::chrono::seconds(5));

// The program's icon at the right end of the desktop's taskbar, once it shows.
bool FindTrayIcon(HWND taskbar, RECT& icon);
// Right-clicks the icon until the process shows its menu: a program still
// busy starting up may miss the first click.
bool OpenTrayMenu(const RECT& icon, DWORD pid);

// Starts a program of the host system through Wine, which runs a file that
// is no Windows program as a Unix one. Wine's handle of such a process does
// not report its end: the caller waits for what the program makes.
bool StartHostProgram(const std::string& commandLine);

}  // namespace wc::test
