// The rotation on the control panel: timer ticks in order and shuffled,
// Next, Previous, Reload and Set Wallpaper, and the timer's interval from the
// value and unit boxes.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "common/bmp.h"
#include "common/paths.h"
#include "common/ini_file.h"
#include "common/random.h"
#include "playlist/playlist_file.h"
#include "settings/settings_form.h"
#include "ui/handle.h"
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

// The seed before the draw that left `after`: the generator steps
// seed * 134775813 + 1, and 134775813 is odd, so it has an inverse mod 2^32.
uint32_t SeedBefore(uint32_t after) {
  const uint32_t a = 134775813u;
  uint32_t inverse = a;  // Newton's iteration doubles the correct low bits each round
  for (int i = 0; i < 5; ++i) inverse *= 2u - a * inverse;
  return (after - 1u) * inverse;
}

using test::SavedDesktop;

class RotationTest : public test::GuiTest {
 protected:
  RotationTest() {
    panel = &app.CreateForm<TMainForm>();
    panel->StartupTimerTick(panel->StartupTimer);
    panel->FolderReaderTimer.SetEnabled(false);
  }
  // Rows of small bitmaps, one colour each, selected at row 0.
  std::vector<std::string> Load(int rows) {
    std::vector<std::string> paths;
    for (int i = 0; i < rows; ++i) {
      std::string path = dir.file("row" + std::to_string(i) + ".bmp");
      WriteFileBytes(path, EncodeBmp(MakeImage(4, 4, MakePixel(uint8_t(40 * i), 80, 120)), 24));
      paths.push_back(path);
    }
    panel->AddFilesToPlaylist(paths);
    panel->MainListBox.Clear();
    panel->FillPlaylistBox(false);
    panel->CurrentIndex = 0;
    panel->MainListBox.SetItemIndex(0);
    return paths;
  }
  void Tick() { panel->RotationTimerTick(panel->RotationTimer); }
  int StoredIndex() const { return IniFile(ExeFolder() + "settings.ini").ReadInteger("Last Wallpaper Index", "Value", -1); }

  // The user picks a unit from the drop-down list.
  void PickUnit(int index) {
    panel->IntervalUnitBox.SetItemIndex(index);
    HWND box = panel->IntervalUnitBox.Handle();
    SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), LPARAM(box));
  }

  SavedDesktop savedDesktop;
  TMainForm* panel;
};

TEST_F(RotationTest, TicksShowTheRowsInOrderAndWrapAfterTheLast) {
  auto paths = Load(3);
  for (int expected : {1, 2, 0, 1}) {
    SetDesktopValue("Wallpaper", "before the tick");
    Tick();
    EXPECT_EQ(panel->CurrentIndex, expected);
    EXPECT_EQ(panel->MainListBox.ItemIndex(), expected);
    EXPECT_EQ(DesktopValue("Wallpaper"), paths[size_t(expected)]) << "tick to row " << expected;
    EXPECT_EQ(StoredIndex(), expected);
  }
}

TEST_F(RotationTest, ATickOntoAMissingFileShowsTheOneAfterIt) {
  auto paths = Load(3);
  DeleteFileA(paths[1].c_str());
  Tick();
  EXPECT_EQ(panel->CurrentIndex, 2);
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[2]);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RotationTest, ShuffleWithOneRowAlwaysShowsThatRow) {
  auto paths = Load(1);
  panel->ShuffleCheck.SetChecked(true);
  for (int i = 0; i < 5; ++i) {
    SetDesktopValue("Wallpaper", "before the tick");
    Tick();
    EXPECT_EQ(panel->CurrentIndex, 0);
    EXPECT_EQ(DesktopValue("Wallpaper"), paths[0]) << "tick " << i;
  }
}

