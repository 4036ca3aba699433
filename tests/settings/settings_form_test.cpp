// The settings dialog: its options read at creation with their defaults,
// Apply, OK, Cancel and Reset to Default, what takes effect at once, and the
// playlist file type written by every Apply.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "layout_check.h"
#include "program_files.h"
#include "settings_test_support.h"
#include "ui/error.h"

namespace wc {
namespace {

using test::IniSections;
using test::ReadTextFile;
using test::WriteTextFile;

constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string RegText(HKEY root, const std::string& key, const char* name = nullptr) {
  char value[2048] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return "<none>";
  return value;
}

void DeleteTree(HKEY root, const char* key) { RegDeleteTreeA(root, key); }

// The file type's keys gone from both places before and after each test.
struct CleanClasses {
  CleanClasses() { Clean(); }
  ~CleanClasses() { Clean(); }
  static void Clean() {
    for (HKEY root : {HKEY_CLASSES_ROOT}) {
      DeleteTree(root, ".qvl");
      DeleteTree(root, "Drapenix PlayList");
    }
    DeleteTree(HKEY_CURRENT_USER, "Software\\Classes\\.qvl");
    DeleteTree(HKEY_CURRENT_USER, "Software\\Classes\\Drapenix PlayList");
  }
};

// The run-at-start-up value as a test found it, put back at its end.
struct SavedRunValue {
  SavedRunValue() : before(RegText(HKEY_CURRENT_USER, kRunKey, "Wallpaper Manager")) { Remove(); }
  ~SavedRunValue() {
    Remove();
    if (before != "<none>") {
      RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, "Wallpaper Manager", REG_SZ, before.c_str(), DWORD(before.size() + 1));
    }
  }
  static void Remove() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, "Wallpaper Manager"); }
  std::string before;
};

class SettingsFormTest : public test::SettingsTest {
 protected:
  CleanClasses classes;
  SavedRunValue runValue;
};

