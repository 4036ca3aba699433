#pragma once
// The scan dialog's two workers: the search, which walks a folder tree and
// hands the files it finds to the dialog, and the add command, which hands
// the whole command to the GUI thread.
#include <cstdint>
#include <string>
#include <vector>

#include "scan/disk_search.h"
#include "ui/sync.h"

namespace wc {

class TScanDiskForm;

namespace ScanDisk {

class TMyThread {
 public:
  // What one search works from, copied on the GUI thread when it starts: the
  // user may change the dialog while the search runs.
  struct Setup {
    std::string folder;  // as typed
    KindList kinds;
    bool recurse = false;
  };

  // Starts a search that frees itself when it ends; the dialog's
  // SearchFinished runs on the GUI thread once every file found is in its
  // list. Runs on the GUI thread.
  static void Start(TScanDiskForm& form, Setup setup);

  std::string FoundPath;  // the file found last
  int FoundCount = 0;     // files found so far

 private:
  TMyThread(TScanDiskForm& form, Setup setup);
  void Execute();
  void Search();
  // Queues FoundPath for the dialog, which takes the paths a group at a time.
  void Found();

  TScanDiskForm* form_;  // used only inside hand-overs, on the GUI thread
  Setup setup_;
  ui::GroupedHandOff<std::string> handOff_;
};

class TAddThread {
 public:
  // Starts one add command (1 all results, 2 the selected, 3 all but the
  // selected), done wholly on the GUI thread.
  static void Start(TScanDiskForm& form, uint8_t mode);

  uint8_t AddMode = 0;

 private:
  TAddThread(TScanDiskForm& form, uint8_t mode) : AddMode(mode), form_(&form) {}
  void Execute();
  TScanDiskForm* form_;
};

}  // namespace ScanDisk
}  // namespace wc
