// What the dialogs may ask of the control panel: the playlist operations of
// the scan, folder, filter, rename and copy/move dialogs, and what the
// settings dialog's options and hotkeys change.
#include "app/panel/main_form.h"

#include <algorithm>

namespace wc {

std::string TMainForm::ProgramFolder() const { return ExeFolder; }

std::string TMainForm::FolderForReading() const { return FolderToRead; }

void TMainForm::SetFolderForReading(const std::string& folder) { FolderToRead = folder; }

void TMainForm::SetReadFilters(const std::vector<std::string>& extensions, bool recurse) {
  const size_t count = std::min(extensions.size(), ExtensionTable.size());
  std::copy_n(extensions.begin(), count, ExtensionTable.begin());
  ExtensionCount = uint8_t(count);
  RecurseSubfolders = recurse;
}

void TMainForm::ClearReadFilters() { ExtensionCount = 0; }

void TMainForm::AddEntries(const std::vector<std::string>& paths) {
  AddFilesToPlaylist(paths);
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
}

void TMainForm::AddFoundFiles(const std::vector<std::string>& paths) {
  ui::ListBox::UpdateGuard quiet(MainListBox);
  for (const std::string& path : paths) AddFoundFile(path);
}

// The rename and copy/move dialogs act on the entry their command pinned.
std::optional<size_t> TMainForm::SelectedEntry() const { return FileOperationEntry(); }

std::string TMainForm::SelectedRowText() const {
  int row = MainListBox.ItemIndex();
  if (fileOperation_) {
    const std::optional<size_t> entry = FileOperationEntry();
    const std::optional<size_t> shown = entry ? Rows.RowOf(*entry) : std::nullopt;
    row = shown ? int(*shown) : -1;
  }
  return row >= 0 && row < MainListBox.Count() ? MainListBox.Item(row) : std::string();
}

std::string TMainForm::EntryPath(size_t entry) const { return Playlist ? Playlist->Path(entry) : std::string(); }

void TMainForm::EntryMoved(size_t entry, const std::string& path) {
  if (!Playlist) return;
  ExcludedFileMoved(Playlist->Path(entry), path);
  Playlist->SetPath(entry, path);
}

void TMainForm::EntryRenamed(size_t entry, const std::string& path, const std::string& name) {
  if (!Playlist) return;
  ExcludedFileMoved(Playlist->Path(entry), path);
  Playlist->SetPath(entry, path);
  Playlist->SetName(entry, name);
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
}

void TMainForm::SetTrayIconCycling(bool on) {
  Tray.SetCycleIcons(on);
  Tray.SetIconIndex(0);
}

void TMainForm::ClearWallpaperAndSay() {
  ClearWallpaperItemClick(*this);
  ShowWallpaperClearedMessage();
}

}  // namespace wc
