#include "settings/settings_form.h"

#include <algorithm>

#include "settings/always_minimize.h"
#include "settings/settings_target.h"
#include "common/ini_file.h"
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
    {"PageControl1", "", 8, 8, 434, 276},
    {"TabSheet1", "PageControl1", 4, 24, 426, 248, "&General"},
    {"TabSheet2", "PageControl1", 4, 24, 426, 248, "&Hotkeys"},
    {"TabSheet3", "PageControl1", 4, 24, 426, 248, "&Wallpaper List"},
    {"TabSheet5", "PageControl1", 4, 24, 426, 248, "Sound"},

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

    // The product's name does not fit beside the key field.
    {"CheckBox8", "TabSheet2", 12, 16, 220, 19, "Open Control Panel"},
    {"HotKey8", "TabSheet2", 240, 14, 170, 23, "", lfHidden},
    {"CheckBox9", "TabSheet2", 12, 52, 220, 19, "Change to Next wallpaper"},
    {"HotKey9", "TabSheet2", 240, 50, 170, 23, "", lfHidden},
    {"CheckBox10", "TabSheet2", 12, 88, 220, 19, "Change to Previous wallpaper"},
    {"HotKey10", "TabSheet2", 240, 86, 170, 23, "", lfHidden},
    {"CheckBox11", "TabSheet2", 12, 124, 220, 19, "Clear wallpaper"},
    {"HotKey11", "TabSheet2", 240, 122, 170, 23, "", lfHidden},
    {"CheckBox17", "TabSheet2", 12, 160, 220, 19, "Capture Screen"},
    {"HotKey17", "TabSheet2", 240, 158, 170, 23, "", lfHidden},

    {"CheckBox12", "TabSheet3", 12, 16, 400, 19, "Register KRV List files with Pellimox Free Wallpaper Changer"},

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

    {"Button1", "", 8, 292, 150, 25, "Reset to Default"},
    {"Button2", "", 206, 292, 75, 25, "OK"},
    {"Button3", "", 287, 292, 75, 25, "Cancel"},
    {"Button4", "", 367, 292, 75, 25, "Apply"},
};

// What each control runs.
const ui::Binding<TSettings> kBindings[] = {
    {"Button1", ui::Event::Click, &TSettings::Button1Click},
    {"Button2", ui::Event::Click, &TSettings::Button2Click},
    {"Button3", ui::Event::Click, &TSettings::Button3Click},
    {"Button4", ui::Event::Click, &TSettings::Button4Click},
    {"CheckBox5", ui::Event::Click, &TSettings::CheckBox5Click},
    {"ComboBox2", ui::Event::Change, &TSettings::ComboBox2Change},
    {"CheckBox8", ui::Event::Click, &TSettings::CheckBox8Click},
    {"CheckBox9", ui::Event::Click, &TSettings::CheckBox9Click},
    {"CheckBox10", ui::Event::Click, &TSettings::CheckBox10Click},
    {"CheckBox11", ui::Event::Click, &TSettings::CheckBox11Click},
    {"CheckBox17", ui::Event::Click, &TSettings::CheckBox17Click},
    {"BitBtn1", ui::Event::Click, &TSettings::BitBtn1Click},
    {"MainBitBtn3", ui::Event::Click, &TSettings::MainBitBtn3Click},
    {"MainBitBtn1", ui::Event::Click, &TSettings::MainBitBtn1Click},
    {"MainBitBtn2", ui::Event::Click, &TSettings::MainBitBtn2Click},
    {"BitBtn2", ui::Event::Click, &TSettings::BitBtn2Click},
    {"SoundListBox", ui::Event::DblClick, &TSettings::SoundListBoxDblClick},
    {"MainNew", ui::Event::Click, &TSettings::MainNewClick},
    {"MainAppend", ui::Event::Click, &TSettings::MainAppendClick},
    {"MainLoad", ui::Event::Click, &TSettings::MainLoadClick},
    {"MainSave", ui::Event::Click, &TSettings::MainSaveClick},
};

const char* const kLanguages[] = {"Arabic", "English", "French", "Romanian", "Spanish"};

}  // namespace

