// Pausing the changes: the tray menu's "Pause changes" holds the current
// wallpaper for as long as the user likes, across restarts, without
// touching "Use timer" or its interval.
#include "app/panel/main_form.h"
#include "lang/program_texts.h"
#include "settings/settings_file.h"

namespace wc {

void TMainForm::PauseChangesItemClick(ui::Component&) { TogglePause(); }

void TMainForm::TogglePause() { SetPaused(!Paused()); }

void TMainForm::SetPaused(bool on) {
  PauseChangesItem.SetChecked(on);
  RestartRotationTimer();
  ShowTrayTip();
  StoredSettings.values.pauseChanges = on;
  SettingsFile file(SettingsPath());
  StoredSettings.Save(file, uint8_t(SettingsPart::PanelMenu));
}

void TMainForm::RestartRotationTimer() {
  // Stopped first: a timer enabled again counts its interval from now.
  RotationTimer.SetEnabled(false);
  if (!UseTimerCheck.Checked() || Paused()) return;
  UpdateTimerInterval();
  RotationTimer.SetEnabled(true);
}

void TMainForm::ShowTrayTip() {
  Tray.SetHint(Paused() ? Say(texts::kChangesPaused, {App().Title}) : App().Title);
}

}  // namespace wc
