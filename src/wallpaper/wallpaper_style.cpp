#include "wallpaper/wallpaper_style.h"

#include <array>
#include <cstring>

namespace wc {

namespace {

// Centre, a custom position, Fill and Fit are all registered centred: the
// system's own Fill and Fit differ between versions, so the program makes
// those two to the screen's size, and a custom position is centred moved by
// its origin. Span is the system's own (22) where the system spans a picture
// itself; elsewhere the applier registers the bitmap it composes, tiled.
constexpr std::array<WallpaperStyleRow, 7> kStyles{{
    {WallpaperStyle::Tile, 0, "Tile", "ile1", "0", "1", false, false, false},
    {WallpaperStyle::Center, 1, "Center", "Center1", "0", "0", false, false, false},
    {WallpaperStyle::Stretch, 2, "Stretch", "FitToScreen1", "2", "0", false, false, false},
    {WallpaperStyle::Custom, 3, "Custom Position", "CustomPosition1", "0", "0", true, false, false},
    {WallpaperStyle::Fill, 4, "Fill", "Fill1", "0", "0", false, true, false},
    {WallpaperStyle::Fit, 5, "Fit", "Fit1", "0", "0", false, true, false},
    {WallpaperStyle::Span, 6, "Span", "Span1", "22", "0", false, false, true},
}};

}  // namespace

std::span<const WallpaperStyleRow> WallpaperStyles() { return kStyles; }

const WallpaperStyleRow& RowOf(WallpaperStyle style) {
  for (const WallpaperStyleRow& row : kStyles) {
    if (row.style == style) return row;
  }
  return kStyles[1];  // not reached: every style has its row
}

std::optional<WallpaperStyle> StyleOfComboIndex(int index) {
  for (const WallpaperStyleRow& row : kStyles) {
    if (row.comboIndex == index) return row.style;
  }
  return std::nullopt;
}

std::optional<WallpaperStyle> StyleOfMenuItem(const char* name) {
  for (const WallpaperStyleRow& row : kStyles) {
    if (name && std::strcmp(row.menuItem, name) == 0) return row.style;
  }
  return std::nullopt;
}

}  // namespace wc
