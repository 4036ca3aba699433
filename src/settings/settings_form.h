#pragma once
// The settings dialog (window name "Settings"): the program-wide options kept
// in settings.ini (hints, start with Windows, start minimised, tray-icon
// animation, drag and drop, resampling, language), the five global hotkeys,
// the playlist file type and the list of sounds played when a wallpaper is
// applied. Made once at start-up, where it reads and applies its options and
// registers the hotkeys; afterwards only hidden and shown. Global hotkeys
// arrive at this window.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/change_sound.h"
#include "settings/file_type.h"
#include "settings/settings_model.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/hot_key.h"
#include "ui/page_control.h"

namespace wc {

class SettingsTarget;

class TSettings : public ui::Form, public ChangeSound {
 public:
  explicit TSettings(ui::Application& app);
  ~TSettings() override;

  // ---- the buttons
  void Button1Click(ui::Component& sender);  // "Reset to Default"
  void Button2Click(ui::Component& sender);  // "OK"
  void Button3Click(ui::Component& sender);  // "Cancel"
  void Button4Click(ui::Component& sender);  // "Apply"
  void CheckBox5Click(ui::Component& sender);
  void ComboBox2Change(ui::Component& sender);
  // The two options the control panel consults at every change of
  // wallpaper: they count from the moment they are ticked.
  void PanelOptionClick(ui::Component& sender);

  // ---- the sound list (settings_sounds.cpp)
  void BitBtn1Click(ui::Component& sender);      // add wave files
  void MainBitBtn3Click(ui::Component& sender);  // remove the selected entry
  void MainBitBtn1Click(ui::Component& sender);  // select the previous entry
  void MainBitBtn2Click(ui::Component& sender);  // select the next entry
  void BitBtn2Click(ui::Component& sender);      // play
  void SoundListBoxDblClick(ui::Component& sender);
  void MainNewClick(ui::Component& sender);
  void MainAppendClick(ui::Component& sender);
  void MainLoadClick(ui::Component& sender);
  void MainSaveClick(ui::Component& sender);
  // Plays the change sound as the options say (the play button's work).
  void PlayChangeSound() override;
  // Appends the entries of a sound-list file; reports a failure in a box
  // and keeps the entries read before it.
  void LoadSoundList(const std::string& file);

  // The full paths of the sound list, index for index with SoundListBox.
  std::vector<std::string> SoundPaths;
  // The sound-list file in use, or "Default"; stored by Apply.
  std::string CurrentSoundList = "Default";
  // The default sound list's name in the language now in use.
  void TextsReplaced() override;

  // ---- the hotkeys (settings_hotkeys.cpp)
  static constexpr int kHotkeyCount = 5;
  // Shows the key field of every ticked hotkey box; each box's click does.
  void BindHotkeyBoxes();
  void ShowHotkeyFields();
  // Registers every ticked hotkey anew with its field's combination;
  // unticked ones keep whatever registration they had.
  void RegisterHotkeys();
  // Withdraws every registered hotkey.
  void WithdrawHotkeys();
  // A pressed combination: runs the action of every hotkey it belongs to.
  void HotkeyPressed(WPARAM id);
  bool HotkeyRegistered(int i) const { return registered_[size_t(i)]; }
  ATOM HotkeyAtom(int i) const { return atoms_[size_t(i)]; }

  // How the registry takes the file type's values; tests put a refusing
  // one in its place.
  DefaultValueWriter WriteClassesValue = WriteDefaultRegistryValue;

  // ---- controls, in layout order
  ui::PageControl PageControl1{this, "PageControl1"};
  ui::TabSheet TabSheet1{this, "TabSheet1"};
  ui::TabSheet TabSheet2{this, "TabSheet2"};
  ui::TabSheet TabSheet3{this, "TabSheet3"};
  ui::TabSheet TabSheet5{this, "TabSheet5"};

  ui::CheckBox CheckBox1{this, "CheckBox1"};
  ui::CheckBox CheckBox2{this, "CheckBox2"};
  ui::CheckBox CheckBox3{this, "CheckBox3"};
  ui::CheckBox CheckBox4{this, "CheckBox4"};
  ui::CheckBox CheckBox5{this, "CheckBox5"};
  ui::CheckBox CheckBox7{this, "CheckBox7"};
  // Off unless the user chooses it: every monitor then shows an entry of its
  // own.
  ui::CheckBox EachMonitorCheckBox{this, "EachMonitorCheckBox"};
  ui::CheckBox CheckBox6{this, "CheckBox6"};
  ui::Label Label5{this, "Label5"};
  ui::ComboBox ComboBox2{this, "ComboBox2"};

  ui::CheckBox CheckBox8{this, "CheckBox8"};
  ui::HotKey HotKey8{this, "HotKey8"};
  ui::CheckBox CheckBox9{this, "CheckBox9"};
  ui::HotKey HotKey9{this, "HotKey9"};
  ui::CheckBox CheckBox10{this, "CheckBox10"};
  ui::HotKey HotKey10{this, "HotKey10"};
  ui::CheckBox CheckBox11{this, "CheckBox11"};
  ui::HotKey HotKey11{this, "HotKey11"};
  ui::CheckBox CheckBox17{this, "CheckBox17"};
  ui::HotKey HotKey17{this, "HotKey17"};

  ui::CheckBox CheckBox12{this, "CheckBox12"};

  ui::CheckBox PlaySoundCheckBox{this, "PlaySoundCheckBox"};
  ui::CheckBox ShuffleCheckBox{this, "ShuffleCheckBox"};
  ui::ListBox SoundListBox{this, "SoundListBox"};
  ui::Button BitBtn1{this, "BitBtn1"};
  ui::Button MainBitBtn3{this, "MainBitBtn3"};
  ui::Button MainBitBtn1{this, "MainBitBtn1"};
  ui::Button MainBitBtn2{this, "MainBitBtn2"};
  ui::Button BitBtn2{this, "BitBtn2"};
  ui::Panel NamePanel{this, "NamePanel"};
  ui::Button MainNew{this, "MainNew"};
  ui::Button MainAppend{this, "MainAppend"};
  ui::Button MainLoad{this, "MainLoad"};
  ui::Button MainSave{this, "MainSave"};

  ui::Button Button1{this, "Button1"};
  ui::Button Button2{this, "Button2"};
  ui::Button Button3{this, "Button3"};
  ui::Button Button4{this, "Button4"};

 protected:
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  void FormCreate();
  // The model shared with the control panel, or the dialog's own when it
  // was made alone.
  SettingsModel& Model();
  // Reads the dialog's options from settings.ini into the model.
  void LoadOptions();
  // The model's options into the controls (all but the sound list).
  void ShowOptions();
  // The controls' options into the model.
  void TakeOptions();
  // The hotkeys' part of both.
  void ShowHotkeyOptions();
  void TakeHotkeyOptions();
  // The chosen language into ComboBox2, applied.
  void ShowLanguage();
  // The language file of ComboBox2's name, applied when it is not the one
  // in use already.
  void ApplyChosenLanguage();
  // The sound-list file named in the settings, or "Default" when it is gone.
  void ReadLastSoundList();
  // What takes effect at once after reading or applying.
  void ApplyTrayAnimation();
  void ApplyHints();
  void ClearSoundList();
  void AddSound(const std::string& path);
  SettingsTarget* ControlPanel() const;
  std::string ExeFolder() const;  // with a trailing backslash
  std::string SettingsPath() const;

  SettingsModel ownModel_;
  std::array<ATOM, kHotkeyCount> atoms_{};
  std::array<bool, kHotkeyCount> registered_{};
};

}  // namespace wc
