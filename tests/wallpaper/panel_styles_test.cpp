// The style commands of the tray menu, "Clear Wallpaper" and the colour
// swatch of the control panel.
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "common/bmp.h"
#include "common/ini_file.h"
#include "gui_test.h"
#include "program_files.h"

namespace wc {
namespace {

using namespace std::chrono_literals;
using test::Exists;

using test::DesktopUntouched;
using test::DesktopValue;
using test::MarkDesktop;
using test::SetDesktopValue;

struct Layout {
  std::string tile, style, x, y;
  bool operator==(const Layout&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Layout& v) {
  return o << v.tile << "/" << v.style << "/" << v.x << "/" << v.y;
}
Layout ReadLayout() {
  return {DesktopValue("TileWallpaper"), DesktopValue("WallpaperStyle"), DesktopValue("WallpaperOriginX"),
          DesktopValue("WallpaperOriginY")};
}

std::string SystemWallpaper() {
  char path[MAX_PATH] = "not asked";
  if (!SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof path, path, 0)) return "<failed>";
  return path;
}

COLORREF DesktopCentre() {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
  ReleaseDC(nullptr, screen);
  return c;
}
bool Near(COLORREF c, int r, int g, int b) {
  return std::abs(GetRValue(c) - r) < 8 && std::abs(GetGValue(c) - g) < 8 && std::abs(GetBValue(c) - b) < 8;
}

using test::SavedDesktop;

class StylesTest : public test::GuiTest {
 protected:
  StylesTest() {
    panel = &app.CreateForm<TMainForm>();
    panel->StartupTimerTick(panel->StartupTimer);
    panel->FolderReaderTimer.SetEnabled(false);
  }
  std::string Bmp(const std::string& name, uint32_t colour, int w = 8, int h = 6) {
    std::string path = dir.file(name);
    WriteFileBytes(path, EncodeBmp(MakeImage(w, h, colour), 24));
    return path;
  }
  void Load(const std::vector<std::string>& paths) {
    panel->AddFilesToPlaylist(paths);
    panel->MainListBox.Clear();
    panel->FillPlaylistBox(false);
    panel->CurrentIndex = 0;
    panel->MainListBox.SetItemIndex(0);
  }
  SavedDesktop savedDesktop;
  TMainForm* panel;
};

TEST_F(StylesTest, CustomPositionKeepsTheOriginsAndCenterPutsThemBack) {
  std::string bmp = Bmp("plain.bmp", 0x336699);
  Load({bmp});
  panel->OriginXEdit.SetValue(100);
  panel->OriginYEdit.SetValue(50);
  SetDesktopValue("Wallpaper", "before");
  panel->CustomPositionItem.Click();
  EXPECT_EQ(panel->StyleBox.ItemIndex(), 3);
  EXPECT_EQ(DesktopValue("Wallpaper"), bmp);
  EXPECT_EQ(ReadLayout(), (Layout{"0", "0", "100", "50"}));

  SetDesktopValue("Wallpaper", "before");
  panel->CenterItem.Click();
  EXPECT_EQ(panel->StyleBox.ItemIndex(), 1);
  EXPECT_EQ(DesktopValue("Wallpaper"), bmp);
  EXPECT_EQ(ReadLayout(), (Layout{"0", "0", "0", "0"}));
  // The spin boxes keep their values for the next custom position.
  EXPECT_EQ(panel->OriginXEdit.Value(), 100);
  EXPECT_EQ(panel->OriginYEdit.Value(), 50);
  EXPECT_EQ(IniFile(ExeFolder() + "settings.ini").ReadInteger("Wallpaper style", "Value", -1), 1);
}

TEST_F(StylesTest, TileAndFitToScreenReapplyTheSelectedEntryInTheirStyle) {
  std::string a = Bmp("a.bmp", 0x102030), b = Bmp("b.bmp", 0x405060);
  Load({a, b});
  panel->MainListBox.SetItemIndex(1);
  panel->OriginXEdit.SetValue(7);
  panel->OriginYEdit.SetValue(9);

  SetDesktopValue("Wallpaper", "before");
  panel->TileItem.Click();
  EXPECT_EQ(panel->StyleBox.ItemIndex(), 0);
  EXPECT_EQ(DesktopValue("Wallpaper"), b);
  EXPECT_EQ(ReadLayout(), (Layout{"1", "0", "0", "0"}));  // origins count only for a custom position
  EXPECT_EQ(panel->CurrentIndex, 1);

  SetDesktopValue("Wallpaper", "before");
  panel->StretchItem.Click();
  EXPECT_EQ(panel->StyleBox.ItemIndex(), 2);
  EXPECT_EQ(DesktopValue("Wallpaper"), b);
  EXPECT_EQ(ReadLayout(), (Layout{"0", "2", "0", "0"}));
}

TEST_F(StylesTest, TheSubmenuOffersTheStylesAndAutoFitIsDisabled) {
  std::vector<std::string> captions;
  for (const ui::MenuItem* item : panel->StyleMenu.Items()) captions.push_back(item->Caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"Center", "Tile", "Fit to screen", "Custom Position", "Fill", "Fit",
                                                "Span", "Auto fit"}));

