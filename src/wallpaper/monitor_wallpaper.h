#pragma once
// Windows 8 and later can give each monitor a wallpaper file of its own
// (IDesktopWallpaper). Where the system has it, a picture made for each
// monitor goes to that monitor; elsewhere (older Windows, Wine) the caller
// composes one tiled bitmap instead.
#include <windows.h>

#include <string>
#include <vector>

#include "common/image32.h"

namespace wc {

struct MonitorBitmap {
  RECT area{};                     // the monitor, in virtual-screen coordinates
  const Image32* picture = nullptr;  // made to the monitor's size
};

// Whether the system has IDesktopWallpaper: a file per monitor, and a
// picture spanned over every monitor by the system itself.
bool SystemHasMonitorWallpapers();

// Writes "WPCWallpaper-<n>.bmp" (n from 1) in `folder` for each monitor and
// gives each to its monitor, shown centred (the pictures are made to size).
// False, with nothing given to the system, when it has no such interface or
// does not list a monitor at every rectangle; a file that cannot be written
// throws.
bool GiveEachMonitorItsPicture(const std::vector<MonitorBitmap>& monitors, const std::string& folder, int bitsPerPixel);

}  // namespace wc
