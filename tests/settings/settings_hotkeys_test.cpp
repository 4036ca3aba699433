// The five global hotkeys: their fields, registration and withdrawal on the
// settings window, and what a pressed combination does.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "program_files.h"
#include "settings_test_support.h"

namespace wc {
namespace {

using test::WriteTextFile;

// Combinations no desktop is likely to hold.
constexpr uint16_t kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;
constexpr uint16_t kFirst = kCtrl | kAlt | kShift | VK_F7;
constexpr uint16_t kSecond = kCtrl | kAlt | kShift | VK_F8;

// Whether the system still holds the combination for someone: a window of
// ours may not have it then.
bool Taken(uint16_t combination) {
  UINT modifiers = ((combination & kShift) ? MOD_SHIFT : 0) | ((combination & kCtrl) ? MOD_CONTROL : 0) |
                   ((combination & kAlt) ? MOD_ALT : 0);
  HWND probe = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const bool free = RegisterHotKey(probe, 0x7777, modifiers, combination & 0x1FFF);
  if (free) UnregisterHotKey(probe, 0x7777);
  DestroyWindow(probe);
  return !free;
}

class HotkeysTest : public test::SettingsTest {};

TEST_F(HotkeysTest, TheFieldTranslatesBetweenTheSystemsFormAndTheStoredOne) {
  EXPECT_EQ(ui::KeyCombinationFromField(MAKEWORD('N', HOTKEYF_CONTROL | HOTKEYF_ALT)), kCtrl | kAlt | 'N');
  EXPECT_EQ(ui::KeyCombinationFromField(MAKEWORD(VK_F5, HOTKEYF_SHIFT | HOTKEYF_EXT)), kShift | VK_F5);
  EXPECT_EQ(ui::FieldFromKeyCombination(kShift | kCtrl | kAlt | 'Z'),
            MAKEWORD('Z', HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT));
  TSettings& s = Settings();
  s.PreviousHotkey.SetValue(kCtrl | VK_HOME);
  EXPECT_EQ(s.PreviousHotkey.Value(), kCtrl | VK_HOME);
  EXPECT_EQ(LOWORD(SendMessageA(s.PreviousHotkey.Handle(), HKM_GETHOTKEY, 0, 0)), MAKEWORD(VK_HOME, HOTKEYF_CONTROL));
  // A field is shown exactly while its box is ticked.
  s.PreviousHotkeyCheck.SetChecked(true);
  EXPECT_TRUE(s.PreviousHotkey.Visible());
  s.PreviousHotkeyCheck.SetChecked(false);
  EXPECT_FALSE(s.PreviousHotkey.Visible());
}

TEST_F(HotkeysTest, StoredCombinationsOutsideSixteenBitsOrNotNumbersReadAsNone) {
  WriteTextFile(ExeFolder() + "settings.ini",
                "[Hotkey8]\r\nvalue=70000\r\n"
                "[Hotkey9]\r\nvalue=-5\r\n"
                "[Hotkey10]\r\nvalue=Ctrl+N\r\n"
                "[Hotkey11]\r\nvalue=65535\r\n"
                "[Hotkey17]\r\nvalue=24654\r\n");
  TSettings& s = Settings();
  EXPECT_EQ(s.OpenPanelHotkey.Value(), 0);
  EXPECT_EQ(s.NextHotkey.Value(), 0);
  EXPECT_EQ(s.PreviousHotkey.Value(), 0);
  EXPECT_EQ(s.ClearHotkey.Value(), kShift | kCtrl | kAlt | 0xFF);  // the field keeps keys up to 255
  EXPECT_EQ(s.CaptureHotkey.Value(), 24654);
}

TEST_F(HotkeysTest, RegistrationFollowsTheBoxesAsApplyAndTheEndWantIt) {
  ASSERT_FALSE(Taken(kFirst));
  ASSERT_FALSE(Taken(kSecond));
  IniFile ini = Ini();
  ini.WriteBool("Checkbox9", "Checked", true);
  ini.WriteInteger("Hotkey9", "value", kFirst);
  ini.WriteInteger("Hotkey17", "value", kSecond);
  {
    TSettings& s = Settings();
    EXPECT_TRUE(s.NextHotkey.Visible());
    EXPECT_TRUE(s.HotkeyRegistered(1));
    EXPECT_EQ(s.HotkeyAtom(1), GlobalFindAtomA("MyHotKey_2"));
    EXPECT_TRUE(Taken(kFirst));
    // "Capture Screen" is never ticked at a start; its combination stays.
    EXPECT_FALSE(s.CaptureHotkeyCheck.Checked());
    EXPECT_EQ(s.CaptureHotkey.Value(), kSecond);
    EXPECT_FALSE(s.HotkeyRegistered(4));
    EXPECT_FALSE(Taken(kSecond));

    // Apply twice: withdrawn and registered again, still held.
    s.ApplyButtonClick(s.ApplyButton);
    s.ApplyButtonClick(s.ApplyButton);
    EXPECT_TRUE(s.HotkeyRegistered(1));
    EXPECT_TRUE(Taken(kFirst));

    // Unticked and applied: it keeps working until the program ends.
    s.NextHotkeyCheck.SetChecked(false);
    s.ApplyButtonClick(s.ApplyButton);
    EXPECT_TRUE(s.HotkeyRegistered(1));
    EXPECT_TRUE(Taken(kFirst));
    EXPECT_FALSE(Ini().ReadBool("Checkbox9", "Checked", true));

    // A new combination of a ticked hotkey replaces the old one.
    s.NextHotkeyCheck.SetChecked(true);
    s.NextHotkey.SetValue(kSecond);
    s.ApplyButtonClick(s.ApplyButton);
    EXPECT_FALSE(Taken(kFirst));
    EXPECT_TRUE(Taken(kSecond));
    EXPECT_EQ(Ini().ReadInteger("Hotkey17", "value", 0), kSecond);
    // Nothing stores the "Capture Screen" box.
    for (const std::string& section : test::IniSections(ExeFolder() + "settings.ini")) {
      EXPECT_NE(section, "Checkbox17");
    }
    s.WithdrawHotkeys();
    EXPECT_FALSE(s.HotkeyRegistered(1));
    EXPECT_FALSE(Taken(kSecond));
  }
}

TEST_F(HotkeysTest, EachHotkeyRunsItsCommand) {
  test::SavedDesktop savedDesktop;
  IniFile ini = Ini();
  for (const char* box : {"Checkbox8", "Checkbox9", "Checkbox10", "Checkbox11"}) ini.WriteBool(box, "Checked", true);
  ini.WriteInteger("Hotkey8", "value", kCtrl | kAlt | kShift | VK_F5);
  ini.WriteInteger("Hotkey9", "value", kCtrl | kAlt | kShift | VK_F6);
  ini.WriteInteger("Hotkey10", "value", kCtrl | kAlt | kShift | VK_F7);
  ini.WriteInteger("Hotkey11", "value", kCtrl | kAlt | kShift | VK_F8);
  TSettings& s = Settings();
  TMainForm& p = Panel();
  p.StartupTimerTick(p.StartupTimer);
  p.FolderReaderTimer.SetEnabled(false);
  const std::vector<std::string> pictures = {test::MakePicture(dir.file("a.bmp")), test::MakePicture(dir.file("b.bmp")),
                                             test::MakePicture(dir.file("c.bmp"))};
  p.AddFilesToPlaylist(pictures);
  p.MainListBox.Clear();
  p.FillPlaylistBox(false);
  p.CurrentIndex = 0;

  auto press = [&](int i) {
    PostMessageA(s.Handle(), WM_HOTKEY, s.HotkeyAtom(i), 0);
    Pump();
  };
  press(1);  // next
  EXPECT_EQ(p.CurrentIndex, 1);
  EXPECT_EQ(test::DesktopValue("Wallpaper"), pictures[1]);
  press(2);  // previous
  EXPECT_EQ(p.CurrentIndex, 0);
  EXPECT_EQ(test::DesktopValue("Wallpaper"), pictures[0]);

  // Clearing from the tray says nothing; the hotkey shows its box after.
  p.ClearWallpaperItemClick(p.ClearWallpaperItem);
  EXPECT_TRUE(prompts.messages.empty());
  test::SetDesktopValue("Wallpaper", pictures[2]);
  press(3);
  EXPECT_EQ(test::DesktopValue("Wallpaper"), "");
  EXPECT_EQ(prompts.MessageTexts(), std::vector<std::string>{"Message4"});

  EXPECT_FALSE(p.Visible());
  press(0);  // the control panel
  EXPECT_TRUE(p.Visible());
  p.Hide();
  // An identity of no hotkey of ours does nothing.
  const size_t messages = prompts.messages.size();
  PostMessageA(s.Handle(), WM_HOTKEY, 0x7FFF, 0);
  Pump();
  EXPECT_EQ(prompts.messages.size(), messages);
  EXPECT_FALSE(p.Visible());
}

}  // namespace
}  // namespace wc
