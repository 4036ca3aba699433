// The desktop after a display change: the pictures the program made to the
// monitors' sizes are made again for the monitors as they are now.
#include <windows.h>
#include <wtsapi32.h>

#include "app/panel/main_form.h"
#include "playlist/playlist_file.h"
#include "ui/application.h"
#include "ui/monitors.h"

namespace wc {

void TMainForm::WatchDisplayChanges() {
  // The display messages come to every top-level window, the program's
  // hidden one included; an unlocked session only to windows that asked.
  HWND window = App().UtilityWindow();
  if (window) WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
  displayHook_ = App().HookMainWindow([this](UINT msg, WPARAM w, LPARAM, LRESULT&) {
    const bool changed = msg == WM_DISPLAYCHANGE ||
                         (msg == WM_POWERBROADCAST && (w == PBT_APMRESUMEAUTOMATIC || w == PBT_APMRESUMESUSPEND)) ||
                         (msg == WM_WTSSESSION_CHANGE && w == WTS_SESSION_UNLOCK);
    if (changed) DisplayChanged();
    return false;
  });
}

void TMainForm::StopWatchingDisplayChanges() {
  App().UnhookMainWindow(displayHook_);
  if (HWND window = App().UtilityWindow()) WTSUnRegisterSessionNotification(window);
}

void TMainForm::DisplayChanged() {
  if (Shown.paths.empty()) return;
  // Started again: the re-layout comes once the burst is over.
  RelayoutTimer.SetEnabled(false);
  RelayoutTimer.SetEnabled(true);
}

void TMainForm::RelayoutTimerTick(ui::Component&) {
  RelayoutTimer.SetEnabled(false);
  RelayOutWallpaper();
}

std::vector<TMainForm::LaidOutMonitor> TMainForm::CurrentLayout() { return LayoutOf(ui::MonitorsLeftToRight()); }

void TMainForm::RelayOutWallpaper() {
  const ShownWallpaper shown = Shown;
  if (shown.paths.empty() || shown.styles.size() != shown.paths.size()) return;
  // The pictures the system shows were made for these very monitors:
  // nothing is read or made again.
  if (shown.layout == CurrentLayout()) return;
  for (const std::string& path : shown.paths) {
    if (!FileExists(path)) return;
  }
  if (shown.paths.size() == 1) {
    if (!FitOnEachMonitor(shown.paths[0], shown.styles[0], nullptr)) {
      WPChanger1.ChangeWallpaper(shown.paths[0], shown.styles[0]);
      Shown.layout = CurrentLayout();
    }
    return;
  }
  RelayOutEachMonitor(shown);
}

}  // namespace wc
