#pragma once
// The monitors as the system has them now. Nothing is kept: every call asks
// the system, so a monitor plugged in or removed, or a changed layout
// (WM_DISPLAYCHANGE), is seen by the next window shown or capture taken.
// Coordinates are those of the virtual screen: the primary monitor's
// top-left is 0,0, and a monitor left of or above it has negative ones.
#include <windows.h>

#include <string>
#include <vector>

namespace ui {

struct Monitor {
  RECT area{};  // the whole monitor
  RECT work{};  // without the taskbar and docked bars
  bool primary = false;
  // Names this monitor across restarts and changes of layout (UTF-8).
  std::string devicePath;
};

// Every monitor, in the system's order; the primary alone when the system
// lists none.
std::vector<Monitor> Monitors();

// The same, left to right, then top to bottom: the order the program numbers
// monitors in and hands out pictures to them.
std::vector<Monitor> MonitorsLeftToRight();

// The rectangle around every monitor.
RECT VirtualScreen();

// The work area of the monitor nearest to `around`.
RECT WorkAreaNear(const RECT& around);

// Where the notification area is: the taskbar's tray window, else the
// bottom-right corner of the primary work area, where it usually sits.
RECT NotificationArea();

// Where a window goes to be seen whole on `work`: where it is when it lies
// within `work`, else centred there (a window larger than `work` keeps its
// size and its top-left corner on it).
RECT KeepWithin(const RECT& window, const RECT& work);

}  // namespace ui