TEST_F(RotationTest, AShuffledTickShowsTheEntryAfterTheDrawnOne) {
  auto paths = Load(5);
  panel->ShuffleCheck.SetChecked(true);
  std::vector<int> seen;
  for (int i = 0; i < 12; ++i) {
    const uint32_t planted = 0x12345678u + uint32_t(i);
    ProgramRandom().Seed(planted);
    Tick();
    // Every tick seeds afresh from the clock, so the draw is worked out from
    // the seed it left behind.
    const uint32_t after = ProgramRandom().Seed();
    RandomGenerator before;
    before.Seed(planted);
    before.Next(5);
    EXPECT_NE(after, before.Seed()) << "tick " << i << " did not re-seed";
    RandomGenerator replay;
    replay.Seed(SeedBefore(after));
    const int drawn = int(replay.Next(5));
    ASSERT_EQ(replay.Seed(), after);
    const int expected = (drawn + 1) % 5;
    EXPECT_EQ(panel->CurrentIndex, expected) << "tick " << i << " drew " << drawn;
    EXPECT_EQ(DesktopValue("Wallpaper"), paths[size_t(expected)]);
    seen.push_back(panel->CurrentIndex);
  }
  // Twelve draws from five rows that all agree would mean no shuffling.
  EXPECT_NE(std::count(seen.begin(), seen.end(), seen[0]), 12);
}

TEST_F(RotationTest, NextAndPreviousUnderShuffleShowTheDrawnRowItself) {
  auto paths = Load(6);
  panel->ShuffleCheck.SetChecked(true);
  RandomGenerator expected;
  ProgramRandom().Seed(2024);
  expected.Seed(2024);
  for (int i = 0; i < 4; ++i) {
    panel->NextWallpaperItemClick(*panel);
    const int row = int(expected.Next(6));
    EXPECT_EQ(panel->CurrentIndex, row) << "next " << i;
    EXPECT_EQ(DesktopValue("Wallpaper"), paths[size_t(row)]);
    EXPECT_EQ(StoredIndex(), row);
    panel->PreviousWallpaperItemClick(*panel);
    const int back = int(expected.Next(6));
    EXPECT_EQ(panel->CurrentIndex, back) << "previous " << i;
    EXPECT_EQ(DesktopValue("Wallpaper"), paths[size_t(back)]);
  }
  EXPECT_EQ(ProgramRandom().Seed(), expected.Seed());  // no re-seeding by either command
}

TEST_F(RotationTest, AnEmptyListChangesNothing) {
  MarkDesktop();
  DeleteFileA((ExeFolder() + "settings.ini").c_str());
  Tick();
  EXPECT_FALSE(Exists(ExeFolder() + "settings.ini"));
  panel->ShuffleCheck.SetChecked(true);
  Tick();
  panel->PreviousWallpaperItemClick(*panel);
  panel->ReloadItemClick(*panel);
  panel->SetWallpaperButtonClick(*panel);
  panel->NextWallpaperItemClick(*panel);
  panel->ShuffleCheck.SetChecked(false);
  panel->NextWallpaperItemClick(*panel);
  EXPECT_TRUE(DesktopUntouched());
  EXPECT_EQ(panel->CurrentIndex, 0);
  EXPECT_FALSE(Exists(ExeFolder() + "wallpaper.bmp"));
  EXPECT_FALSE(Exists(ExeFolder() + "movie.html"));
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RotationTest, PreviousAtTheFirstRowShowsTheLast) {
  auto paths = Load(4);
  panel->PreviousWallpaperItemClick(*panel);
  EXPECT_EQ(panel->CurrentIndex, 3);
  EXPECT_EQ(panel->MainListBox.ItemIndex(), 3);
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[3]);
  panel->PreviousWallpaperItemClick(*panel);
  EXPECT_EQ(panel->CurrentIndex, 2);
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[2]);
}

TEST_F(RotationTest, NextWrapsAfterTheLastRowAndStoresTheIndex) {
  auto paths = Load(3);
  panel->CurrentIndex = 2;
  panel->MainListBox.SetItemIndex(2);
  panel->NextWallpaperItem.Click();
  EXPECT_EQ(panel->CurrentIndex, 0);
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[0]);
  EXPECT_EQ(StoredIndex(), 0);
  panel->NextWallpaperItem.Click();
  EXPECT_EQ(panel->CurrentIndex, 1);
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[1]);
  EXPECT_EQ(StoredIndex(), 1);
}

TEST_F(RotationTest, ReloadAppliesTheCurrentEntryAgainAndTheSelectionWins) {
  auto paths = Load(3);
  panel->CurrentIndex = 1;
  panel->MainListBox.SetItemIndex(1);
  SetDesktopValue("Wallpaper", "before the reload");
  panel->ReloadItem.Click();
  EXPECT_EQ(panel->CurrentIndex, 1);
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[1]);
  panel->MainListBox.SetItemIndex(2);
  panel->ReloadItem.Click();
  EXPECT_EQ(panel->CurrentIndex, 2);
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[2]);
}

