// The next picture on one monitor: from the tray menu's "Next wallpaper on",
// or by the hotkey for the monitor under the pointer. The other monitors
// keep what they show.
#include <windows.h>

#include <algorithm>

#include "app/panel/main_form.h"
#include "common/random.h"
#include "ui/monitors.h"
#include "wallpaper/monitor_assignment.h"
#include "wallpaper/picture_shape.h"
#include "wallpaper/wallpaper_style.h"

namespace wc {

void TMainForm::TrayMenuPopup(ui::Component&) {
  ShowRecentItems();
  const std::vector<ui::Monitor> monitors = ui::MonitorsLeftToRight();
  // One monitor: the plain "Next Wallpaper" says it all.
  NextOnMonitorMenu.SetVisible(monitors.size() > 1);
  for (size_t k = 0; k < NextOnMonitorItems.size(); ++k) {
    ui::MenuItem& item = *NextOnMonitorItems[k];
    item.SetVisible(k < monitors.size());
    if (k >= monitors.size()) continue;
    const RECT& a = monitors[k].area;
    item.SetCaption(std::to_string(k + 1) + ": " + std::to_string(a.right - a.left) + " \xC3\x97 " +
                    std::to_string(a.bottom - a.top));
  }
}

std::optional<size_t> TMainForm::MonitorUnderPointer(const std::vector<ui::Monitor>& monitors) {
  POINT at{};
  if (!GetCursorPos(&at)) return std::nullopt;
  for (size_t k = 0; k < monitors.size(); ++k) {
    if (PtInRect(&monitors[k].area, at)) return k;
  }
  return std::nullopt;
}

void TMainForm::NextWallpaperUnderPointer() {
  if (const std::optional<size_t> monitor = MonitorUnderPointer(ui::MonitorsLeftToRight())) {
    NextWallpaperOnMonitor(*monitor);
  }
}

TMainForm::MonitorPictures TMainForm::PicturesOnMonitors(const std::vector<ui::Monitor>& monitors) const {
  const WallpaperStyle panelStyle = ChosenStyle().value_or(WallpaperStyle::Center);
  MonitorPictures now{{}, std::vector<WallpaperStyle>(monitors.size(), panelStyle)};
  if (!Shown.paths.empty() && Shown.styles.size() == Shown.paths.size()) {
    const std::vector<size_t> shown = ShownForMonitors(Shown.paths.size(), Shown.monitors, DevicePathsOf(monitors));
    for (size_t k = 0; k < shown.size(); ++k) {
      now.paths.push_back(Shown.paths[shown[k]]);
      now.styles[k] = Shown.styles[shown[k]];
    }
  } else if (std::optional<std::string> current = MonitorPictureOfRow(CurrentIndex)) {
    now.paths.assign(monitors.size(), *current);
  }
  return now;
}

void TMainForm::NextWallpaperOnMonitor(size_t monitor) {
  const std::vector<ui::Monitor> monitors = ui::MonitorsLeftToRight();
  const int rows = MainListBox.Count();
  if (!Playlist || rows == 0 || monitor >= monitors.size()) return;

  // One picture over every monitor cannot change on one of them: each
  // fills its own instead.
  MonitorPictures now = PicturesOnMonitors(monitors);
  std::vector<std::string>& showing = now.paths;
  std::vector<WallpaperStyle>& styles = now.styles;
  for (WallpaperStyle& style : styles) {
    if (RowOf(style).spansMonitors) style = WallpaperStyle::Fill;
  }
  const MonitorSource source = SourceOfMonitor(monitors[monitor]);
  if (DifferentWallpaperPerMonitor()) styles[monitor] = StyleOfMonitor(source, styles[monitor]);
  // A monitor with a source of its own takes that source's next picture;
  // the rotation of the playlist does not move.
  if (DifferentWallpaperPerMonitor() && source.kind != MonitorSourceKind::Playlist) {
    std::vector<std::string> others = showing;
    if (monitor < others.size()) others[monitor].clear();
    if (std::optional<std::string> own = NextOfOwnSource(monitors[monitor], others)) {
      if (showing.size() != monitors.size()) showing.assign(monitors.size(), *own);
      showing[monitor] = *own;
      ShowFilesOnMonitors(monitors, showing, styles);
      NowShowing(showing);
      EndChange();
      return;
    }
  }
  const auto shownElsewhere = [&](const std::string& path) {
    for (size_t k = 0; k < showing.size(); ++k) {
      if (k != monitor && showing[k] == path) return true;
    }
    return false;
  };

  // The next picture after the current row (under shuffle, drawn at
  // random), passing over pages, movies, missing files and what another
  // monitor shows; with the option, the next of the monitor's shape first.
  // When only those are left, the next picture at all.
  const bool byShape = DialogOptions().preferShapedPictures;
  const RECT& area = monitors[monitor].area;
  const Shape wanted = ShapeOf(area.right - area.left, area.bottom - area.top);
  // Under shuffle the look starts at a row drawn at random and goes round
  // from there, so every row is looked at once.
  std::optional<int> chosen, otherShape, fallback;
  const int64_t from = ShuffleCheck.Checked() ? int64_t(ProgramRandom().Next(uint32_t(rows))) : std::max(CurrentIndex, -1);
  for (int step = 1; step <= rows && !chosen; ++step) {
    const int row = int((from + step) % rows);
    const std::optional<std::string> path = RotationPictureOfRow(row);
    if (!path) continue;
    if (shownElsewhere(*path)) {
      if (!fallback) fallback = row;
    } else if (byShape && ShapeOfPictureFile(*path) != wanted) {
      if (!otherShape) otherShape = row;
    } else {
      chosen = row;
    }
  }
  if (!chosen) chosen = otherShape;
  if (!chosen) chosen = fallback;
  if (!chosen) return;

  const std::string next = *MonitorPictureOfRow(*chosen);
  if (showing.size() != monitors.size()) showing.assign(monitors.size(), next);
  showing[monitor] = next;
  ShowFilesOnMonitors(monitors, showing, styles);
  NowShowing(showing);
  CurrentIndex = *chosen;
  MainListBox.SetItemIndex(CurrentIndex);
  EndChange();
}

}  // namespace wc
