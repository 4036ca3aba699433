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
constexpr ui::GroupedHandOff<std::string>::Rule kHandOver{.most = 256, .longest = std::chrono::milliseconds(30)};

}  // namespace

TMyThread::TMyThread(TScanDiskForm& form, Setup setup)
    : form_(&form),
      setup_(std::move(setup)),
      handOff_(kHandOver, [this](std::vector<std::string>&& group) {
        TScanDiskForm* form = form_;
        auto paths = std::make_shared<const std::vector<std::string>>(std::move(group));
        const int count = FoundCount;
        return [form, paths, count] { form->AppendResults(*paths, count); };
      }) {}

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
        handOff_.Tick();
        return ui::StopRequested();
      });
  walk.Run(setup_.folder);
  if (ui::StopRequested()) return;
  handOff_.Finish();
  // Finished only once the last file is in the list.
  TScanDiskForm* form = form_;
  ui::Synchronize([form] { form->SearchFinished(); });
}

void TMyThread::Found() {
  ++FoundCount;
  handOff_.Add(FoundPath);
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
