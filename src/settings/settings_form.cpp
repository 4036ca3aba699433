#include "settings/settings_form.h"

#include <algorithm>

#include "settings/settings_file.h"
#include "settings/settings_target.h"
#include "common/paths.h"
#include "common/random_win32.h"
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/error.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

using ui::lfHidden;

const ui::LayoutItem kLayout[] = {
    {"PageControl1", "", 8, 8, 434, 303},
    {"TabSheet1", "PageControl1", 4, 24, 426, 275, "&General"},
    {"TabSheet2", "PageControl1", 4, 24, 426, 275, "&Hotkeys"},
    {"TabSheet3", "PageControl1", 4, 24, 426, 275, "&Wallpaper List"},
    {"TabSheet5", "PageControl1", 4, 24, 426, 275, "Sound"},
    {"MonitorsTabSheet", "PageControl1", 4, 24, 426, 275, "&Monitors"},

    {"CheckBox1", "TabSheet1", 12, 12, 400, 19, "Show help hints (tooltips)"},
    {"CheckBox2", "TabSheet1", 12, 36, 400, 19, "Run Pellimox Free Wallpaper Changer on Windows startup"},
    {"CheckBox3", "TabSheet1", 12, 60, 400, 19, "Always minimize program to system tray at startup"},
    {"CheckBox4", "TabSheet1", 12, 84, 400, 19, "Animate Pellimox Free Wallpaper Changer's system tray icon"},
    {"CheckBox5", "TabSheet1", 12, 108, 400, 19, "Enable Drag and Drop Files"},
    {"CheckBox7", "TabSheet1", 12, 132, 400, 19, "Use high quality image resampling"},
    // Consulted by nothing: kept and stored, never shown.
    {"CheckBox6", "TabSheet1", 12, 222, 400, 19, "Ask Confirmations", lfHidden | ui::lfDisabled},
    {"Label5", "TabSheet1", 12, 171, 90, 16, "Language:"},
    {"ComboBox2", "TabSheet1", 104, 167, 160, 23},
    {"EachMonitorCheckBox", "TabSheet1", 12, 198, 400, 19, "A different wallpaper on each monitor"},
    {"PreferShapeCheckBox", "TabSheet1", 12, 222, 400, 19, "Prefer pictures shaped like the monitor"},

    // The product's name does not fit beside the key field.
    {"CheckBox8", "TabSheet2", 12, 10, 220, 19, "Open Control Panel"},
    {"HotKey8", "TabSheet2", 240, 8, 170, 23, "", lfHidden},
    {"CheckBox9", "TabSheet2", 12, 37, 220, 19, "Change to Next wallpaper"},
    {"HotKey9", "TabSheet2", 240, 35, 170, 23, "", lfHidden},
    {"CheckBox10", "TabSheet2", 12, 64, 220, 19, "Change to Previous wallpaper"},
    {"HotKey10", "TabSheet2", 240, 62, 170, 23, "", lfHidden},
    {"CheckBox11", "TabSheet2", 12, 91, 220, 19, "Clear wallpaper"},
    {"HotKey11", "TabSheet2", 240, 89, 170, 23, "", lfHidden},
    {"CheckBox17", "TabSheet2", 12, 118, 220, 19, "Capture Screen"},
    {"HotKey17", "TabSheet2", 240, 116, 170, 23, "", lfHidden},
    {"PauseCheckBox", "TabSheet2", 12, 145, 220, 19, "Pause or resume changes"},
    {"PauseHotKey", "TabSheet2", 240, 143, 170, 23, "", lfHidden},
    {"FavouriteCheckBox", "TabSheet2", 12, 172, 220, 19, "Add to favourites"},
    {"FavouriteHotKey", "TabSheet2", 240, 170, 170, 23, "", lfHidden},
    // A long caption: the whole row, its key field under it.
    {"ExcludeCheckBox", "TabSheet2", 12, 199, 220, 19, "Never show again"},
    {"ExcludeHotKey", "TabSheet2", 240, 197, 170, 23, "", lfHidden},
    {"NextOnMonitorCheckBox", "TabSheet2", 12, 226, 400, 19, "Next wallpaper on the monitor under the pointer"},
    {"NextOnMonitorHotKey", "TabSheet2", 240, 246, 170, 23, "", lfHidden},

    {"CheckBox12", "TabSheet3", 12, 16, 400, 19, "Register KRV List files with Pellimox Free Wallpaper Changer"},
    {"DarkPlaylistCheckBox", "TabSheet3", 12, 52, 400, 19, "A playlist for Windows' dark mode:"},
    {"DarkPlaylistEdit", "TabSheet3", 30, 76, 288, 23},
    {"DarkPlaylistBrowseButton", "TabSheet3", 326, 75, 86, 25, "Browse..."},
    {"ExcludedLabel", "TabSheet3", 12, 114, 400, 16, "Files never shown again:"},
    {"ExcludedListBox", "TabSheet3", 12, 134, 266, 128},
    {"ShowAgainButton", "TabSheet3", 286, 133, 126, 25, "Show again"},

    {"MonitorMap", "MonitorsTabSheet", 12, 8, 400, 98},
    {"MonitorLabel", "MonitorsTabSheet", 12, 118, 90, 16, "Monitor:"},
    {"MonitorBox", "MonitorsTabSheet", 104, 114, 308, 23},
    {"PlaylistSourceRadio", "MonitorsTabSheet", 12, 144, 400, 19, "The control panel's playlist"},
    {"OtherPlaylistRadio", "MonitorsTabSheet", 12, 166, 196, 19, "Another playlist"},
    {"FolderSourceRadio", "MonitorsTabSheet", 214, 166, 196, 19, "A folder"},
    {"MonitorPathEdit", "MonitorsTabSheet", 12, 190, 306, 23},
    {"MonitorBrowseButton", "MonitorsTabSheet", 326, 189, 86, 25, "Browse..."},
    {"MonitorStyleLabel", "MonitorsTabSheet", 12, 223, 90, 16, "Style:"},
    {"MonitorStyleBox", "MonitorsTabSheet", 104, 219, 308, 23},

    {"PlaySoundCheckBox", "TabSheet5", 12, 10, 270, 19, "Play sound when wallpaper changes"},
    {"ShuffleCheckBox", "TabSheet5", 290, 10, 120, 19, "Shuffle"},
    {"SoundListBox", "TabSheet5", 12, 36, 360, 140},
    {"BitBtn1", "TabSheet5", 380, 36, 30, 27},
    {"MainBitBtn3", "TabSheet5", 380, 67, 30, 27},
    {"MainBitBtn1", "TabSheet5", 380, 98, 30, 27},
    {"MainBitBtn2", "TabSheet5", 380, 129, 30, 27},
    {"BitBtn2", "TabSheet5", 340, 182, 70, 25, "Play"},
    {"NamePanel", "TabSheet5", 12, 182, 320, 25, "Default"},
    {"MainNew", "TabSheet5", 12, 214, 76, 25, "New"},
    {"MainAppend", "TabSheet5", 94, 214, 76, 25, "Append"},
    {"MainLoad", "TabSheet5", 176, 214, 76, 25, "Load"},
    {"MainSave", "TabSheet5", 258, 214, 76, 25, "Save"},

    {"Button1", "", 8, 319, 150, 25, "Reset to Default"},
    {"Button2", "", 206, 319, 75, 25, "OK"},
    {"Button3", "", 287, 319, 75, 25, "Cancel"},
    {"Button4", "", 367, 319, 75, 25, "Apply"},
};

