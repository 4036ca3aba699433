// Each monitor's own source of pictures and its own style, for "a different
// wallpaper on each monitor": another playlist or a folder, read when the
// monitor needs its next picture, so a file added to the folder is seen at
// the next change.
#include <windows.h>

#include <algorithm>

#include "app/extension_rule.h"
#include "app/panel/folder_reader.h"
#include "app/panel/main_form.h"
#include "common/ancestor_folders.h"
#include "common/entry_kind.h"
#include "common/ini_file.h"
#include "common/paths.h"
#include "common/random.h"
#include "playlist/playlist_file.h"
#include "scan/system_folders.h"
#include "ui/error.h"
#include "wallpaper/monitor_assignment.h"
#include "wallpaper/picture_shape.h"

namespace wc {

namespace {

// The files of `folder` (and its subfolders when asked) whose extensions
// are accepted, in name order within each folder.
void ListFolder(SystemFolders& files, AncestorFolders& ancestors, const std::string& folder,
                const std::vector<std::string>& extensions, bool recurse, std::vector<std::string>& found) {
  const std::string dir = IncludeTrailingBackslash(folder);
  if (!files.Fits(dir + "*.*")) return;
  const AncestorFolders::Visit visit = ancestors.Enter(SystemFolderIdentity(dir));
  if (!visit) return;
  std::vector<std::string> names, folders;
  files.List(dir + "*.*", [&](const std::string& name, uint32_t attributes) {
    if (IsListedFile(attributes) && ExtensionAccepted(ExtractFileExt(name), extensions)) names.push_back(name);
    if (recurse && IsSearchedFolder(name, attributes)) folders.push_back(name);
  });
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    if (files.Fits(dir + name)) found.push_back(dir + name);
  }
  std::sort(folders.begin(), folders.end());
  for (const std::string& name : folders) ListFolder(files, ancestors, dir + name, extensions, recurse, found);
}

}  // namespace

MonitorSource TMainForm::SourceOfMonitor(const ui::Monitor& monitor) const {
  if (monitor.devicePath.empty()) return {};
  return ReadMonitorSource(IniFile(SettingsPath()), monitor.devicePath, int(WallpaperStyles().size()));
}

WallpaperStyle TMainForm::StyleOfMonitor(const MonitorSource& source, WallpaperStyle panelStyle) {
  if (source.styleIndex < 0) return panelStyle;
  const std::optional<WallpaperStyle> own = StyleOfComboIndex(source.styleIndex);
  // A monitor of its own cannot span the others: it fills itself instead.
  if (!own || RowOf(*own).spansMonitors) return panelStyle;
  return *own;
}

std::vector<std::string> TMainForm::EntriesOfSource(const MonitorSource& source) const {
  std::vector<std::string> entries;
  if (source.kind == MonitorSourceKind::OtherPlaylist) {
    try {
      entries = ReadPlaylistFile(source.path);
    } catch (const ui::Error&) {
      // A playlist gone or unreadable gives the monitor nothing of its own.
    }
  } else if (source.kind == MonitorSourceKind::Folder) {
    SystemFolders files;
    AncestorFolders ancestors;
    ListFolder(files, ancestors, source.path, ExtensionEntries(ExtensionTable, ExtensionCount), RecurseSubfolders,
               entries);
  }
  return entries;
}

std::optional<std::string> TMainForm::NextOfOwnSource(const ui::Monitor& monitor, const std::vector<std::string>& taken) {
  MonitorSource source = SourceOfMonitor(monitor);
  if (source.kind == MonitorSourceKind::Playlist) return std::nullopt;
  const std::vector<std::string> entries = EntriesOfSource(source);
  const bool byShape = DialogOptions().preferShapedPictures;
  const RECT& a = monitor.area;
  const Shape wanted = ShapeOf(a.right - a.left, a.bottom - a.top);
  const auto usable = [&](size_t k) {
    const std::string& path = entries[k];
    return KindOfEntry(path) == EntryKind::Picture && !Excluded.Contains(path) && FileExists(path) &&
           std::find(taken.begin(), taken.end(), path) == taken.end();
  };
  const auto preferred = [&](size_t k) { return !byShape || ShapeOfPictureFile(entries[k]) == wanted; };
  const std::optional<size_t> next =
      NextEntryOfSource(entries.size(), source.lastIndex, ShuffleCheck.Checked(), ProgramRandom(), usable, preferred);
  if (!next) return std::nullopt;
  source.lastIndex = int32_t(*next);
  // Where it got to is kept for the next change and the next start; a
  // settings file the account may not write costs only that.
  try {
    WriteMonitorSource(IniFile(SettingsPath()), monitor.devicePath, source);
  } catch (const ui::Error&) {
  }
  return entries[*next];
}

}  // namespace wc