TEST_F(SettingsFormTest, AFirstStartShowsTheDefaultsAndWritesNothingUntilApply) {
  TSettings& s = Settings();
  EXPECT_FALSE(s.Visible());
  EXPECT_EQ(s.Caption(), "Settings");
  EXPECT_EQ(s.ClientWidth(), 450);
  EXPECT_EQ(s.ClientHeight(), 352);
  EXPECT_EQ(s.Pages.TabCaptions(),
            (std::vector<std::string>{"&General", "&Hotkeys", "&Wallpaper List", "Sound", "&Monitors"}));
  EXPECT_EQ(s.Pages.ActivePage(), &s.SoundPage);
  EXPECT_TRUE(s.SoundPage.Visible());
  EXPECT_FALSE(s.GeneralPage.Visible());

  EXPECT_FALSE(s.ShowHintsCheck.Checked());  // hints
  EXPECT_TRUE(s.RunAtStartupCheck.Checked());   // run at start-up
  EXPECT_TRUE(s.AlwaysMinimizeCheck.Checked());   // always minimise
  EXPECT_FALSE(s.AnimateTrayIconCheck.Checked());
  EXPECT_FALSE(s.DragAndDropCheck.Checked());
  EXPECT_FALSE(s.HighQualityCheck.Checked());
  EXPECT_TRUE(s.HighQualityCheck.Visible());
  EXPECT_TRUE(s.HighQualityCheck.Enabled());
  EXPECT_FALSE(s.AskConfirmationsCheck.Visible());
  EXPECT_TRUE(s.LanguageBox.Visible());
  EXPECT_TRUE(s.LanguageLabel.Visible());
  EXPECT_EQ(s.LanguageBox.Text(), "English");
  EXPECT_EQ(s.LanguageBox.Items(), (std::vector<std::string>{"Arabic", "English", "French", "Romanian", "Spanish"}));
  EXPECT_FALSE(s.PlaySoundCheckBox.Checked());
  EXPECT_FALSE(s.ShuffleCheckBox.Checked());
  EXPECT_FALSE(s.RegisterPlaylistFilesCheck.Checked());
  for (ui::CheckBox* box : {&s.OpenPanelHotkeyCheck, &s.NextHotkeyCheck, &s.PreviousHotkeyCheck, &s.ClearHotkeyCheck, &s.CaptureHotkeyCheck}) {
    EXPECT_FALSE(box->Checked()) << box->Name();
  }
  for (ui::HotKey* field : {&s.OpenPanelHotkey, &s.NextHotkey, &s.PreviousHotkey, &s.ClearHotkey, &s.CaptureHotkey}) {
    EXPECT_FALSE(field->Visible()) << field->Name();
    EXPECT_EQ(field->Value(), 0) << field->Name();
  }
  for (int i = 0; i < TSettings::kHotkeyCount; ++i) EXPECT_FALSE(s.HotkeyRegistered(i));
  EXPECT_EQ(s.NamePanel.Caption(), "Default");
  EXPECT_EQ(s.CurrentSoundList, "Default");
  EXPECT_FALSE(Panel().PlaylistDragDrop());
  EXPECT_FALSE(Panel().Tray.CycleIcons());
  EXPECT_FALSE(test::Exists(ExeFolder() + "settings.ini"));
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kRunKey, "Wallpaper Manager"), "<none>");
  EXPECT_TRUE(prompts.messages.empty());

  s.ApplyButtonClick(s.ApplyButton);
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kRunKey, "Wallpaper Manager"), "\"" + app.ExeName() + "\" -startup");
  EXPECT_EQ(IniSections(ExeFolder() + "settings.ini"),
            (std::vector<std::string>{"Show help tips", "Run at startup", "Always minimize", "Animate Wallpaper",
                                      "Enable Drag and Drop", "Ask Confirmations", "High Quality Image Resampling",
                                      "Different Wallpaper on each Monitor", "Prefer Pictures Shaped like the Monitor",
                                      "Register Extensions", "Dark Mode Playlist", "Dark Mode Playlist File", "language", "Checkbox8", "Checkbox9", "Checkbox10",
                                      "Checkbox11", "Checkbox12", "Hotkey8", "Hotkey9", "Hotkey10", "Hotkey11",
                                      "Hotkey17", "NextOnMonitorCheckBox", "NextOnMonitorHotKey", "PauseCheckBox", "PauseHotKey", "FavouriteCheckBox", "FavouriteHotKey", "ExcludeCheckBox", "ExcludeHotKey", "PlaySoundCheckBox", "ShuffleCheckBox", "Last Sound Playlist"}));
  EXPECT_EQ(Ini().ReadString("language", "value", ""), "English");
  EXPECT_EQ(Ini().ReadString("Last Sound Playlist", "value", ""), "Default");
  EXPECT_EQ(Ini().ReadString("Run at startup", "Checked", ""), "1");

  // Unticking "Run at startup" removes the value at the next Apply.
  s.RunAtStartupCheck.SetChecked(false);
  s.ApplyButtonClick(s.ApplyButton);
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kRunKey, "Wallpaper Manager"), "<none>");
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SettingsFormTest, StoredOptionsAreReadAndActAtOnce) {
  WriteTextFile(ExeFolder() + "settings.ini",
                "[Show help tips]\r\nChecked=1\r\n"
                "[Run at startup]\r\nChecked=0\r\n"
                "[Always minimize]\r\nChecked=yes\r\n"  // no integer: the default
                "[Animate Wallpaper]\r\nChecked=1\r\n"
                "[Enable Drag and Drop]\r\nChecked=1\r\n"
                "[High Quality Image Resampling]\r\nChecked=7\r\n"
                "[language]\r\nValue=French\r\n"
                "[Checkbox12]\r\nChecked=0\r\n"
                "[Register Extensions]\r\nChecked=1\r\n"
                "[PlaySoundCheckBox]\r\nChecked=1\r\n"
                "[ShuffleCheckBox]\r\nChecked=1\r\n");
  TSettings& s = Settings();
  EXPECT_TRUE(s.ShowHintsCheck.Checked());
  EXPECT_FALSE(s.RunAtStartupCheck.Checked());
  EXPECT_TRUE(s.AlwaysMinimizeCheck.Checked());
  EXPECT_TRUE(s.AnimateTrayIconCheck.Checked());
  EXPECT_TRUE(s.DragAndDropCheck.Checked());
  EXPECT_TRUE(s.HighQualityCheck.Checked());
  EXPECT_EQ(s.LanguageBox.Text(), "French");
  EXPECT_TRUE(s.RegisterPlaylistFilesCheck.Checked());  // "Register Extensions" is read last and decides
  EXPECT_TRUE(s.PlaySoundCheckBox.Checked());
  EXPECT_TRUE(s.ShuffleCheckBox.Checked());
  // Drag and drop, the tray animation and the hints took effect.
  EXPECT_TRUE(Panel().PlaylistDragDrop());
  EXPECT_TRUE(Panel().Tray.CycleIcons());
  EXPECT_EQ(Panel().Tray.IconIndex(), 0);
  EXPECT_TRUE(Panel().MainNew.ShowHint());
  EXPECT_TRUE(s.ShowHintsCheck.ShowHint());
  // The panel's apply step asks the dialog, not the file.
  EXPECT_TRUE(Panel().HighQualityResampling());
  s.HighQualityCheck.SetChecked(false);
  EXPECT_FALSE(Panel().HighQualityResampling());

  // A language the list does not name is kept for the next Apply.
  WriteTextFile(ExeFolder() + "settings.ini", "[language]\r\nvalue=Klingon\r\n");
  s.ResetButtonClick(s.ResetButton);
  EXPECT_EQ(s.LanguageBox.Text(), "Klingon");
  s.ApplyButtonClick(s.ApplyButton);
  EXPECT_EQ(Ini().ReadString("language", "value", ""), "Klingon");
}