TEST_F(RotationTest, SetWallpaperAppliesTheSelectedRowAndNothingWithoutOne) {
  auto paths = Load(3);
  panel->CurrentIndex = 1;
  panel->MainListBox.SetItemIndex(-1);
  MarkDesktop();
  panel->SetWallpaperButton.Click();
  EXPECT_TRUE(DesktopUntouched());
  EXPECT_EQ(panel->CurrentIndex, 1);
  panel->MainListBox.SetItemIndex(2);
  panel->SetWallpaperButton.Click();
  EXPECT_EQ(panel->CurrentIndex, 2);
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[2]);
  EXPECT_EQ(StoredIndex(), 2);
}

TEST_F(RotationTest, TheIntervalIsTheValueTimesTheUnit) {
  panel->UseTimerCheck.SetChecked(true);
  panel->IntervalValueEdit.SetValue(5);
  PickUnit(1);
  EXPECT_EQ(panel->RotationTimer.Interval(), 300000u);
  EXPECT_TRUE(panel->RotationTimer.Running());
  panel->IntervalValueEdit.SetValue(1);
  PickUnit(3);
  EXPECT_EQ(panel->RotationTimer.Interval(), 86400000u);
  EXPECT_TRUE(panel->RotationTimer.Running());
  PickUnit(2);
  EXPECT_EQ(panel->RotationTimer.Interval(), 3600000u);
  panel->IntervalValueEdit.SetValue(45);
  PickUnit(0);
  EXPECT_EQ(panel->RotationTimer.Interval(), 45000u);
  EXPECT_FALSE(panel->IntervalNote.Visible());
}

TEST_F(RotationTest, AValueOfZeroNeverFires) {
  panel->UseTimerCheck.SetChecked(true);
  panel->IntervalValueEdit.SetValue(3);
  for (int unit = 0; unit < 4; ++unit) {
    PickUnit(unit);
    panel->IntervalValueEdit.SetValue(0);
    EXPECT_EQ(panel->RotationTimer.Interval(), 0u) << "unit " << unit;
    EXPECT_FALSE(panel->RotationTimer.Running()) << "unit " << unit;
    EXPECT_FALSE(panel->IntervalNote.Visible());
    panel->IntervalValueEdit.SetValue(3);
    EXPECT_TRUE(panel->RotationTimer.Running()) << "unit " << unit;
  }
  // Text that is no number counts as 0.
  panel->IntervalValueEdit.SetText("");
  EXPECT_FALSE(panel->RotationTimer.Running());
}

TEST_F(RotationTest, ChangesWhileTheTimerIsOffStartNothing) {
  ASSERT_FALSE(panel->UseTimerCheck.Checked());
  panel->IntervalValueEdit.SetValue(5);
  PickUnit(1);
  EXPECT_FALSE(panel->RotationTimer.Enabled());
  EXPECT_FALSE(panel->RotationTimer.Running());
  panel->IntervalValueEdit.SetValue(100000);
  PickUnit(3);
  EXPECT_FALSE(panel->RotationTimer.Running());
  EXPECT_FALSE(panel->IntervalNote.Visible());
  panel->IntervalValueEdit.SetValue(5);
  PickUnit(1);
  // Ticking "Use timer" takes the value and unit as they are now.
  panel->UseTimerCheck.SetChecked(true);
  EXPECT_TRUE(panel->RotationTimer.Running());
  EXPECT_EQ(panel->RotationTimer.Interval(), 300000u);
  panel->UseTimerCheck.SetChecked(false);
  EXPECT_FALSE(panel->RotationTimer.Enabled());
  EXPECT_FALSE(panel->RotationTimer.Running());
}