// What each control runs.
const ui::Binding<TSettings> kBindings[] = {
    {"Button1", ui::Event::Click, &TSettings::ResetButtonClick},
    {"Button2", ui::Event::Click, &TSettings::OkButtonClick},
    {"Button3", ui::Event::Click, &TSettings::CancelButtonClick},
    {"Button4", ui::Event::Click, &TSettings::ApplyButtonClick},
    {"CheckBox5", ui::Event::Click, &TSettings::DragAndDropCheckClick},
    {"ComboBox2", ui::Event::Change, &TSettings::LanguageBoxChange},
    {"CheckBox7", ui::Event::Click, &TSettings::PanelOptionClick},
    {"EachMonitorCheckBox", ui::Event::Click, &TSettings::PanelOptionClick},
    {"PreferShapeCheckBox", ui::Event::Click, &TSettings::PanelOptionClick},
    {"", ui::Event::Show, &TSettings::SettingsShow},
    {"MonitorMap", ui::Event::Change, &TSettings::MonitorMapChange},
    {"MonitorBox", ui::Event::Change, &TSettings::MonitorBoxChange},
    {"PlaylistSourceRadio", ui::Event::Click, &TSettings::MonitorSourceClick},
    {"OtherPlaylistRadio", ui::Event::Click, &TSettings::MonitorSourceClick},
    {"FolderSourceRadio", ui::Event::Click, &TSettings::MonitorSourceClick},
    {"MonitorPathEdit", ui::Event::Change, &TSettings::MonitorPathEditChange},
    {"MonitorBrowseButton", ui::Event::Click, &TSettings::MonitorBrowseButtonClick},
    {"DarkPlaylistBrowseButton", ui::Event::Click, &TSettings::DarkPlaylistBrowseButtonClick},
    {"ShowAgainButton", ui::Event::Click, &TSettings::ShowAgainButtonClick},
    {"MonitorStyleBox", ui::Event::Change, &TSettings::MonitorStyleBoxChange},
    {"BitBtn1", ui::Event::Click, &TSettings::AddSoundsButtonClick},
    {"MainBitBtn3", ui::Event::Click, &TSettings::RemoveSoundButtonClick},
    {"MainBitBtn1", ui::Event::Click, &TSettings::PreviousSoundButtonClick},
    {"MainBitBtn2", ui::Event::Click, &TSettings::NextSoundButtonClick},
    {"BitBtn2", ui::Event::Click, &TSettings::PlaySoundButtonClick},
    {"SoundListBox", ui::Event::DblClick, &TSettings::SoundListBoxDblClick},
    {"MainNew", ui::Event::Click, &TSettings::NewSoundListButtonClick},
    {"MainAppend", ui::Event::Click, &TSettings::AppendSoundListButtonClick},
    {"MainLoad", ui::Event::Click, &TSettings::LoadSoundListButtonClick},
    {"MainSave", ui::Event::Click, &TSettings::SaveSoundListButtonClick},
};

