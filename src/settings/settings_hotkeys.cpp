// The five global hotkeys: registered on the settings window, which lives
// from start-up to the end, and dispatched from there.
#include "settings/settings_form.h"
#include "settings/settings_target.h"
#include "ui/application.h"
#include "ui/prompts.h"

namespace wc {

namespace {

const char* const kAtomNames[TSettings::kHotkeyCount] = {"MyHotKey_1", "MyHotKey_2", "MyHotKey_3", "MyHotKey_4",
                                                          "MyHotKey_5"};

UINT ModifiersOf(uint16_t combination) {
  UINT modifiers = 0;
  if (combination & 0x2000) modifiers |= MOD_SHIFT;
  if (combination & 0x4000) modifiers |= MOD_CONTROL;
  if (combination & 0x8000) modifiers |= MOD_ALT;
  return modifiers;
}

}  // namespace

void TSettings::RegisterHotkeys() {
  const ui::CheckBox* boxes[kHotkeyCount] = {&CheckBox8, &CheckBox9, &CheckBox10, &CheckBox11, &CheckBox17};
  const ui::HotKey* fields[kHotkeyCount] = {&HotKey8, &HotKey9, &HotKey10, &HotKey11, &HotKey17};
  for (size_t i = 0; i < kHotkeyCount; ++i) {
    // An unticked hotkey keeps the registration it had until the end.
    if (!boxes[i]->Checked()) continue;
    if (registered_[i]) {
      UnregisterHotKey(Handle(), atoms_[i]);
      GlobalDeleteAtom(atoms_[i]);
      registered_[i] = false;
    }
    const uint16_t combination = fields[i]->Value();
    atoms_[i] = GlobalAddAtomA(kAtomNames[i]);
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
  auto is = [&](size_t i) { return atoms_[i] != 0 && id == atoms_[i]; };
  if (is(0)) panel->ShowControlPanel();
  if (is(1)) panel->NextWallpaper();
  if (is(2)) panel->PreviousWallpaper();
  if (is(3)) panel->ClearWallpaperAndSay();
  if (is(4)) panel->CaptureDesktop();
}

}  // namespace wc
