// Loading a long playlist without freezing the program: a worker reads the
// file, checks which files exist, in playlist order, and hands the lines and
// then the rows over in groups; the GUI thread adds them and goes on answering
// (the tray icon, the menus) meanwhile. The caller waits in a message loop
// until every row is in, so what comes after it sees the whole list.
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "playlist/playlist_file.h"
#include "ui/application.h"
#include "ui/sync.h"
#include "lang/program_texts.h"

namespace wc {

struct AnsweringFill {
  std::vector<std::string> paths;  // entry k's file
  std::vector<std::string> rows;   // entry k's row text
  std::atomic<bool> abandoned{false};
  bool done = false;  // GUI thread only
};

namespace {

// A row found after a long run of missing files goes at once.
constexpr ui::GroupedHandOff<size_t>::Rule kRowGroups{
    .most = 512, .longest = std::chrono::milliseconds(30), .fromLastHandOff = true};

}  // namespace

void TMainForm::AbandonAnsweringFill() {
  if (!answeringFill_) return;
  answeringFill_->abandoned = true;
  answeringFill_->done = true;
  answeringFill_.reset();
}

void TMainForm::LoadPlaylistAnswering(const std::string& file, bool showFullPath) {
  AbandonAnsweringFill();
  auto job = std::make_shared<AnsweringFill>();
  answeringFill_ = job;

  // Runs on the GUI thread: one group of rows, in order.
  auto addRows = [this, job](const std::vector<size_t>& entries) {
    if (job->abandoned) return;
    std::vector<std::string> rows;
    rows.reserve(entries.size());
    for (size_t k : entries) rows.push_back(std::move(job->rows[k]));
    const size_t before = size_t(MainListBox.Count());
    Rows.Truncate(before);
    MainListBox.AddItems(rows);
    // A full box takes fewer rows than it was given.
    const size_t added = size_t(MainListBox.Count()) - before;
    for (size_t i = 0; i < added && i < entries.size(); ++i) Rows.Append(entries[i]);
  };
  // Runs on the GUI thread: the file's lines become the playlist, which
  // exists from now on (and is saved at exit).
  auto takeLines = [this, job, file](std::vector<std::string>& lines, bool failed) {
    if (job->abandoned || App().Terminated()) return;
    Playlist = std::make_unique<wc::Playlist>();
    if (failed) {
      // The default playlist could not be made in a folder the user may not
      // write, which was said at start: an empty playlist, not an error.
      const bool unmade = ProgramFolderReadOnly && file == DefaultPlaylistPath() && !FileExists(file);
      if (!unmade) ErrorBox(Say(texts::kReadError));
      return;
    }
    Playlist->Lines() = std::move(lines);
    MainListBox.Reserve(job->paths.size());
  };
  ui::StartWorker([job, file, showFullPath, addRows, takeLines] {
    wc::Playlist read;
    bool failed = false;
    try {
      read.Lines() = ReadPlaylistFile(file);
    } catch (const std::exception&) {
      failed = true;
    }
    const size_t n = read.EntryCount();
    job->paths.reserve(n);
    job->rows.reserve(n);
    for (size_t k = 0; k < n; ++k) {
      job->paths.push_back(read.Path(k));
      job->rows.push_back(showFullPath ? read.Path(k) : read.Name(k));
    }
    ui::Synchronize([&] { takeLines(read.Lines(), failed); });

    ui::GroupedHandOff<size_t> handOff(kRowGroups, [addRows](std::vector<size_t>&& group) {
      return [addRows, rows = std::move(group)] { addRows(rows); };
    });
    for (size_t k = 0; k < n; ++k) {
      if (job->abandoned || ui::StopRequested()) return;
      if (FileExists(job->paths[k])) {
        handOff.Add(k);
      } else {
        handOff.Tick();
      }
    }
    handOff.Finish();
    ui::Queue([job] { job->done = true; }).Wait();
  });
  App().RunUntil([&] { return job->done; });
  if (answeringFill_ == job) answeringFill_.reset();
  if (job->abandoned || App().Terminated()) return;
  if (MainChPreview.Checked() && MainListBox.Count() > 0) MainChPreviewClick(MainChPreview);
}

}  // namespace wc
