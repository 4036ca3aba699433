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
#include "settings/monitor_map.h"
#include "settings/monitor_sources.h"
#include "settings/settings_model.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/hot_key.h"
#include "ui/monitors.h"
#include "ui/page_control.h"

namespace wc {

class SettingsTarget;

class TSettings : public ui::Form, public ChangeSound {
 public:
  explicit TSettings(ui::Application& app);
  ~TSettings() override;

  // ---- the buttons
  void ResetButtonClick(ui::Component& sender);  // "Reset to Default"
  void OkButtonClick(ui::Component& sender);  // "OK"
  void CancelButtonClick(ui::Component& sender);  // "Cancel"
  void ApplyButtonClick(ui::Component& sender);  // "Apply"
  void DragAndDropCheckClick(ui::Component& sender);
  void LanguageBoxChange(ui::Component& sender);
  // The two options the control panel consults at every change of
  // wallpaper: they count from the moment they are ticked.
  void PanelOptionClick(ui::Component& sender);

  // ---- the sound list (settings_sounds.cpp)
  void AddSoundsButtonClick(ui::Component& sender);      // add wave files
  void RemoveSoundButtonClick(ui::Component& sender);  // remove the selected entry
  void PreviousSoundButtonClick(ui::Component& sender);  // select the previous entry
  void NextSoundButtonClick(ui::Component& sender);  // select the next entry
  void PlaySoundButtonClick(ui::Component& sender);      // play
  void SoundListBoxDblClick(ui::Component& sender);
  void NewSoundListButtonClick(ui::Component& sender);
  void AppendSoundListButtonClick(ui::Component& sender);
  void LoadSoundListButtonClick(ui::Component& sender);
  void SaveSoundListButtonClick(ui::Component& sender);
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
  static constexpr int kHotkeyCount = 9;
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

  // ---- the monitors page (settings_monitors.cpp): each monitor's own
  // source and style, used with "A different wallpaper on each monitor".
  // What the user chose stays in the page until Apply stores it.
  void SettingsShow(ui::Component& sender);
  void MonitorMapChange(ui::Component& sender);
  void MonitorBoxChange(ui::Component& sender);
  void MonitorSourceClick(ui::Component& sender);  // each of the three radio buttons
  void MonitorPathEditChange(ui::Component& sender);
  void MonitorBrowseButtonClick(ui::Component& sender);
  void MonitorStyleBoxChange(ui::Component& sender);
  // ---- the files never shown again (settings_excluded.cpp): "Show
  // again" takes the chosen ones off the page's list, and Apply gives them
  // back to the rotation.
  void ShowExcludedFiles();
  void ShowAgainButtonClick(ui::Component& sender);
  void StoreShowAgain();
  // The dark mode's playlist file, chosen in the open dialog.
  void DarkPlaylistBrowseButtonClick(ui::Component& sender);
  // The monitors now there with what the settings file keeps for each;
  // choices not applied yet are kept for the monitors still there.
  void ReadMonitorChoices(bool keepUnapplied);
  // Stores every monitor the user changed.
  void StoreMonitorChoices();
  struct MonitorChoice {
    ui::Monitor monitor;
    MonitorSource source;
    bool changed = false;
  };
  const std::vector<MonitorChoice>& MonitorChoices() const { return monitorChoices_; }

  // How the registry takes the file type's values; tests put a refusing
  // one in its place.
  DefaultValueWriter WriteClassesValue = WriteDefaultRegistryValue;

  // ---- controls, in layout order
  ui::PageControl Pages{this, "PageControl1"};
  ui::TabSheet GeneralPage{this, "TabSheet1"};
  ui::TabSheet HotkeysPage{this, "TabSheet2"};
  ui::TabSheet PlaylistPage{this, "TabSheet3"};
  ui::TabSheet SoundPage{this, "TabSheet5"};

  ui::CheckBox ShowHintsCheck{this, "CheckBox1"};
  ui::CheckBox RunAtStartupCheck{this, "CheckBox2"};
  ui::CheckBox AlwaysMinimizeCheck{this, "CheckBox3"};
  ui::CheckBox AnimateTrayIconCheck{this, "CheckBox4"};
  ui::CheckBox DragAndDropCheck{this, "CheckBox5"};
  ui::CheckBox HighQualityCheck{this, "CheckBox7"};
  // Off unless the user chooses it: every monitor then shows an entry of its
  // own.
  ui::CheckBox EachMonitorCheckBox{this, "EachMonitorCheckBox"};
  ui::CheckBox PreferShapeCheckBox{this, "PreferShapeCheckBox"};
  ui::CheckBox AskConfirmationsCheck{this, "CheckBox6"};
  ui::Label LanguageLabel{this, "Label5"};
  ui::ComboBox LanguageBox{this, "ComboBox2"};