TEST_F(SettingsFormTest, CancelKeepsTheChangedBoxesForTheNextApplyAndDragAndDropStaysOn) {
  TSettings& s = Settings();
  s.Show();
  s.AnimateTrayIconCheck.SetChecked(true);
  s.DragAndDropCheck.SetChecked(true);
  EXPECT_TRUE(Panel().PlaylistDragDrop());  // at once, not on Apply
  s.CancelButtonClick(s.CancelButton);
  EXPECT_FALSE(s.Visible());
  EXPECT_FALSE(test::Exists(ExeFolder() + "settings.ini"));  // nothing written
  EXPECT_TRUE(Panel().PlaylistDragDrop());
  s.Show();
  EXPECT_TRUE(s.AnimateTrayIconCheck.Checked());
  EXPECT_TRUE(s.DragAndDropCheck.Checked());
  s.OkButtonClick(s.OkButton);  // OK: Apply, then close
  EXPECT_FALSE(s.Visible());
  EXPECT_TRUE(Ini().ReadBool("Animate Wallpaper", "Checked", false));
  EXPECT_TRUE(Ini().ReadBool("Enable Drag and Drop", "Checked", false));
  EXPECT_TRUE(Panel().Tray.CycleIcons());

  s.DragAndDropCheck.SetChecked(false);
  EXPECT_FALSE(Panel().PlaylistDragDrop());
}

TEST_F(SettingsFormTest, ResetToDefaultTakesBackTheLastAppliedStateWithoutWriting) {
  TSettings& s = Settings();
  s.ShowHintsCheck.SetChecked(true);
  s.NextHotkeyCheck.SetChecked(true);
  s.NextHotkey.SetValue(0x4000 | 'Q');
  s.ApplyButtonClick(s.ApplyButton);
  const std::string applied = ReadTextFile(ExeFolder() + "settings.ini");

  s.ShowHintsCheck.SetChecked(false);
  s.AlwaysMinimizeCheck.SetChecked(false);
  s.NextHotkeyCheck.SetChecked(false);
  s.NextHotkey.SetValue(0);
  s.ResetButtonClick(s.ResetButton);
  EXPECT_TRUE(s.ShowHintsCheck.Checked());
  EXPECT_TRUE(s.AlwaysMinimizeCheck.Checked());
  EXPECT_TRUE(s.NextHotkeyCheck.Checked());
  EXPECT_TRUE(s.NextHotkey.Visible());
  EXPECT_EQ(s.NextHotkey.Value(), 0x4000 | 'Q');
  EXPECT_EQ(ReadTextFile(ExeFolder() + "settings.ini"), applied);
}

