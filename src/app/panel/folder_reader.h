#pragma once
// The folder reader: a worker thread that searches one folder (and, when
// asked, its subfolders) for files with accepted extensions and hands each
// one to the control panel on the GUI thread.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/ancestor_folders.h"
#include "ui/sync.h"

namespace wc {

class TMainForm;

// Which entries of a folder a read takes: files but system files, and
// folders to search but those whose name begins with a dot.
bool IsListedFile(uint32_t attributes);
bool IsSearchedFolder(const std::string& name, uint32_t attributes);

// Readers of one control panel that have been started and not yet ended,
// shared with them so that the last one to end raises the finished state.
struct RunningReaders;

class TMyThread {
 public:
  // What one read works from, copied on the GUI thread when the read is set
  // up: the panel may change its own fields while the read runs.
  struct Setup {
    std::string folder;                   // without a trailing "\"; empty reads nothing
    std::vector<std::string> extensions;  // the accepted ones, upper case with the dot
    bool recurse = false;
  };

  // Starts a reader that frees itself when it ends. Runs on the GUI thread.
  static void Start(TMainForm& panel, Setup setup, std::shared_ptr<RunningReaders> readers);

  // The path found last; it goes to the GUI thread with the next hand-over.
  std::string FoundPath;

 private:
  TMyThread(TMainForm& panel, Setup setup, std::shared_ptr<RunningReaders> readers);
  void Execute();
  void ReadFolder(const std::string& pattern);
  bool ExtensionAccepted(const std::string& name) const;
  // Queues FoundPath for the panel, where the GUI thread adds each path as
  // one entry and one row, a group at a time.
  void Found();

  TMainForm* panel_;  // used only inside the hand-over, on the GUI thread
  Setup setup_;
  std::shared_ptr<RunningReaders> readers_;
  ui::GroupedHandOff<std::string> handOff_;
  AncestorFolders ancestors_;  // the folders being read
};

}  // namespace wc
