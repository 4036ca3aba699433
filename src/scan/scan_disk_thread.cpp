// The scan dialog's search and add workers.
#include "scan/scan_disk_thread.h"

#include <memory>

#include "scan/scan_disk_form.h"
#include "scan/system_folders.h"
#include "ui/sync.h"

namespace wc::ScanDisk {

namespace {

// A hand-over is a round trip to the GUI thread; file by file it would cost
// far more than the search itself. Found files therefore travel in groups
// small enough for the GUI thread to add in a few milliseconds, and are never
// held back longer than the eye would notice.
constexpr size_t kHandOverFiles = 256;
constexpr auto kHandOverDelay = std::chrono::milliseconds(30);

}  // namespace

TMyThread::TMyThread(TScanDiskForm& form, Setup setup) : form_(&form), setup_(std::move(setup)) {}

void TMyThread::Start(TScanDiskForm& form, Setup setup) {
  std::shared_ptr<TMyThread> search(new TMyThread(form, std::move(setup)));
  ui::StartWorker([search] { search->Execute(); });
}

void TMyThread::Execute() {
  try {
    Search();
  } catch (const ui::Cancelled&) {
    throw;  // the program is closing: no window to give the buttons back to
  } catch (...) {
    // A search that failed half-way still ends: the buttons come back.
    TScanDiskForm* form = form_;
    try {
      ui::Synchronize([form] { form->SearchFinished(); });
    } catch (...) {
    }
    throw;
  }
}

void TMyThread::Search() {
  SystemFolders folders;
  FolderWalk walk(
      folders, {setup_.kinds, setup_.recurse},
      [this](const std::string& path) {
        FoundPath = path;
        Found();
      },
      [this] {
        // Files found before a long run of others are not kept waiting.
        if (!pending_.empty() && std::chrono::steady_clock::now() - pendingSince_ >= kHandOverDelay) HandOver();
        return ui::StopRequested();
      });
  walk.Run(setup_.folder);
  if (ui::StopRequested()) return;
  HandOver();
  inFlight_.Wait();
  // Finished only once the last file is in the list.
  TScanDiskForm* form = form_;
  ui::Synchronize([form] { form->SearchFinished(); });
}

void TMyThread::Found() {
  if (pending_.empty()) pendingSince_ = std::chrono::steady_clock::now();
  pending_.push_back(FoundPath);
  ++FoundCount;
  if (pending_.size() >= kHandOverFiles || std::chrono::steady_clock::now() - pendingSince_ >= kHandOverDelay) {
    HandOver();
  }
}

void TMyThread::HandOver() {
  inFlight_.Wait();
  if (pending_.empty()) return;
  TScanDiskForm* form = form_;
  auto paths = std::make_shared<const std::vector<std::string>>(std::move(pending_));
  pending_.clear();
  const int count = FoundCount;
  inFlight_ = ui::Queue([form, paths, count] { form->AppendResults(*paths, count); });
}

void TAddThread::Start(TScanDiskForm& form, uint8_t mode) {
  std::shared_ptr<TAddThread> add(new TAddThread(form, mode));
  ui::StartWorker([add] { add->Execute(); });
}

void TAddThread::Execute() {
  TScanDiskForm* form = form_;
  const int mode = AddMode;
  ui::Synchronize([form, mode] { form->AddResults(mode); });
}

}  // namespace wc::ScanDisk