TEST_F(SettingsFormTest, EveryTabShowsItsControlsWhole) {
  TSettings& s = Settings();
  s.OpenPanelHotkeyCheck.SetChecked(true);
  s.Show();
  for (int page = 0; page < s.Pages.PageCount(); ++page) {
    s.Pages.SetActivePageIndex(page);
    Pump();
    EXPECT_TRUE(s.Pages.Page(page)->Visible());
    EXPECT_EQ(test::LayoutFaults(s), std::vector<std::string>{}) << "page " << page;
  }
  s.Hide();
}

// ---- the playlist file type

const char* const kType = "Drapenix PlayList";

std::vector<std::string> ClassesRows(HKEY root, const std::string& prefix) {
  return {RegText(root, prefix + ".qvl"), RegText(root, prefix + kType),
          RegText(root, prefix + kType + "\\DefaultIcon"), RegText(root, prefix + kType + "\\Shell\\Open"),
          RegText(root, prefix + kType + "\\Shell\\Open\\Command")};
}

std::vector<std::string> Expected(const std::string& exe) {
  return {kType, "Pellimox Free Wallpaper Changer Playlist", exe + ",0", "&Open", "\"" + exe + "\" \"%1\""};
}

TEST_F(SettingsFormTest, EveryApplyRegistersThePlaylistTypeForWhereTheProgramIsNow) {
  TSettings& s = Settings();
  ASSERT_FALSE(s.RegisterPlaylistFilesCheck.Checked());  // written whatever the box says
  s.ApplyButtonClick(s.ApplyButton);
  EXPECT_EQ(ClassesRows(HKEY_CLASSES_ROOT, ""), Expected(app.ExeName()));

  const std::string moved = dir.file("elsewhere\\WallpaperChanger.exe");
  app.SetExeName(moved);
  s.ApplyButtonClick(s.ApplyButton);
  EXPECT_EQ(ClassesRows(HKEY_CLASSES_ROOT, ""), Expected(moved));
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SettingsFormTest, ARefusedMachineWideRowGoesToTheUsersClasses) {
  TSettings& s = Settings();
  std::vector<std::string> tried;
  s.WriteClassesValue = [&](HKEY root, const std::string& key, const std::string& value) {
    tried.push_back((root == HKEY_CLASSES_ROOT ? "HKCR\\" : "HKCU\\") + key);
    if (root == HKEY_CLASSES_ROOT) return false;
    return WriteDefaultRegistryValue(root, key, value);
  };
  s.ApplyButtonClick(s.ApplyButton);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(ClassesRows(HKEY_CURRENT_USER, "Software\\Classes\\"), Expected(app.ExeName()));
  ASSERT_EQ(tried.size(), 10u);
  EXPECT_EQ(tried[0], "HKCR\\.qvl");
  EXPECT_EQ(tried[1], "HKCU\\Software\\Classes\\.qvl");
}

TEST_F(SettingsFormTest, ARegistrationRefusedEverywhereIsSaidAndEveryLaterOptionIsStillStoredAndApplied) {
  TSettings& s = Settings();
  int calls = 0;
  s.WriteClassesValue = [&](HKEY, const std::string&, const std::string&) {
    ++calls;
    return false;
  };
  s.NextHotkeyCheck.SetChecked(true);
  s.NextHotkey.SetValue(0x4000 | 0x8000 | VK_F9);
  s.LanguageBox.SetText("Spanish");
  s.AnimateTrayIconCheck.SetChecked(true);
  s.CurrentSoundList = dir.file("mine.krs");
  s.ApplyButtonClick(s.ApplyButton);
  EXPECT_EQ(calls, 2);  // the first row, in both places; then the registration stops
  EXPECT_EQ(prompts.MessageTexts(), std::vector<std::string>{"Failed to set data for ''"});
  EXPECT_EQ(Ini().ReadString("language", "value", ""), "Spanish");
  EXPECT_TRUE(Ini().ReadBool("Checkbox9", "Checked", false));
  EXPECT_EQ(Ini().ReadInteger("Hotkey9", "value", 0), 0x4000 | 0x8000 | VK_F9);
  EXPECT_EQ(Ini().ReadString("Last Sound Playlist", "value", ""), dir.file("mine.krs"));
  EXPECT_TRUE(s.HotkeyRegistered(1));
  EXPECT_TRUE(Panel().Tray.CycleIcons());
  EXPECT_EQ(RegText(HKEY_CLASSES_ROOT, ".qvl"), "<none>");
}

}  // namespace
}  // namespace wc