TEST_F(RotationTest, AnIntervalTheTimerCannotTakeSwitchesItOffAndSaysSo) {
  panel->UseTimerCheck.SetChecked(true);
  panel->IntervalValueEdit.SetValue(100000);
  PickUnit(3);
  EXPECT_FALSE(panel->RotationTimer.Running());
  EXPECT_EQ(panel->RotationTimer.Interval(), 0u);
  EXPECT_TRUE(panel->IntervalNote.Visible());
  EXPECT_EQ(panel->IntervalNote.Caption(), "At most 24 days: the timer is off.");
  // 50 days would wrap round into a few seconds in 32 bits.
  panel->IntervalValueEdit.SetValue(50);
  EXPECT_FALSE(panel->RotationTimer.Running());
  PickUnit(2);
  panel->IntervalValueEdit.SetValue(597);
  EXPECT_FALSE(panel->RotationTimer.Running());
  EXPECT_EQ(panel->IntervalNote.Caption(), "At most 596 hours: the timer is off.");

  panel->IntervalValueEdit.SetValue(-5);
  EXPECT_FALSE(panel->RotationTimer.Running());
  EXPECT_TRUE(panel->IntervalNote.Visible());
  EXPECT_EQ(panel->IntervalNote.Caption(), "The interval cannot be negative: the timer is off.");

  panel->IntervalValueEdit.SetValue(2);
  EXPECT_FALSE(panel->IntervalNote.Visible());
  EXPECT_TRUE(panel->RotationTimer.Running());
  EXPECT_EQ(panel->RotationTimer.Interval(), 7200000u);

  // Switched on with a value that is too large already in the box.
  panel->UseTimerCheck.SetChecked(false);
  panel->IntervalValueEdit.SetValue(9999);
  panel->UseTimerCheck.SetChecked(true);
  EXPECT_FALSE(panel->RotationTimer.Running());
  EXPECT_TRUE(panel->IntervalNote.Visible());
}

TEST_F(RotationTest, SwitchingTheTimerOnStartsTheCountdownAfresh) {
  std::vector<std::chrono::steady_clock::time_point> ticks;
  auto original = panel->RotationTimer.OnTimer;
  panel->RotationTimer.OnTimer = [&](ui::Component& s) {
    ticks.push_back(std::chrono::steady_clock::now());
    original(s);
  };
  panel->IntervalValueEdit.SetValue(2);
  PickUnit(0);
  panel->UseTimerCheck.SetChecked(true);
  ASSERT_TRUE(panel->RotationTimer.Running());
  PumpFor(1200ms);
  panel->UseTimerCheck.SetChecked(false);
  panel->UseTimerCheck.SetChecked(true);
  const auto restarted = std::chrono::steady_clock::now();
  ticks.clear();
  ASSERT_TRUE(PumpUntil([&] { return ticks.size() >= 2; }, 20s)) << "the timer did not fire twice";
  // A timer that kept its old countdown would fire 0.8 s after the restart.
  EXPECT_GE(ticks[0] - restarted, 1900ms);
  EXPECT_GE(ticks[1] - ticks[0], 1900ms);  // and it goes on at the same interval
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

// "Pause changes": three intervals of the timer pass with the wallpaper
// held, the tray tip says why, and resuming brings the next change one
// interval later. The pause is stored at once.
TEST_F(RotationTest, PausedTheTimerHoldsTheWallpaperUntilResumed) {
  auto paths = Load(2);
  panel->UseTimerCheck.SetChecked(true);
  panel->IntervalValueEdit.SetValue(1);
  PickUnit(0);
  panel->PauseChangesItem.Click();
  EXPECT_TRUE(panel->PauseChangesItem.Checked());
  EXPECT_NE(panel->Tray.Hint().find("changes paused"), std::string::npos) << panel->Tray.Hint();
  EXPECT_EQ(IniFile(ExeFolder() + "settings.ini").ReadInteger("Pause Changes", "Checked", -1), 1);
  MarkDesktop();
  PumpFor(3300ms);
  EXPECT_TRUE(DesktopUntouched());
  EXPECT_EQ(panel->CurrentIndex, 0);
  EXPECT_TRUE(panel->UseTimerCheck.Checked()) << "pausing leaves the timer's own setting alone";

  panel->PauseChangesItem.Click();
  EXPECT_EQ(panel->Tray.Hint().find("changes paused"), std::string::npos);
  EXPECT_TRUE(PumpUntil([&] { return panel->CurrentIndex == 1; }));
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[1]);
  EXPECT_EQ(IniFile(ExeFolder() + "settings.ini").ReadInteger("Pause Changes", "Checked", -1), 0);
}

