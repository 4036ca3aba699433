// The settings' "Monitors" page: for "A different wallpaper on each
// monitor", each monitor's own source (the control panel's playlist,
// another playlist or a folder) and its own style, kept in settings.ini
// under the monitor's device path.
#include <algorithm>

#include "common/ini_file.h"
#include "common/paths.h"
#include "lang/program_texts.h"
#include "settings/settings_form.h"
#include "ui/application.h"
#include "ui/prompts.h"
#include "wallpaper/wallpaper_style.h"

namespace wc {

namespace {

// The style box: "As in the control panel" first, then every style a
// single monitor can take (Span covers them all: it has no place here).
std::vector<WallpaperStyle> MonitorStyles() {
  std::vector<WallpaperStyle> styles;
  for (const WallpaperStyleRow& row : WallpaperStyles()) {
    if (!row.spansMonitors) styles.push_back(row.style);
  }
  return styles;
}

int StyleBoxIndex(int styleIndex) {
  const std::optional<WallpaperStyle> style = StyleOfComboIndex(styleIndex);
  if (!style) return 0;
  const std::vector<WallpaperStyle> styles = MonitorStyles();
  const auto found = std::find(styles.begin(), styles.end(), *style);
  return found == styles.end() ? 0 : int(found - styles.begin()) + 1;
}

int StyleIndexOfBox(int boxIndex) {
  const std::vector<WallpaperStyle> styles = MonitorStyles();
  if (boxIndex < 1 || size_t(boxIndex) > styles.size()) return -1;
  return RowOf(styles[size_t(boxIndex) - 1]).comboIndex;
}

}  // namespace

std::string TSettings::MonitorCaption(size_t index, const RECT& area, const char* between) {
  const LONG width = area.right - area.left, height = area.bottom - area.top;
  return std::to_string(index + 1) + ": " + std::to_string(width) + " \xC3\x97 " + std::to_string(height) + between +
         Say(height > width ? texts::kPortrait : texts::kLandscape);
}

void TSettings::FillMonitorStyleBox() {
  std::vector<std::string> items{"As in the control panel"};
  for (WallpaperStyle style : MonitorStyles()) items.push_back(RowOf(style).caption);
  MonitorStyleBox.SetItems(items);
}

void TSettings::SettingsShow(ui::Component&) {
  ReadMonitorChoices(true);
  ShowExcludedFiles();
}

void TSettings::ShowMonitorCaptions() {
  const int chosen = MonitorsDrawing.Chosen();
  ShowMonitorList(chosen >= 0 && size_t(chosen) < monitorChoices_.size()
                      ? monitorChoices_[size_t(chosen)].monitor.devicePath
                      : std::string());
}

void TSettings::ReadMonitorChoices(bool keepUnapplied) {
  const std::string chosenPath = MonitorsDrawing.Chosen() >= 0 && size_t(MonitorsDrawing.Chosen()) < monitorChoices_.size()
                                     ? monitorChoices_[size_t(MonitorsDrawing.Chosen())].monitor.devicePath
                                     : std::string();
  const IniFile ini(SettingsPath());
  std::vector<MonitorChoice> choices;
  for (const ui::Monitor& m : ui::MonitorsLeftToRight()) {
    MonitorChoice choice{m, {}, false};
    const auto before = std::find_if(monitorChoices_.begin(), monitorChoices_.end(), [&](const MonitorChoice& c) {
      return !m.devicePath.empty() && c.monitor.devicePath == m.devicePath;
    });
    if (keepUnapplied && before != monitorChoices_.end() && before->changed) {
      choice.source = before->source;
      choice.changed = true;
    } else if (!m.devicePath.empty()) {
      choice.source = ReadMonitorSource(ini, m.devicePath, int(WallpaperStyles().size()));
    }
    choices.push_back(std::move(choice));
  }
  monitorChoices_ = std::move(choices);
  ShowMonitorList(chosenPath);
}

void TSettings::ShowMonitorList(const std::string& chosenPath) {
  std::vector<MonitorMap::Box> boxes;
  std::vector<std::string> captions;
  int chosen = monitorChoices_.empty() ? -1 : 0;
  for (size_t k = 0; k < monitorChoices_.size(); ++k) {
    const ui::Monitor& m = monitorChoices_[k].monitor;
    boxes.push_back({m.area, MonitorCaption(k, m.area, "\n")});
    captions.push_back(MonitorCaption(k, m.area, ", "));
    if (!chosenPath.empty() && m.devicePath == chosenPath) chosen = int(k);
  }
  showingMonitor_ = true;
  MonitorsDrawing.SetMonitors(std::move(boxes));
  MonitorBox.SetItems(captions);
  showingMonitor_ = false;
  MonitorsDrawing.SetChosen(chosen);
  ShowMonitorChoice();
}

void TSettings::ShowMonitorChoice() {
  const int chosen = MonitorsDrawing.Chosen();
  const bool any = chosen >= 0 && size_t(chosen) < monitorChoices_.size();
  // A monitor the system names no device path for cannot be found again:
  // it shows the playlist.
  const bool named = any && !monitorChoices_[size_t(chosen)].monitor.devicePath.empty();
  const MonitorSource source = any ? monitorChoices_[size_t(chosen)].source : MonitorSource{};
  showingMonitor_ = true;
  MonitorBox.SetItemIndex(chosen);
  PlaylistSourceRadio.SetChecked(source.kind == MonitorSourceKind::Playlist);
  OtherPlaylistRadio.SetChecked(source.kind == MonitorSourceKind::OtherPlaylist);
  FolderSourceRadio.SetChecked(source.kind == MonitorSourceKind::Folder);
  MonitorPathEdit.SetText(source.path);
  MonitorStyleBox.SetItemIndex(StyleBoxIndex(source.styleIndex));
  for (ui::Control* c : std::initializer_list<ui::Control*>{&PlaylistSourceRadio, &OtherPlaylistRadio,
                                                            &FolderSourceRadio, &MonitorStyleBox}) {
    c->SetEnabled(named);
  }
  MonitorPathEdit.SetEnabled(named && source.kind != MonitorSourceKind::Playlist);
  MonitorBrowseButton.SetEnabled(named && source.kind != MonitorSourceKind::Playlist);
  showingMonitor_ = false;
}

void TSettings::TakeMonitorChoice() {
  const int chosen = MonitorsDrawing.Chosen();
  if (showingMonitor_ || chosen < 0 || size_t(chosen) >= monitorChoices_.size()) return;
  MonitorChoice& choice = monitorChoices_[size_t(chosen)];
  MonitorSource& source = choice.source;
  const MonitorSourceKind kind = OtherPlaylistRadio.Checked() ? MonitorSourceKind::OtherPlaylist
                                 : FolderSourceRadio.Checked() ? MonitorSourceKind::Folder
                                                               : MonitorSourceKind::Playlist;
  const std::string path = kind == MonitorSourceKind::Playlist ? std::string() : MonitorPathEdit.Text();
  // Another source starts from its beginning.
  if (kind != source.kind || path != source.path) source.lastIndex = -1;
  source.kind = kind;
  source.path = path;
  source.styleIndex = StyleIndexOfBox(MonitorStyleBox.ItemIndex());
  choice.changed = true;
  const bool own = kind != MonitorSourceKind::Playlist;
  MonitorPathEdit.SetEnabled(own);
  MonitorBrowseButton.SetEnabled(own);
}

void TSettings::MonitorMapChange(ui::Component&) { ShowMonitorChoice(); }

void TSettings::MonitorBoxChange(ui::Component&) {
  if (showingMonitor_) return;
  MonitorsDrawing.SetChosen(MonitorBox.ItemIndex());
  ShowMonitorChoice();
}

void TSettings::MonitorSourceClick(ui::Component&) { TakeMonitorChoice(); }

void TSettings::MonitorPathEditChange(ui::Component&) { TakeMonitorChoice(); }

void TSettings::MonitorStyleBoxChange(ui::Component&) { TakeMonitorChoice(); }

void TSettings::MonitorBrowseButtonClick(ui::Component&) {
  if (FolderSourceRadio.Checked()) {
    const std::optional<std::string> folder =
        App().prompts().PickFolder(Handle(), Say(texts::kMonitorFolderTitle), MonitorPathEdit.Text());
    if (folder) MonitorPathEdit.SetText(*folder);
  } else if (OtherPlaylistRadio.Checked()) {
    PickPlaylistInto(MonitorPathEdit);
  }
}

void TSettings::PickPlaylistInto(ui::Edit& field) {
  ui::FileDialogOptions o;
  o.filter = Say(texts::kOpenPlaylistFilter) + "|*.qvl";
  o.fileMustExist = true;
  o.fileName = field.Text();
  const std::optional<ui::FileDialogResult> r = App().prompts().OpenFile(Handle(), o);
  if (r && !r->files.empty()) field.SetText(r->files.front());
}

void TSettings::DarkPlaylistBrowseButtonClick(ui::Component&) { PickPlaylistInto(DarkPlaylistEdit); }

void TSettings::StoreMonitorChoices() {
  const IniFile ini(SettingsPath());
  for (MonitorChoice& choice : monitorChoices_) {
    if (!choice.changed || choice.monitor.devicePath.empty()) continue;
    // The control panel moves a source on at every change: what it got to
    // stays unless the source itself changed.
    const MonitorSource stored = ReadMonitorSource(ini, choice.monitor.devicePath, int(WallpaperStyles().size()));
    if (stored.kind == choice.source.kind && stored.path == choice.source.path) {
      choice.source.lastIndex = stored.lastIndex;
    }
    WriteMonitorSource(ini, choice.monitor.devicePath, choice.source);
    choice.changed = false;
  }
}

}  // namespace wc
