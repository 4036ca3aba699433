// "Never show again": files the user never wants on the desktop again,
// kept in excluded.txt beside the settings. Their rows stay in the
// playlist, dimmed, and the rotation passes over them; "Show again" takes
// them back.
#include <windows.h>

#include <algorithm>

#include "app/panel/main_form.h"
#include "common/paths.h"
#include "common/text.h"
#include "lang/program_texts.h"
#include "playlist/playlist_file.h"
#include "ui/error.h"
#include "ui/monitors.h"

namespace wc {

std::string TMainForm::ExcludedPath() const { return ExeFolder + "excluded.txt"; }

bool TMainForm::ReadExcluded() {
  Excluded = {};
  excludedUnread_ = false;
  if (FileExists(ExcludedPath())) {
    // A file that cannot be read now (held by another program) is read
    // again before it is written: its paths must not be written over.
    try {
      Excluded = ExcludedFiles::Parse(ui::ReadSharedFile(ExcludedPath()));
    } catch (const std::exception&) {
      excludedUnread_ = true;
    }
  }
  MainListBox.RedrawRows();
  return !excludedUnread_;
}

bool TMainForm::IsExcludedRow(int row) const {
  if (Excluded.Empty() || !Playlist) return false;
  const std::optional<size_t> entry = EntryOfRow(row);
  return entry && Excluded.Contains(Playlist->Path(*entry));
}

void TMainForm::StoreExcluded() {
  MainListBox.RedrawRows();
  // A folder the user may not write was said at start: the list holds
  // until the program ends.
  if (ProgramFolderReadOnly) return;
  if (excludedUnread_) {
    ExcludedFiles changed = std::move(Excluded);
    if (!ReadExcluded()) {
      Excluded = std::move(changed);
      excludedUnread_ = true;
      ErrorBox(Say(texts::kReadError) + "\n" + ExcludedPath());
      return;
    }
    // What this run changed meanwhile goes on top of what the file held.
    for (const std::string& path : changed.Paths()) Excluded.Add(path);
  }
  // Written beside the file and then put in its place: a program ended
  // while writing leaves the last whole list.
  try {
    WritePlaylistFile(ExcludedPath(), Excluded.Paths());
  } catch (const ui::Error& e) {
    ErrorBox(Say(texts::kWriteError) + "\n" + e.what());
  }
}

void TMainForm::Exclude(const std::string& path) {
  if (Excluded.Add(path)) StoreExcluded();
}

void TMainForm::ExcludedFileMoved(const std::string& from, const std::string& to) {
  if (!Excluded.Contains(from) || EqualsIgnoreCaseAscii(from, to)) return;
  Excluded.Remove({from});
  Excluded.Add(to);
  StoreExcluded();
}

void TMainForm::ShowAnotherInPlaceOf(const std::string& path) {
  const std::vector<std::string> pictures = PicturesOnDesktop();
  if (std::none_of(pictures.begin(), pictures.end(), [&](const std::string& p) { return EqualsIgnoreCaseAscii(p, path); })) return;
  if (pictures.size() > 1) {
    // A picture of its own on each monitor: only where it is shown changes.
    const std::vector<ui::Monitor> monitors = ui::MonitorsLeftToRight();
    const std::vector<std::string> showing = PicturesOnMonitors(monitors).paths;
    for (size_t k = 0; k < showing.size(); ++k) {
      if (EqualsIgnoreCaseAscii(showing[k], path)) NextWallpaperOnMonitor(k);
    }
    return;
  }
  NextWallpaper();
}

void TMainForm::NeverShowAgainItemClick(ui::Component&) { NeverShowAgain(); }

void TMainForm::NeverShowAgain() {
  const std::vector<std::string> pictures = PicturesOnDesktop();
  if (pictures.empty()) return;
  std::string path = pictures.front();
  if (pictures.size() > 1) {
    const std::vector<ui::Monitor> monitors = ui::MonitorsLeftToRight();
    const std::vector<std::string> showing = PicturesOnMonitors(monitors).paths;
    const std::optional<size_t> monitor = MonitorUnderPointer(monitors);
    if (monitor && *monitor < showing.size()) path = showing[*monitor];
  }
  Exclude(path);
  ShowAnotherInPlaceOf(path);
}

void TMainForm::ListNeverShowAgainItemClick(ui::Component&) {
  const std::optional<size_t> entry = EntryOfRow(MainListBox.ItemIndex());
  if (!entry) return;
  const std::string path = Playlist->Path(*entry);
  Exclude(path);
  ShowAnotherInPlaceOf(path);
}

void TMainForm::ShowAgainItemClick(ui::Component&) {
  if (const std::optional<size_t> entry = EntryOfRow(MainListBox.ItemIndex())) ShowAgain({Playlist->Path(*entry)});
}

void TMainForm::PlaylistMenuPopup(ui::Component&) {
  const bool excluded = IsExcludedRow(MainListBox.ItemIndex());
  ListNeverShowAgainItem.SetVisible(!excluded);
  ShowAgainItem.SetVisible(excluded);
}

std::vector<std::string> TMainForm::ExcludedFileList() const { return Excluded.Paths(); }

void TMainForm::ShowAgain(const std::vector<std::string>& paths) {
  if (Excluded.Remove(paths) > 0) StoreExcluded();
}

}  // namespace wc