// A start with the pause stored: the timer stays still until the user
// resumes, however "Use timer" is set.
TEST(PauseAtStartTest, AStoredPauseHoldsTheTimerFromTheStart) {
  test::TempDir dir;
  test::ScriptedPrompts prompts;
  ui::Application app;
  app.SetPrompts(&prompts);
  app.SetExeName(dir.file("WallpaperChanger.exe"));
  app.Arguments.clear();
  const IniFile ini(dir.file("settings.ini"));
  ini.WriteBool("Pause Changes", "Checked", true);
  ini.WriteBool("Enable Timer", "Checked", true);
  ini.WriteInteger("Interval Value", "Value", 1);
  TMainForm& panel = app.CreateForm<TMainForm>();
  panel.StartupTimerTick(panel.StartupTimer);
  panel.FolderReaderTimer.SetEnabled(false);
  EXPECT_TRUE(panel.PauseChangesItem.Checked());
  EXPECT_TRUE(panel.UseTimerCheck.Checked());
  EXPECT_FALSE(panel.RotationTimer.Running());
  EXPECT_NE(panel.Tray.Hint().find("changes paused"), std::string::npos);
  panel.PauseChangesItem.Click();
  EXPECT_TRUE(panel.RotationTimer.Running());
  EXPECT_EQ(panel.RotationTimer.Interval(), 1000u);
  app.SetPrompts(nullptr);
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

// "Recent wallpapers": three pictures applied give three items, newest
// first, each with its thumbnail; the oldest chosen is applied again. The
// history survives in history.txt, and a picture gone leaves the menu.
TEST_F(RotationTest, TheRecentWallpapersAreTheLastAppliedNewestFirst) {
  auto paths = Load(3);
  for (int row : {0, 1, 2}) {
    panel->MainListBox.SetItemIndex(row);
    panel->MainListBoxDblClick(*panel);
  }
  panel->TrayMenuPopup(panel->TrayMenu);
  ASSERT_TRUE(panel->RecentMenu.Visible());
  std::vector<std::string> shown;
  for (const auto& item : panel->RecentItems) {
    if (item->Visible()) shown.push_back(item->Caption());
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"row2.bmp", "row1.bmp", "row0.bmp"}));
  EXPECT_TRUE(panel->RecentItems[0]->HasPicture() && panel->RecentItems[2]->HasPicture()) << "thumbnails";
  EXPECT_EQ(ReadPlaylistFile(ExeFolder() + "history.txt"), (std::vector<std::string>{paths[2], paths[1], paths[0]}));

  MarkDesktop();
  panel->RecentItems[2]->Click();
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[0]);
  EXPECT_EQ(panel->CurrentIndex, 0) << "a playlist entry becomes the current row";
  EXPECT_EQ(panel->History.front(), paths[0]);

  ASSERT_TRUE(DeleteFileA(paths[1].c_str()));
  panel->TrayMenuPopup(panel->TrayMenu);
  EXPECT_EQ(panel->RecentItems[0]->Caption(), "row0.bmp");
  EXPECT_EQ(panel->RecentItems[1]->Caption(), "row2.bmp");
  EXPECT_FALSE(panel->RecentItems[2]->Visible());
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

// Windows' apps mode as the test found it, put back at its end.
class SavedAppsMode {
 public:
  SavedAppsMode() {
    DWORD size = sizeof value_;
    had_ = RegGetValueA(HKEY_CURRENT_USER, kKey, "AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &value_, &size) ==
           ERROR_SUCCESS;
  }
  ~SavedAppsMode() {
    if (had_) {
      Set(value_);
    } else {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "AppsUseLightTheme");
    }
  }
  static void Set(DWORD light) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "AppsUseLightTheme", REG_DWORD, &light, sizeof light);
  }
  // What Windows sends every top-level window when the user switches.
  static void Broadcast() {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                        SMTO_ABORTIFHUNG, 2000, &result);
  }

 private:
  static constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
  DWORD value_ = 1;
  bool had_ = false;
};