TSettings::TSettings(ui::Application& app) : Form(app, "Settings") {
  CreateWindowFrom({.caption = "Settings",
                    .clientWidth = 450,
                    .clientHeight = 325,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
  SoundListBox.SetMultiSelect(false);
  NamePanel.SetBevel(ui::BevelKind::Lowered);
  BuildLayout(kLayout);
  for (ui::TabSheet* page : {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet5}) PageControl1.AddPage(*page);
  PageControl1.SetActivePageIndex(3);
  ComboBox2.SetItems(std::vector<std::string>(std::begin(kLanguages), std::end(kLanguages)));
  BitBtn1.SetIcon("IC_LIST_ADD", 16);
  MainBitBtn3.SetIcon("IC_LIST_REMOVE", 16);
  MainBitBtn1.SetIcon("IC_LIST_UP", 16);
  MainBitBtn2.SetIcon("IC_LIST_DOWN", 16);
  BitBtn1.SetHint("Add wave sounds");
  MainBitBtn3.SetHint("Remove the selected sound");
  MainBitBtn1.SetHint("Previous sound");
  MainBitBtn2.SetHint("Next sound");
  BitBtn2.SetHint("Play the selected sound");
  Button2.SetDefault(true);
  ui::Bind(*this, kBindings);
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

void TSettings::FormCreate() {
  RandomizeProgramRandom();
  SoundPaths.clear();
  registered_.fill(false);
  {
    // Opened once: every value comes from the same file.
    const IniFile ini(SettingsPath());
    ReadGeneralOptions(ini);
    ReadLanguage(ini);
    ApplyTrayAnimation();
    ReadHotkeyAndSoundOptions(ini);
    ReadLastSoundList(ini);
  }
  RegisterHotkeys();
  ApplyHints();
}

void TSettings::ReadGeneralOptions(const IniFile& ini) {
  // Setting a box runs its click handler when its state changes: a stored
  // drag and drop switches it on.
  CheckBox1.SetChecked(ini.ReadBool("Show help tips", "Checked", false));
  CheckBox2.SetChecked(ini.ReadBool("Run at startup", "Checked", true));
  CheckBox3.SetChecked(StoredAlwaysMinimize(ini));
  CheckBox4.SetChecked(ini.ReadBool("Animate Wallpaper", "Checked", false));
  CheckBox5.SetChecked(ini.ReadBool("Enable Drag and Drop", "Checked", false));
  CheckBox6.SetChecked(ini.ReadBool("Ask Confirmations", "Checked", false));
  CheckBox7.SetChecked(ini.ReadBool("High Quality Image Resampling", "Checked", false));
  EachMonitorCheckBox.SetChecked(ini.ReadBool(kEachMonitorSection, "Checked", false));
}

void TSettings::ReadLanguage(const IniFile& ini) {
  std::string name = ini.ReadString("language", "value", "English");
  // A language the list does not name (a file the user added) is kept, so
  // that the next Apply stores it as it was.
  std::vector<std::string> items = ComboBox2.Items();
  if (std::find(items.begin(), items.end(), name) == items.end()) {
    items.push_back(name);
    ComboBox2.SetItems(items);
  }
  ComboBox2.SetText(name);
  ApplyChosenLanguage();
}

void TSettings::ApplyChosenLanguage() {
  // Only a file other than the one in use is applied: the run translates
  // the windows that exist at this moment.
  if (SettingsTarget* panel = ControlPanel()) panel->UseLanguage(ComboBox2.Text());
}

void TSettings::ComboBox2Change(ui::Component&) { ApplyChosenLanguage(); }

void TSettings::ReadHotkeyAndSoundOptions(const IniFile& ini) {
  CheckBox8.SetChecked(ini.ReadBool("Checkbox8", "Checked", false));
  CheckBox9.SetChecked(ini.ReadBool("Checkbox9", "Checked", false));
  CheckBox10.SetChecked(ini.ReadBool("Checkbox10", "Checked", false));
  CheckBox11.SetChecked(ini.ReadBool("Checkbox11", "Checked", false));
  CheckBox12.SetChecked(ini.ReadBool("Checkbox12", "Checked", false));
  // A stored number that is no key combination is none, never a cut-down
  // other combination.
  auto combination = [&](const char* section) {
    const int32_t v = ini.ReadInteger(section, "value", 0);
    return uint16_t(v >= 0 && v <= 0xFFFF ? v : 0);
  };
  HotKey8.SetValue(combination("Hotkey8"));
  HotKey9.SetValue(combination("Hotkey9"));
  HotKey10.SetValue(combination("Hotkey10"));
  HotKey11.SetValue(combination("Hotkey11"));
  HotKey17.SetValue(combination("Hotkey17"));
  CheckBox12.SetChecked(ini.ReadBool("Register Extensions", "Checked", false));
  PlaySoundCheckBox.SetChecked(ini.ReadBool("PlaySoundCheckBox", "Checked", false));
  ShuffleCheckBox.SetChecked(ini.ReadBool("ShuffleCheckBox", "Checked", false));
}

void TSettings::ApplyTrayAnimation() {
  if (SettingsTarget* panel = ControlPanel()) panel->SetTrayIconCycling(CheckBox4.Checked());
}

void TSettings::ApplyHints() {
  if (SettingsTarget* panel = ControlPanel()) panel->SetHintsShown(CheckBox1.Checked());
}

void TSettings::Button4Click(ui::Component&) {
  SettingsTarget* panel = ControlPanel();
  if (!panel) return;
  const IniFile ini(SettingsPath());
  ini.WriteBool("Show help tips", "Checked", CheckBox1.Checked());
  ini.WriteBool("Run at startup", "Checked", CheckBox2.Checked());
  panel->SetRunAtStartup(CheckBox2.Checked());
  ini.WriteBool(kAlwaysMinimizeSection, "Checked", CheckBox3.Checked());
  ini.WriteBool("Animate Wallpaper", "Checked", CheckBox4.Checked());
  ini.WriteBool("Enable Drag and Drop", "Checked", CheckBox5.Checked());
  ini.WriteBool("Ask Confirmations", "Checked", CheckBox6.Checked());
  ini.WriteBool("High Quality Image Resampling", "Checked", CheckBox7.Checked());
  ini.WriteBool(kEachMonitorSection, "Checked", EachMonitorCheckBox.Checked());
  ini.WriteBool("Register Extensions", "Checked", CheckBox12.Checked());
  try {
    RegisterPlaylistFileType(App().ExeName(), WriteClassesValue);
  } catch (const ui::Error& e) {
    // A file type the account may not register is said, and the user's
    // other options are stored all the same.
    App().prompts().Message(Handle(), e.what(), Say(texts::kErrorTitle), MB_OK | MB_ICONERROR);
  }
  ini.WriteString("language", "value", ComboBox2.Text());
  ini.WriteBool("Checkbox8", "Checked", CheckBox8.Checked());
  ini.WriteBool("Checkbox9", "Checked", CheckBox9.Checked());
  ini.WriteBool("Checkbox10", "Checked", CheckBox10.Checked());
  ini.WriteBool("Checkbox11", "Checked", CheckBox11.Checked());
  ini.WriteBool("Checkbox12", "Checked", CheckBox12.Checked());
  ini.WriteInteger("Hotkey8", "value", HotKey8.Value());
  ini.WriteInteger("Hotkey9", "value", HotKey9.Value());
  ini.WriteInteger("Hotkey10", "value", HotKey10.Value());
  ini.WriteInteger("Hotkey11", "value", HotKey11.Value());
  ini.WriteInteger("Hotkey17", "value", HotKey17.Value());
  ini.WriteBool("PlaySoundCheckBox", "Checked", PlaySoundCheckBox.Checked());
  ini.WriteBool("ShuffleCheckBox", "Checked", ShuffleCheckBox.Checked());
  ini.WriteString("Last Sound Playlist", "value", CurrentSoundList);
  RegisterHotkeys();
  ApplyHints();
  ApplyTrayAnimation();
}

void TSettings::Button2Click(ui::Component& sender) {
  Button4Click(sender);
  Close();
}

// The controls keep what the user changed: a later Apply stores it.
void TSettings::Button3Click(ui::Component&) { Close(); }

void TSettings::Button1Click(ui::Component&) {
  const IniFile ini(SettingsPath());
  ReadGeneralOptions(ini);
  ReadLanguage(ini);
  ReadHotkeyAndSoundOptions(ini);
}

void TSettings::CheckBox5Click(ui::Component&) {
  if (SettingsTarget* panel = ControlPanel()) panel->SetPlaylistDragDrop(CheckBox5.Checked());
}

void TSettings::ShowHotkeyField(ui::CheckBox& box, ui::HotKey& field) { field.SetVisible(box.Checked()); }
void TSettings::CheckBox8Click(ui::Component&) { ShowHotkeyField(CheckBox8, HotKey8); }
void TSettings::CheckBox9Click(ui::Component&) { ShowHotkeyField(CheckBox9, HotKey9); }
void TSettings::CheckBox10Click(ui::Component&) { ShowHotkeyField(CheckBox10, HotKey10); }
void TSettings::CheckBox11Click(ui::Component&) { ShowHotkeyField(CheckBox11, HotKey11); }
void TSettings::CheckBox17Click(ui::Component&) { ShowHotkeyField(CheckBox17, HotKey17); }

LRESULT TSettings::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_HOTKEY) {
    HotkeyPressed(w);
    return 0;
  }
  return Form::WndProc(msg, w, l);
}

}  // namespace wc
