#pragma once
// What the scan, folder, filter, rename and copy/move dialogs may do to the
// program's playlist. The control panel implements it; the dialogs know the
// panel only through these few operations.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ui/application.h"

namespace wc {

class PlaylistTarget {
 public:
  // The running program's playlist (its control panel, the window
  // "MainForm"); nullptr when there is none, as for a dialog made alone.
  static PlaylistTarget* Find() { return ui::Application::FindForm<PlaylistTarget>("MainForm"); }

  // The program's folder, with a trailing backslash.
  virtual std::string ProgramFolder() const = 0;

  // The folder the next folder read searches ("" when the choice was
  // cancelled), and which files it takes: extensions upper case with the
  // dot, at most 30, and whether subfolders are searched too.
  virtual std::string FolderForReading() const = 0;
  virtual void SetFolderForReading(const std::string& folder) = 0;
  virtual void SetReadFilters(const std::vector<std::string>& extensions, bool recurse) = 0;
  // No filters chosen: the next read adds nothing.
  virtual void ClearReadFilters() = 0;

  // Every path becomes an entry, found or not; the list is shown anew and
  // shows those whose file exists.
  virtual void AddEntries(const std::vector<std::string>& paths) = 0;
  // Each file that exists becomes one entry and one row, the list not
  // redrawn until all are in.
  virtual void AddFoundFiles(const std::vector<std::string>& paths) = 0;

  // The entry of the selected row, and that row's text.
  virtual std::optional<size_t> SelectedEntry() const = 0;
  virtual std::string SelectedRowText() const = 0;
  virtual std::string EntryPath(size_t entry) const = 0;
  // The entry's file was moved; its row keeps its text until the next fill.
  virtual void EntryMoved(size_t entry, const std::string& path) = 0;
  // The entry's file was renamed: its path and display name change and the
  // list is shown anew.
  virtual void EntryRenamed(size_t entry, const std::string& path, const std::string& name) = 0;

 protected:
  ~PlaylistTarget() = default;
};

}  // namespace wc