  ui::CheckBox OpenPanelHotkeyCheck{this, "CheckBox8"};
  ui::HotKey OpenPanelHotkey{this, "HotKey8"};
  ui::CheckBox NextHotkeyCheck{this, "CheckBox9"};
  ui::HotKey NextHotkey{this, "HotKey9"};
  ui::CheckBox PreviousHotkeyCheck{this, "CheckBox10"};
  ui::HotKey PreviousHotkey{this, "HotKey10"};
  ui::CheckBox ClearHotkeyCheck{this, "CheckBox11"};
  ui::HotKey ClearHotkey{this, "HotKey11"};
  ui::CheckBox CaptureHotkeyCheck{this, "CheckBox17"};
  ui::HotKey CaptureHotkey{this, "HotKey17"};
  ui::CheckBox NextOnMonitorHotkeyCheck{this, "NextOnMonitorCheckBox"};
  ui::HotKey NextOnMonitorHotkey{this, "NextOnMonitorHotKey"};
  ui::CheckBox PauseHotkeyCheck{this, "PauseCheckBox"};
  ui::HotKey PauseHotkey{this, "PauseHotKey"};
  ui::CheckBox FavouriteHotkeyCheck{this, "FavouriteCheckBox"};
  ui::HotKey FavouriteHotkey{this, "FavouriteHotKey"};
  ui::CheckBox ExcludeHotkeyCheck{this, "ExcludeCheckBox"};
  ui::HotKey ExcludeHotkey{this, "ExcludeHotKey"};

  ui::CheckBox RegisterPlaylistFilesCheck{this, "CheckBox12"};
  ui::CheckBox DarkPlaylistCheck{this, "DarkPlaylistCheckBox"};
  ui::Edit DarkPlaylistEdit{this, "DarkPlaylistEdit"};
  ui::Button DarkPlaylistBrowseButton{this, "DarkPlaylistBrowseButton"};
  ui::Label ExcludedLabel{this, "ExcludedLabel"};
  ui::ListBox ExcludedListBox{this, "ExcludedListBox"};
  ui::Button ShowAgainButton{this, "ShowAgainButton"};

  ui::TabSheet MonitorsPage{this, "MonitorsTabSheet"};
  MonitorMap MonitorsDrawing{this, "MonitorMap"};
  ui::Label MonitorLabel{this, "MonitorLabel"};
  ui::ComboBox MonitorBox{this, "MonitorBox"};
  ui::RadioButton PlaylistSourceRadio{this, "PlaylistSourceRadio"};
  ui::RadioButton OtherPlaylistRadio{this, "OtherPlaylistRadio"};
  ui::RadioButton FolderSourceRadio{this, "FolderSourceRadio"};
  ui::Edit MonitorPathEdit{this, "MonitorPathEdit"};
  ui::Button MonitorBrowseButton{this, "MonitorBrowseButton"};
  ui::Label MonitorStyleLabel{this, "MonitorStyleLabel"};
  ui::ComboBox MonitorStyleBox{this, "MonitorStyleBox"};

  ui::CheckBox PlaySoundCheckBox{this, "PlaySoundCheckBox"};
  ui::CheckBox ShuffleCheckBox{this, "ShuffleCheckBox"};
  ui::ListBox SoundListBox{this, "SoundListBox"};
  ui::Button AddSoundsButton{this, "BitBtn1"};
  ui::Button RemoveSoundButton{this, "MainBitBtn3"};
  ui::Button PreviousSoundButton{this, "MainBitBtn1"};
  ui::Button NextSoundButton{this, "MainBitBtn2"};
  ui::Button PlaySoundButton{this, "BitBtn2"};
  ui::Panel NamePanel{this, "NamePanel"};
  ui::Button NewSoundListButton{this, "MainNew"};
  ui::Button AppendSoundListButton{this, "MainAppend"};
  ui::Button LoadSoundListButton{this, "MainLoad"};
  ui::Button SaveSoundListButton{this, "MainSave"};

  ui::Button ResetButton{this, "Button1"};
  ui::Button OkButton{this, "Button2"};
  ui::Button CancelButton{this, "Button3"};
  ui::Button ApplyButton{this, "Button4"};

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
  // The chosen language into LanguageBox, applied.
  void ShowLanguage();
  // The language file of LanguageBox's name, applied when it is not the one
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

  // A playlist file chosen in the open dialog, into the field.
  void PickPlaylistInto(ui::Edit& field);
  // The style box's items before translation.
  void FillMonitorStyleBox();
  // The monitors into the drawing and the list, `chosenPath`'s chosen.
  void ShowMonitorList(const std::string& chosenPath);
  // The monitors' captions again, in the language now in use.
  void ShowMonitorCaptions();
  // The chosen monitor's source into the page's controls, and back.
  void ShowMonitorChoice();
  void TakeMonitorChoice();
  // The monitor's caption: "1: 1920 × 1080, landscape".
  static std::string MonitorCaption(size_t index, const RECT& area, const char* between);

  SettingsModel ownModel_;
  std::vector<MonitorChoice> monitorChoices_;
  // The page's list of files never shown again, row for row, and those
  // taken off it since the last Apply.
  std::vector<std::string> excludedShown_;
  std::vector<std::string> showAgain_;
  bool showingMonitor_ = false;  // the controls are being filled: their events change nothing
  std::array<ATOM, kHotkeyCount> atoms_{};
  std::array<bool, kHotkeyCount> registered_{};
};

}  // namespace wc