// Dark mode shows the playlist named for it and applies its picture; light
// mode brings the panel's own back with its current picture. The panel's
// own stays what DefPlayList.qvl keeps throughout.
TEST_F(RotationTest, WindowsDarkModeTakesItsOwnPlaylistAndLightModeGivesTheOwnBack) {
  SavedAppsMode mode;
  auto paths = Load(2);
  panel->MainListBox.SetItemIndex(1);
  panel->MainListBoxDblClick(*panel);
  const std::string night = dir.file("night.bmp");
  WriteFileBytes(night, EncodeBmp(MakeImage(4, 4, MakePixel(10, 10, 60)), 24));
  WritePlaylistFile(dir.file("night.qvl"), {night, "night"});
  const IniFile ini(ExeFolder() + "settings.ini");
  ini.WriteBool("Dark Mode Playlist", "Checked", true);
  ini.WriteString("Dark Mode Playlist File", "value", dir.file("night.qvl"));

  SavedAppsMode::Set(0);
  SavedAppsMode::Broadcast();
  ASSERT_TRUE(PumpUntil([&] { return DesktopValue("Wallpaper") == night; })) << DesktopValue("Wallpaper");
  EXPECT_EQ(panel->MainListBox.Count(), 1);
  panel->OkButtonClick(*panel);  // saves the playlist and the settings
  EXPECT_EQ(ReadPlaylistFile(ExeFolder() + "DefPlayList.qvl").front(), paths[0]) << "the own playlist is kept";
  EXPECT_EQ(ini.ReadInteger("Last Wallpaper Index", "Value", -1), 1);

  SavedAppsMode::Set(1);
  SavedAppsMode::Broadcast();
  ASSERT_TRUE(PumpUntil([&] { return DesktopValue("Wallpaper") == paths[1]; })) << DesktopValue("Wallpaper");
  EXPECT_EQ(panel->MainListBox.Count(), 2);
  EXPECT_EQ(panel->CurrentIndex, 1);
  EXPECT_EQ(ReadPlaylistFile(dir.file("night.qvl")), (std::vector<std::string>{night, "night"}));
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

// "Never show again": the picture on the desktop goes on the list and the
// next takes its place. Neither the rotation nor fifty shuffled changes nor
// Add folder bring it back, its playlist file keeps it, and "Show again"
// (the playlist menu's, then the settings' list) gives it back.
TEST_F(RotationTest, AnExcludedPictureIsNeverShownUntilShownAgain) {
  std::vector<std::string> paths = Load(4);
  std::vector<std::string> lines;
  for (const std::string& path : paths) lines.insert(lines.end(), {path, DisplayName(path)});
  const std::string listFile = dir.file("mine.qvl");
  WritePlaylistFile(listFile, lines);
  const std::vector<uint8_t> listBytes = ReadFileBytes(listFile);
  panel->OpenPlaylist(listFile);
  panel->NextWallpaper();
  ASSERT_EQ(DesktopValue("Wallpaper"), paths[1]);
  const std::string excludedFile = ExeFolder() + "excluded.txt";

  panel->NeverShowAgainItem.Click();
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[2]) << "the next takes its place";
  EXPECT_EQ(ReadPlaylistFile(excludedFile), (std::vector<std::string>{paths[1]}));
  EXPECT_TRUE(panel->IsExcludedRow(1));
  // In order, both ways, the row is passed over.
  panel->CurrentIndex = 0;
  Tick();
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[2]);
  panel->PreviousWallpaper();
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[0]);
  panel->ShuffleCheck.SetChecked(true);
  std::set<std::string> shown;
  for (int change = 0; change < 50; ++change) {
    if (change % 2) Tick(); else panel->NextWallpaper();
    shown.insert(DesktopValue("Wallpaper"));
  }
  EXPECT_EQ(shown, (std::set<std::string>{paths[0], paths[2], paths[3]}));
  panel->ShuffleCheck.SetChecked(false);
  // A folder's pictures leave it out.
  panel->AddFoundFile(paths[1]);
  EXPECT_EQ(panel->MainListBox.Count(), 4);

  // The playlist menu offers "Show again" on its row.
  panel->MainListBox.SetItemIndex(1);
  panel->PlaylistMenuPopup(panel->PlaylistMenu);
  EXPECT_TRUE(panel->ShowAgainItem.Visible());
  EXPECT_FALSE(panel->ListNeverShowAgainItem.Visible());
  panel->ShowAgainItem.Click();
  EXPECT_TRUE(ReadPlaylistFile(excludedFile).empty());
  panel->CurrentIndex = 0;
  Tick();
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[1]);

  // Excluded from the playlist menu while another picture is shown: the
  // desktop stays; the settings' list shows it until "Show again" and Apply.
  panel->MainListBox.SetItemIndex(3);
  panel->PlaylistMenuPopup(panel->PlaylistMenu);
  panel->ListNeverShowAgainItem.Click();
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[1]);
  TSettings& settings = app.CreateForm<TSettings>();
  settings.Show();
  ASSERT_EQ(settings.ExcludedListBox.Items(), (std::vector<std::string>{paths[3]}));
  settings.ExcludedListBox.SetSelected(0, true);
  settings.ShowAgainButton.Click();
  EXPECT_EQ(settings.ExcludedListBox.Count(), 0);
  EXPECT_TRUE(panel->IsExcludedRow(3)) << "until Apply";
  settings.ApplyButtonClick(settings.ApplyButton);
  settings.Hide();
  EXPECT_FALSE(panel->IsExcludedRow(3));
  EXPECT_TRUE(ReadPlaylistFile(excludedFile).empty());

  EXPECT_EQ(ReadFileBytes(listFile), listBytes) << "the playlist file keeps every entry";
  EXPECT_EQ(panel->Playlist->EntryCount(), 4u);
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

