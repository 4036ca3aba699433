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
  EXPECT_EQ(s.ClientHeight(), 325);
  EXPECT_EQ(s.PageControl1.TabCaptions(),
            (std::vector<std::string>{"&General", "&Hotkeys", "&Wallpaper List", "Sound"}));
  EXPECT_EQ(s.PageControl1.ActivePage(), &s.TabSheet5);
  EXPECT_TRUE(s.TabSheet5.Visible());
  EXPECT_FALSE(s.TabSheet1.Visible());

  EXPECT_FALSE(s.CheckBox1.Checked());  // hints
  EXPECT_TRUE(s.CheckBox2.Checked());   // run at start-up
  EXPECT_TRUE(s.CheckBox3.Checked());   // always minimise
  EXPECT_FALSE(s.CheckBox4.Checked());
  EXPECT_FALSE(s.CheckBox5.Checked());
  EXPECT_FALSE(s.CheckBox7.Checked());
  EXPECT_TRUE(s.CheckBox7.Visible());
  EXPECT_TRUE(s.CheckBox7.Enabled());
  EXPECT_FALSE(s.CheckBox6.Visible());
  EXPECT_TRUE(s.ComboBox2.Visible());
  EXPECT_TRUE(s.Label5.Visible());
  EXPECT_EQ(s.ComboBox2.Text(), "English");
  EXPECT_EQ(s.ComboBox2.Items(), (std::vector<std::string>{"Arabic", "English", "French", "Romanian", "Spanish"}));
  EXPECT_FALSE(s.PlaySoundCheckBox.Checked());
  EXPECT_FALSE(s.ShuffleCheckBox.Checked());
  EXPECT_FALSE(s.CheckBox12.Checked());
  for (ui::CheckBox* box : {&s.CheckBox8, &s.CheckBox9, &s.CheckBox10, &s.CheckBox11, &s.CheckBox17}) {
    EXPECT_FALSE(box->Checked()) << box->Name();
  }
  for (ui::HotKey* field : {&s.HotKey8, &s.HotKey9, &s.HotKey10, &s.HotKey11, &s.HotKey17}) {
    EXPECT_FALSE(field->Visible()) << field->Name();
    EXPECT_EQ(field->Value(), 0) << field->Name();
  }
  for (int i = 0; i < TSettings::kHotkeyCount; ++i) EXPECT_FALSE(s.HotkeyRegistered(i));
  EXPECT_EQ(s.NamePanel.Caption(), "Default");
  EXPECT_EQ(s.CurrentSoundList, "Default");
  EXPECT_FALSE(Panel().PlaylistDragDrop());
  EXPECT_FALSE(Panel().TrayIcon1.CycleIcons());
  EXPECT_FALSE(test::Exists(ExeFolder() + "settings.ini"));
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kRunKey, "Wallpaper Manager"), "<none>");
  EXPECT_TRUE(prompts.messages.empty());

  s.Button4Click(s.Button4);
  EXPECT_EQ(RegText(HKEY_CURRENT_USER, kRunKey, "Wallpaper Manager"), "\"" + app.ExeName() + "\" -startup");
  EXPECT_EQ(IniSections(ExeFolder() + "settings.ini"),
            (std::vector<std::string>{"Show help tips", "Run at startup", "Always minimize", "Animate Wallpaper",
                                      "Enable Drag and Drop", "Ask Confirmations", "High Quality Image Resampling",
                                      "Different Wallpaper on each Monitor",
                                      "Register Extensions", "language", "Checkbox8", "Checkbox9", "Checkbox10",
                                      "Checkbox11", "Checkbox12", "Hotkey8", "Hotkey9", "Hotkey10", "Hotkey11",
                                      "Hotkey17", "PlaySoundCheckBox", "ShuffleCheckBox", "Last Sound Playlist"}));
  EXPECT_EQ(Ini().ReadString("language", "value", ""), "English");
  EXPECT_EQ(Ini().ReadString("Last Sound Playlist", "value", ""), "Default");
  EXPECT_EQ(Ini().ReadString("Run at startup", "Checked", ""), "1");

  // Unticking "Run at startup" removes the value at the next Apply.
  s.CheckBox2.SetChecked(false);
  s.Button4Click(s.Button4);
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
  EXPECT_TRUE(s.CheckBox1.Checked());
  EXPECT_FALSE(s.CheckBox2.Checked());
  EXPECT_TRUE(s.CheckBox3.Checked());
  EXPECT_TRUE(s.CheckBox4.Checked());
  EXPECT_TRUE(s.CheckBox5.Checked());
  EXPECT_TRUE(s.CheckBox7.Checked());
  EXPECT_EQ(s.ComboBox2.Text(), "French");
  EXPECT_TRUE(s.CheckBox12.Checked());  // "Register Extensions" is read last and decides
  EXPECT_TRUE(s.PlaySoundCheckBox.Checked());
  EXPECT_TRUE(s.ShuffleCheckBox.Checked());
  // Drag and drop, the tray animation and the hints took effect.
  EXPECT_TRUE(Panel().PlaylistDragDrop());
  EXPECT_TRUE(Panel().TrayIcon1.CycleIcons());
  EXPECT_EQ(Panel().TrayIcon1.IconIndex(), 0);
  EXPECT_TRUE(Panel().MainNew.ShowHint());
  EXPECT_TRUE(s.CheckBox1.ShowHint());
  // The panel's apply step asks the dialog, not the file.
  EXPECT_TRUE(Panel().HighQualityResampling());
  s.CheckBox7.SetChecked(false);
  EXPECT_FALSE(Panel().HighQualityResampling());

  // A language the list does not name is kept for the next Apply.
  WriteTextFile(ExeFolder() + "settings.ini", "[language]\r\nvalue=Klingon\r\n");
  s.Button1Click(s.Button1);
  EXPECT_EQ(s.ComboBox2.Text(), "Klingon");
  s.Button4Click(s.Button4);
  EXPECT_EQ(Ini().ReadString("language", "value", ""), "Klingon");
}