const char* const kLanguages[] = {"Arabic", "English", "French", "Romanian", "Spanish"};

}  // namespace

TSettings::TSettings(ui::Application& app) : Form(app, "Settings") {
  CreateWindowFrom({.caption = "Settings",
                    .clientWidth = 450,
                    .clientHeight = 352,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
  SoundListBox.SetMultiSelect(false);
  ExcludedListBox.SetMultiSelect(true);
  NamePanel.SetBevel(ui::BevelKind::Lowered);
  BuildLayout(kLayout);
  for (ui::TabSheet* page : {&GeneralPage, &HotkeysPage, &PlaylistPage, &SoundPage, &MonitorsPage}) {
    Pages.AddPage(*page);
  }
  Pages.SetActivePageIndex(3);
  LanguageBox.SetItems(std::vector<std::string>(std::begin(kLanguages), std::end(kLanguages)));
  FillMonitorStyleBox();
  AddSoundsButton.SetIcon("IC_LIST_ADD", 16);
  RemoveSoundButton.SetIcon("IC_LIST_REMOVE", 16);
  PreviousSoundButton.SetIcon("IC_LIST_UP", 16);
  NextSoundButton.SetIcon("IC_LIST_DOWN", 16);
  AddSoundsButton.SetHint("Add wave sounds");
  RemoveSoundButton.SetHint("Remove the selected sound");
  PreviousSoundButton.SetHint("Previous sound");
  NextSoundButton.SetHint("Next sound");
  PlaySoundButton.SetHint("Play the selected sound");
  OkButton.SetDefault(true);
  ui::Bind(*this, kBindings);
  BindHotkeyBoxes();
  FormCreate();
}

TSettings::~TSettings() { WithdrawHotkeys(); }

SettingsTarget* TSettings::ControlPanel() const { return SettingsTarget::Find(); }

std::string TSettings::ExeFolder() const {
  // The panel's folder, fixed at its creation, so both keep one settings file.
  if (SettingsTarget* panel = ControlPanel()) return panel->ProgramFolder();
  return ExtractFilePath(App().ExeName());
}

std::string TSettings::SettingsPath() const { return ExeFolder() + "settings.ini"; }

SettingsModel& TSettings::Model() {
  if (SettingsTarget* panel = ControlPanel()) return panel->SharedSettings();
  return ownModel_;
}

void TSettings::FormCreate() {
  RandomizeProgramRandom();
  SoundPaths.clear();
  registered_.fill(false);
  LoadOptions();
  ShowOptions();
  ApplyTrayAnimation();
  ReadLastSoundList();
  RegisterHotkeys();
  ApplyHints();
}

void TSettings::LoadOptions() { Model().Load(SettingsFile(SettingsPath()), uint8_t(SettingsPart::Dialog), ExeFolder()); }

void TSettings::ShowOptions() {
  // Setting a box runs its click handler when its state changes: a stored
  // drag and drop switches it on. The values are copied first, as the
  // handlers write the boxes they own back into the model.
  const SettingsValues v = Model().values;
  ShowHintsCheck.SetChecked(v.showHints);
  RunAtStartupCheck.SetChecked(v.runAtStartup);
  AlwaysMinimizeCheck.SetChecked(v.alwaysMinimize);
  AnimateTrayIconCheck.SetChecked(v.animateTrayIcon);
  DragAndDropCheck.SetChecked(v.dragAndDrop);
  AskConfirmationsCheck.SetChecked(v.askConfirmations);
  HighQualityCheck.SetChecked(v.highQualityResampling);
  EachMonitorCheckBox.SetChecked(v.eachMonitor);
  PreferShapeCheckBox.SetChecked(v.preferShapedPictures);
  ShowLanguage();
  ShowHotkeyOptions();
  RegisterPlaylistFilesCheck.SetChecked(v.registerPlaylistType);
  DarkPlaylistCheck.SetChecked(v.darkPlaylistOn);
  DarkPlaylistEdit.SetText(v.darkPlaylistFile);
  PlaySoundCheckBox.SetChecked(v.playSound);
  ShuffleCheckBox.SetChecked(v.shuffleSounds);
}

void TSettings::TakeOptions() {
  SettingsValues& v = Model().values;
  v.showHints = ShowHintsCheck.Checked();
  v.runAtStartup = RunAtStartupCheck.Checked();
  v.alwaysMinimize = AlwaysMinimizeCheck.Checked();
  v.animateTrayIcon = AnimateTrayIconCheck.Checked();
  v.dragAndDrop = DragAndDropCheck.Checked();
  v.askConfirmations = AskConfirmationsCheck.Checked();
  v.highQualityResampling = HighQualityCheck.Checked();
  v.eachMonitor = EachMonitorCheckBox.Checked();
  v.preferShapedPictures = PreferShapeCheckBox.Checked();
  v.registerPlaylistType = RegisterPlaylistFilesCheck.Checked();
  v.darkPlaylistOn = DarkPlaylistCheck.Checked();
  v.darkPlaylistFile = DarkPlaylistEdit.Text();
  v.language = LanguageBox.Text();
  TakeHotkeyOptions();
  v.playSound = PlaySoundCheckBox.Checked();
  v.shuffleSounds = ShuffleCheckBox.Checked();
  v.soundList = CurrentSoundList;
}

void TSettings::PanelOptionClick(ui::Component&) {
  Model().values.highQualityResampling = HighQualityCheck.Checked();
  Model().values.eachMonitor = EachMonitorCheckBox.Checked();
  Model().values.preferShapedPictures = PreferShapeCheckBox.Checked();
}

void TSettings::ShowLanguage() {
  const std::string name = Model().values.language;
  // A language the list does not name (a file the user added) is kept, so
  // that the next Apply stores it as it was.
  std::vector<std::string> items = LanguageBox.Items();
  if (std::find(items.begin(), items.end(), name) == items.end()) {
    items.push_back(name);
    LanguageBox.SetItems(items);
  }
  LanguageBox.SetText(name);
  ApplyChosenLanguage();
}

void TSettings::ApplyChosenLanguage() {
  // Only a file other than the one in use is applied: the run translates
  // the windows that exist at this moment.
  if (SettingsTarget* panel = ControlPanel()) panel->UseLanguage(LanguageBox.Text());
}

void TSettings::LanguageBoxChange(ui::Component&) { ApplyChosenLanguage(); }

void TSettings::ApplyTrayAnimation() {
  if (SettingsTarget* panel = ControlPanel()) panel->SetTrayIconCycling(AnimateTrayIconCheck.Checked());
}

void TSettings::ApplyHints() {
  if (SettingsTarget* panel = ControlPanel()) panel->SetHintsShown(ShowHintsCheck.Checked());
}

void TSettings::ApplyButtonClick(ui::Component&) {
  SettingsTarget* panel = ControlPanel();
  if (!panel) return;
  TakeOptions();
  // Stored first and together: a start-up entry or file type the account
  // may not write loses none of the options.
  SettingsFile file(SettingsPath());
  Model().Save(file, uint8_t(SettingsPart::Dialog));
  StoreMonitorChoices();
  StoreShowAgain();
  panel->SetRunAtStartup(RunAtStartupCheck.Checked());
  try {
    RegisterPlaylistFileType(App().ExeName(), WriteClassesValue);
  } catch (const ui::Error& e) {
    // A file type the account may not register is said, and the user's
    // other options are applied all the same.
    App().prompts().Message(Handle(), e.what(), Say(texts::kErrorTitle), MB_OK | MB_ICONERROR);
  }
  RegisterHotkeys();
  ApplyHints();
  ApplyTrayAnimation();
  panel->FollowColourMode();
}

void TSettings::OkButtonClick(ui::Component& sender) {
  ApplyButtonClick(sender);
  Close();
}

// The controls keep what the user changed: a later Apply stores it.
void TSettings::CancelButtonClick(ui::Component&) { Close(); }

void TSettings::ResetButtonClick(ui::Component&) {
  LoadOptions();
  ShowOptions();
  // Unapplied choices go; the monitors are read again when the page is
  // next shown.
  for (MonitorChoice& choice : monitorChoices_) choice.changed = false;
  if (Visible()) ReadMonitorChoices(false);
  if (Visible()) ShowExcludedFiles();
}

void TSettings::DragAndDropCheckClick(ui::Component&) {
  if (SettingsTarget* panel = ControlPanel()) panel->SetPlaylistDragDrop(DragAndDropCheck.Checked());
}

LRESULT TSettings::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_HOTKEY) {
    HotkeyPressed(w);
    return 0;
  }
  return Form::WndProc(msg, w, l);
}

}  // namespace wc