// The list read at the start: before the playlist, so that nothing excluded
// meanwhile writes over it, and again before a write when the first read
// failed (another program held the file). A row passed over by Reload is
// still applied by hand, and before the first change the picture on the
// desktop is the last run's row, whatever shuffle drew.
TEST(ExcludedAtStartTest, TheListIsKeptThroughAFailedReadAndOnlyAChoiceByHandShowsItsRows) {
  test::TempDir dir;
  test::ScriptedPrompts prompts;
  SavedDesktop savedDesktop;
  ui::Application app;
  app.SetPrompts(&prompts);
  app.SetExeName(dir.file("WallpaperChanger.exe"));
  app.Arguments.clear();
  std::vector<std::string> paths, lines;
  for (int i = 0; i < 3; ++i) {
    paths.push_back(dir.file("pic" + std::to_string(i) + ".bmp"));
    WriteFileBytes(paths.back(), EncodeBmp(MakeImage(4, 4, MakePixel(uint8_t(60 * i), 90, 30)), 24));
    lines.insert(lines.end(), {paths.back(), DisplayName(paths.back())});
  }
  WritePlaylistFile(dir.file("DefPlayList.qvl"), lines);
  WritePlaylistFile(dir.file("excluded.txt"), {paths[1], "D:\\elsewhere\\kept.jpg"});
  const IniFile ini(dir.file("settings.ini"));
  ini.WriteInteger("Last Wallpaper Index", "Value", 2);
  ini.WriteBool("Shuffle Wallpapers", "Checked", true);

  TMainForm& panel = app.CreateForm<TMainForm>();
  {
    // Held without sharing through the start: the list cannot be read.
    ui::FileHandle held(CreateFileA(dir.file("excluded.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    panel.StartupTimerTick(panel.StartupTimer);
    panel.FolderReaderTimer.SetEnabled(false);
  }
  EXPECT_EQ(panel.PicturesOnDesktop(), (std::vector<std::string>{paths[2]}));
  panel.NeverShowAgainItem.Click();
  EXPECT_EQ(ReadPlaylistFile(dir.file("excluded.txt")),
            (std::vector<std::string>{paths[1], "D:\\elsewhere\\kept.jpg", paths[2]}))
      << "what the file held comes first, then what this run excluded";
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[0]) << "the one row left";

  // Reload (as showing the panel does) passes over an excluded row; a
  // choice by hand applies it.
  panel.ShuffleCheck.SetChecked(false);
  panel.MainListBox.SetItemIndex(1);
  panel.ReloadItem.Click();
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[0]);
  panel.MainListBox.SetItemIndex(1);
  panel.SetWallpaperButtonClick(panel.SetWallpaperButton);
  EXPECT_EQ(DesktopValue("Wallpaper"), paths[1]);
  app.SetPrompts(nullptr);
}

}  // namespace
}  // namespace wc