  ui::MenuHandle menu(CreatePopupMenu());
  panel->StyleMenu.AppendTo(menu.get());
  HMENU sub = GetSubMenu(menu.get(), 0);
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(GetMenuItemCount(sub), 8);
  EXPECT_TRUE(GetMenuState(sub, 7, MF_BYPOSITION) & MF_DISABLED);
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(GetMenuState(sub, UINT(i), MF_BYPOSITION) & MF_DISABLED) << i;

  Load({Bmp("a.bmp", 0x102030)});
  panel->StyleBox.SetItemIndex(1);
  MarkDesktop();
  panel->AutoFitItem.Click();
  // Even a command for it, as a menu would send, does nothing.
  SendMessageA(panel->Handle(), WM_COMMAND, panel->AutoFitItem.Command(), 0);
  Pump();
  EXPECT_TRUE(DesktopUntouched());
  EXPECT_EQ(panel->StyleBox.ItemIndex(), 1);
}

TEST_F(StylesTest, TileOnAnEmptyPlaylistOnlyChangesTheStyleBox) {
  ASSERT_EQ(panel->MainListBox.Count(), 0);
  MarkDesktop();
  panel->TileItem.Click();
  EXPECT_EQ(panel->StyleBox.ItemIndex(), 0);
  EXPECT_TRUE(DesktopUntouched());
  EXPECT_FALSE(Exists(ExeFolder() + "wallpaper.bmp"));
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(StylesTest, ClearWallpaperLeavesTheDesktopWithoutAPicture) {
  // As large as the desktop, so that its colour shows wherever Wine puts it.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  std::string red = Bmp("red.bmp", MakePixel(200, 30, 30), w, h);
  Load({red});
  panel->StyleBox.SetItemIndex(1);

  struct Way {
    const char* name;
    std::function<void()> clear;
  };
  const Way ways[] = {
      {"tray menu", [&] { panel->ClearWallpaperItem.Click(); }},
      {"speed button", [&] { panel->ClearWallpaperButton.Click(); }},
  };
  for (const Way& way : ways) {
    panel->ReloadItemClick(*panel);
    ASSERT_EQ(DesktopValue("Wallpaper"), red);
    ASSERT_TRUE(PumpUntil([] { return Near(DesktopCentre(), 200, 30, 30); }, 10s))
        << "the red picture never showed before clearing by " << way.name;
    way.clear();
    EXPECT_EQ(DesktopValue("Wallpaper"), "") << way.name;
    EXPECT_EQ(SystemWallpaper(), "") << way.name;
    bool gone = PumpUntil([] { return !Near(DesktopCentre(), 200, 30, 30); }, 10s);
    EXPECT_TRUE(gone) << "the picture stayed on the desktop after clearing by " << way.name;
    // Clearing leaves the playlist, the current row and the style alone.
    EXPECT_EQ(panel->MainListBox.Count(), 1);
    EXPECT_EQ(panel->CurrentIndex, 0);
    EXPECT_EQ(panel->StyleBox.ItemIndex(), 1);
  }
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(StylesTest, TheColourSwatchIsHiddenAndKeepsTheChosenColourOnly) {
  EXPECT_FALSE(panel->BackgroundSwatch.Visible());
  MarkDesktop();
  prompts.AnswerColour(RGB(10, 20, 30));
  panel->BackgroundSwatchClick(panel->BackgroundSwatch);
  ASSERT_EQ(prompts.colourCalls.size(), 1u);
  EXPECT_EQ(prompts.colourCalls[0], RGB(0, 128, 128));  // the dialog opens on teal
  EXPECT_EQ(panel->ColorBoxColor, int32_t(RGB(10, 20, 30)));
  panel->BackgroundSwatchClick(panel->BackgroundSwatch);  // cancelled
  EXPECT_EQ(panel->ColorBoxColor, int32_t(RGB(10, 20, 30)));
  EXPECT_TRUE(DesktopUntouched());  // it is no desktop colour
  panel->SavePanelSettings();
  EXPECT_EQ(IniFile(ExeFolder() + "settings.ini").ReadInteger("ColorBox1", "Color", -1), int32_t(RGB(10, 20, 30)));
}

}  // namespace
}  // namespace wc
