#pragma once
// The wallpaper's style, one type from the control panel to the desktop:
// its place in the panel's style box (and settings.ini), its tray-menu
// command, the values the system reads under "Control Panel\Desktop", and
// whether the program draws the picture to the screen's size itself. A new
// style is a new row here, its drawing (screen_fit.cpp) when the program
// draws it, and its captions.

#include <optional>
#include <span>

namespace wc {

// In the order of the panel's style box.
enum class WallpaperStyle { Tile, Center, Stretch, Custom, Fill, Fit, Span };

struct WallpaperStyleRow {
  WallpaperStyle style;
  int comboIndex;            // in the panel's style box and settings.ini's "Wallpaper style"
  const char* caption;       // in the style box, before translation
  const char* menuItem;      // the tray menu's command that applies it
  const char* registryStyle; // "WallpaperStyle"
  const char* registryTile;  // "TileWallpaper"
  bool usesOrigin;           // "WallpaperOriginX/Y" take the panel's position; 0 otherwise
  bool drawnToScreen;        // the program makes a bitmap of the screen's size, shown centred
  // One picture across every monitor: the system's own span where it has
  // one, else a bitmap of the virtual screen the program makes, shown tiled.
  bool spansMonitors;
};

std::span<const WallpaperStyleRow> WallpaperStyles();
const WallpaperStyleRow& RowOf(WallpaperStyle style);
// Nothing for an index no style has (-1: nothing chosen in the box).
std::optional<WallpaperStyle> StyleOfComboIndex(int index);
std::optional<WallpaperStyle> StyleOfMenuItem(const char* name);

}  // namespace wc