TEST_F(SettingsFormTest, CancelKeepsTheChangedBoxesForTheNextApplyAndDragAndDropStaysOn) {
  TSettings& s = Settings();
  s.Show();
  s.CheckBox4.SetChecked(true);
  s.CheckBox5.SetChecked(true);
  EXPECT_TRUE(Panel().PlaylistDragDrop());  // at once, not on Apply
  s.Button3Click(s.Button3);
  EXPECT_FALSE(s.Visible());
  EXPECT_FALSE(test::Exists(ExeFolder() + "settings.ini"));  // nothing written
  EXPECT_TRUE(Panel().PlaylistDragDrop());
  s.Show();
  EXPECT_TRUE(s.CheckBox4.Checked());
  EXPECT_TRUE(s.CheckBox5.Checked());
  s.Button2Click(s.Button2);  // OK: Apply, then close
  EXPECT_FALSE(s.Visible());
  EXPECT_TRUE(Ini().ReadBool("Animate Wallpaper", "Checked", false));
  EXPECT_TRUE(Ini().ReadBool("Enable Drag and Drop", "Checked", false));
  EXPECT_TRUE(Panel().TrayIcon1.CycleIcons());

  s.CheckBox5.SetChecked(false);
  EXPECT_FALSE(Panel().PlaylistDragDrop());
}

TEST_F(SettingsFormTest, ResetToDefaultTakesBackTheLastAppliedStateWithoutWriting) {
  TSettings& s = Settings();
  s.CheckBox1.SetChecked(true);
  s.CheckBox9.SetChecked(true);
  s.HotKey9.SetValue(0x4000 | 'Q');
  s.Button4Click(s.Button4);
  const std::string applied = ReadTextFile(ExeFolder() + "settings.ini");

  s.CheckBox1.SetChecked(false);
  s.CheckBox3.SetChecked(false);
  s.CheckBox9.SetChecked(false);
  s.HotKey9.SetValue(0);
  s.Button1Click(s.Button1);
  EXPECT_TRUE(s.CheckBox1.Checked());
  EXPECT_TRUE(s.CheckBox3.Checked());
  EXPECT_TRUE(s.CheckBox9.Checked());
  EXPECT_TRUE(s.HotKey9.Visible());
  EXPECT_EQ(s.HotKey9.Value(), 0x4000 | 'Q');
  EXPECT_EQ(ReadTextFile(ExeFolder() + "settings.ini"), applied);
}

TEST_F(SettingsFormTest, EveryTabShowsItsControlsWhole) {
  TSettings& s = Settings();
  s.CheckBox8.SetChecked(true);
  s.Show();
  for (int page = 0; page < s.PageControl1.PageCount(); ++page) {
    s.PageControl1.SetActivePageIndex(page);
    Pump();
    EXPECT_TRUE(s.PageControl1.Page(page)->Visible());
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
  ASSERT_FALSE(s.CheckBox12.Checked());  // written whatever the box says
  s.Button4Click(s.Button4);
  EXPECT_EQ(ClassesRows(HKEY_CLASSES_ROOT, ""), Expected(app.ExeName()));

  const std::string moved = dir.file("elsewhere\\WallpaperChanger.exe");
  app.SetExeName(moved);
  s.Button4Click(s.Button4);
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
  s.Button4Click(s.Button4);
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
  s.CheckBox9.SetChecked(true);
  s.HotKey9.SetValue(0x4000 | 0x8000 | VK_F9);
  s.ComboBox2.SetText("Spanish");
  s.CheckBox4.SetChecked(true);
  s.CurrentSoundList = dir.file("mine.krs");
  s.Button4Click(s.Button4);
  EXPECT_EQ(calls, 2);  // the first row, in both places; then the registration stops
  EXPECT_EQ(prompts.MessageTexts(), std::vector<std::string>{"Failed to set data for ''"});
  EXPECT_EQ(Ini().ReadString("language", "value", ""), "Spanish");
  EXPECT_TRUE(Ini().ReadBool("Checkbox9", "Checked", false));
  EXPECT_EQ(Ini().ReadInteger("Hotkey9", "value", 0), 0x4000 | 0x8000 | VK_F9);
  EXPECT_EQ(Ini().ReadString("Last Sound Playlist", "value", ""), dir.file("mine.krs"));
  EXPECT_TRUE(s.HotkeyRegistered(1));
  EXPECT_TRUE(Panel().TrayIcon1.CycleIcons());
  EXPECT_EQ(RegText(HKEY_CLASSES_ROOT, ".qvl"), "<none>");
}

}  // namespace
}  // namespace wc
