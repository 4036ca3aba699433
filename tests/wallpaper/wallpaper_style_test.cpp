// The style table: every style reached from its place in the style box and
// from its tray command, and back, with the values the system reads.
#include "wallpaper/wallpaper_style.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace wc {
namespace {

TEST(WallpaperStyleTest, EveryStyleRoundTripsThroughItsBoxPlaceAndItsCommand) {
  std::set<std::string> commands;
  int index = 0;
  for (const WallpaperStyleRow& row : WallpaperStyles()) {
    SCOPED_TRACE(row.caption);
    // The box lists the table in order, so its places are 0, 1, 2, ...
    EXPECT_EQ(row.comboIndex, index++);
    EXPECT_EQ(StyleOfComboIndex(row.comboIndex), row.style);
    EXPECT_EQ(StyleOfMenuItem(row.menuItem), row.style);
    EXPECT_EQ(&RowOf(row.style), &row);
    EXPECT_TRUE(commands.insert(row.menuItem).second) << "two styles share " << row.menuItem;
    // Only tiling tiles; a style the program draws is registered centred.
    EXPECT_EQ(std::string(row.registryTile), row.style == WallpaperStyle::Tile ? "1" : "0");
    if (row.drawnToScreen) {
      EXPECT_EQ(std::string(row.registryStyle), "0");
    }
    EXPECT_FALSE(row.drawnToScreen && row.spansMonitors) << "drawn to one screen or spanned over all";
  }
  EXPECT_EQ(index, 7);
  EXPECT_EQ(StyleOfComboIndex(-1), std::nullopt);
  EXPECT_EQ(StyleOfComboIndex(index), std::nullopt);
  EXPECT_EQ(StyleOfMenuItem("AutoFit1"), std::nullopt);
  EXPECT_EQ(StyleOfMenuItem(nullptr), std::nullopt);
}

}  // namespace
}  // namespace wc
