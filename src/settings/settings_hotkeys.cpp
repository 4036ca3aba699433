// The global hotkeys: registered on the settings window, which lives
// from start-up to the end, and dispatched from there.
#include <iterator>

#include "settings/settings_form.h"
#include "settings/settings_target.h"
#include "ui/application.h"
#include "ui/prompts.h"

namespace wc {

namespace {

// One row per hotkey: its box and key field, what it runs, where the
// settings keep it and the name its registration goes by.
struct HotkeyRow {
  ui::CheckBox TSettings::*box;
  ui::HotKey TSettings::*field;
  void (SettingsTarget::*command)();
  bool SettingsValues::*on;  // nullptr: the box is not stored and starts unticked
  int32_t SettingsValues::*combination;
  const char* atomName;
};

const HotkeyRow kHotkeys[] = {
    {&TSettings::OpenPanelHotkeyCheck, &TSettings::OpenPanelHotkey, &SettingsTarget::ShowControlPanel,
     &SettingsValues::openPanelHotkeyOn, &SettingsValues::openPanelHotkey, "MyHotKey_1"},
    {&TSettings::NextHotkeyCheck, &TSettings::NextHotkey, &SettingsTarget::NextWallpaper, &SettingsValues::nextHotkeyOn,
     &SettingsValues::nextHotkey, "MyHotKey_2"},
    {&TSettings::PreviousHotkeyCheck, &TSettings::PreviousHotkey, &SettingsTarget::PreviousWallpaper,
     &SettingsValues::previousHotkeyOn, &SettingsValues::previousHotkey, "MyHotKey_3"},
    {&TSettings::ClearHotkeyCheck, &TSettings::ClearHotkey, &SettingsTarget::ClearWallpaperAndSay,
     &SettingsValues::clearHotkeyOn, &SettingsValues::clearHotkey, "MyHotKey_4"},
    {&TSettings::CaptureHotkeyCheck, &TSettings::CaptureHotkey, &SettingsTarget::CaptureDesktop, nullptr,
     &SettingsValues::captureHotkey, "MyHotKey_5"},
    {&TSettings::NextOnMonitorHotkeyCheck, &TSettings::NextOnMonitorHotkey, &SettingsTarget::NextWallpaperUnderPointer,
     &SettingsValues::nextOnMonitorHotkeyOn, &SettingsValues::nextOnMonitorHotkey, "MyHotKey_6"},
    {&TSettings::PauseHotkeyCheck, &TSettings::PauseHotkey, &SettingsTarget::TogglePause, &SettingsValues::pauseHotkeyOn,
     &SettingsValues::pauseHotkey, "MyHotKey_7"},
    {&TSettings::FavouriteHotkeyCheck, &TSettings::FavouriteHotkey, &SettingsTarget::AddToFavourites,
     &SettingsValues::favouriteHotkeyOn, &SettingsValues::favouriteHotkey, "MyHotKey_8"},
    {&TSettings::ExcludeHotkeyCheck, &TSettings::ExcludeHotkey, &SettingsTarget::NeverShowAgain,
     &SettingsValues::excludeHotkeyOn, &SettingsValues::excludeHotkey, "MyHotKey_9"},
};
static_assert(std::size(kHotkeys) == TSettings::kHotkeyCount);

UINT ModifiersOf(uint16_t combination) {
  UINT modifiers = 0;
  if (combination & 0x2000) modifiers |= MOD_SHIFT;
  if (combination & 0x4000) modifiers |= MOD_CONTROL;
  if (combination & 0x8000) modifiers |= MOD_ALT;
  return modifiers;
}

// A stored number that is no key combination is none, never a cut-down
// other combination.
uint16_t CombinationOf(int32_t stored) { return uint16_t(stored >= 0 && stored <= 0xFFFF ? stored : 0); }

}  // namespace

void TSettings::BindHotkeyBoxes() {
  for (const HotkeyRow& row : kHotkeys) (this->*row.box).OnClick = [this](ui::Component&) { ShowHotkeyFields(); };
}

void TSettings::ShowHotkeyOptions() {
  for (const HotkeyRow& row : kHotkeys) {
    if (row.on) (this->*row.box).SetChecked(Model().values.*row.on);
    (this->*row.field).SetValue(CombinationOf(Model().values.*row.combination));
  }
}

void TSettings::TakeHotkeyOptions() {
  for (const HotkeyRow& row : kHotkeys) {
    if (row.on) Model().values.*row.on = (this->*row.box).Checked();
    Model().values.*row.combination = (this->*row.field).Value();
  }
}

void TSettings::ShowHotkeyFields() {
  for (const HotkeyRow& row : kHotkeys) (this->*row.field).SetVisible((this->*row.box).Checked());
}

void TSettings::RegisterHotkeys() {
  for (size_t i = 0; i < kHotkeyCount; ++i) {
    const HotkeyRow& row = kHotkeys[i];
    // An unticked hotkey keeps the registration it had until the end.
    if (!(this->*row.box).Checked()) continue;
    if (registered_[i]) {
      UnregisterHotKey(Handle(), atoms_[i]);
      GlobalDeleteAtom(atoms_[i]);
      registered_[i] = false;
    }
    const uint16_t combination = (this->*row.field).Value();
    atoms_[i] = GlobalAddAtomA(row.atomName);
    // A combination another program holds simply never arrives; nothing is said.
    RegisterHotKey(Handle(), atoms_[i], ModifiersOf(combination), combination & 0x1FFF);
    registered_[i] = true;
  }
}

void TSettings::WithdrawHotkeys() {
  for (size_t i = 0; i < kHotkeyCount; ++i) {
    if (!registered_[i]) continue;
    UnregisterHotKey(Handle(), atoms_[i]);
    GlobalDeleteAtom(atoms_[i]);
    registered_[i] = false;
  }
}

void TSettings::HotkeyPressed(WPARAM id) {
  SettingsTarget* panel = ControlPanel();
  if (!panel) return;
  // Every hotkey whose atom matches runs, in order; one never registered
  // has no atom and matches nothing.
  for (size_t i = 0; i < kHotkeyCount; ++i) {
    if (atoms_[i] != 0 && id == atoms_[i]) (panel->*kHotkeys[i].command)();
  }
}

}  // namespace wc
