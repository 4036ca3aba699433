// The folder reader: fills the playlist from a folder on a worker thread.
#include "app/panel/folder_reader.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>

#include "app/extension_rule.h"
#include "app/panel/main_form.h"
#include "common/paths.h"
#include "playlist/playlist_file.h"
#include "scan/system_folders.h"
#include "ui/application.h"
#include "ui/handle.h"
#include "ui/sync.h"

namespace wc {

// What a file listing takes: plain, read-only, hidden and archived files.
// System files are left out, and so are folders (they are searched, not
// taken).
bool IsListedFile(uint32_t attributes) {
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

// The folders a search descends into: any but the "." and ".." entries and
// any other name that begins with a dot (such folders hold a program's
// private data, not pictures). System folders are searched: users keep
// pictures in folders a tool marked so (a customised folder icon sets it).
bool IsSearchedFolder(const std::string& name, uint32_t attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !name.empty() && name[0] != '.';
}

namespace {

// Each hand-over costs a round trip to the GUI thread, which is most of a
// read's time when it goes file by file. The found files therefore travel in
// small groups: small enough for the GUI thread to add them in a few
// milliseconds, and never held back longer than the eye would notice.
constexpr ui::GroupedHandOff<std::string>::Rule kHandOver{.most = 256, .longest = std::chrono::milliseconds(30)};

}  // namespace

struct RunningReaders {
  explicit RunningReaders(std::shared_ptr<std::atomic<AuxState>> s) : state(std::move(s)) {}
  std::mutex m;
  int count = 0;
  // The panel's reader state; held here as well, so it outlives the panel
  // for a reader still ending while the program closes.
  std::shared_ptr<std::atomic<AuxState>> state;
};

// ---- the reader

TMyThread::TMyThread(TMainForm& panel, Setup setup, std::shared_ptr<RunningReaders> readers)
    : panel_(&panel),
      setup_(std::move(setup)),
      readers_(std::move(readers)),
      handOff_(kHandOver, [panel = panel_](std::vector<std::string>&& group) {
        auto paths = std::make_shared<const std::vector<std::string>>(std::move(group));
        return [panel, paths] {
          panel->MainListBox.Reserve(paths->size());
          // One repaint for the group rather than one for every row.
          ui::ListBox::UpdateGuard redraw(panel->MainListBox);
          for (const std::string& path : *paths) panel->AddFoundFile(path);
        };
      }) {}

void TMyThread::Start(TMainForm& panel, Setup setup, std::shared_ptr<RunningReaders> readers) {
  std::shared_ptr<TMyThread> reader(new TMyThread(panel, std::move(setup), readers));
  reader->FoundPath.clear();
  {
    // Counted, and the state raised, before its thread runs: a reader that
    // ends meanwhile must not take this one for finished, nor may the
    // start-up change.
    std::lock_guard lock(readers->m);
    ++readers->count;
    readers->state->store(AuxState::Running);
  }
  try {
    ui::StartWorker([reader] { reader->Execute(); });
  } catch (...) {
    std::lock_guard lock(readers->m);
    if (--readers->count == 0) readers->state->store(AuxState::Finished);
    throw;
  }
}

void TMyThread::Execute() {
  // The end is reported however the search ends, by closing the program too.
  struct Ending {
    RunningReaders& r;
    ~Ending() {
      std::lock_guard lock(r.m);
      if (--r.count == 0) r.state->store(AuxState::Finished);
    }
  } ending{*readers_};
  // No folder chosen: there is nothing to read (a pattern without a folder
  // would search the current drive's root).
  if (setup_.folder.empty()) return;
  ReadFolder(IncludeTrailingBackslash(setup_.folder) + "*.*");
  if (ui::StopRequested()) return;
  // Finished means every file found is in the playlist.
  handOff_.Finish();
}

void TMyThread::ReadFolder(const std::string& pattern) {
  // Listed through the wide calls: a name in any script comes back whole,
  // however many bytes its UTF-8 takes. A path the file functions could not
  // open later is passed by.
  SystemFolders files;
  if (!files.Fits(pattern) || ui::StopRequested()) return;
  const std::string dir = ExtractFilePath(pattern);
  const AncestorFolders::Visit visit = ancestors_.Enter(SystemFolderIdentity(dir));
  if (!visit) return;
  files.List(pattern, [&](const std::string& name, uint32_t attributes) {
    if (ui::StopRequested()) return;
    // Files found before a long run of others are not kept waiting.
    handOff_.Tick();
    if (!IsListedFile(attributes) || !ExtensionAccepted(name)) return;
    std::string path = dir + name;
    if (!files.Fits(path)) return;
    FoundPath = std::move(path);
    Found();
  });
  if (!setup_.recurse || ui::StopRequested()) return;
  const std::string mask = ExtractFileName(pattern);
  std::vector<std::string> folders;
  files.List(dir + "*.*", [&](const std::string& name, uint32_t attributes) {
    if (IsSearchedFolder(name, attributes)) folders.push_back(name);
  });
  for (const std::string& name : folders) {
    if (ui::StopRequested()) return;
    ReadFolder(dir + name + "\\" + mask);
  }
}

bool TMyThread::ExtensionAccepted(const std::string& name) const {
  return wc::ExtensionAccepted(ExtractFileExt(name), setup_.extensions);
}

void TMyThread::Found() { handOff_.Add(FoundPath); }

// ---- the control panel's side

void TMainForm::StartFolderReader() {
  if (!runningReaders_) runningReaders_ = std::make_shared<RunningReaders>(readerState_);
  TMyThread::Setup setup;
  setup.folder = FolderToRead;
  setup.extensions = ExtensionEntries(ExtensionTable, ExtensionCount);
  setup.recurse = RecurseSubfolders;
  TMyThread::Start(*this, std::move(setup), runningReaders_);
}

void TMainForm::AddFoundFile(const std::string& path) {
  // After closing the playlist is gone; a file may vanish between its
  // listing and now.
  if (!Playlist || !FileExists(path)) return;
  // Add folder leaves out a file the user chose never to see again; the
  // automatic mode lists it, dimmed, so that it can be shown again.
  if (FunctioningMode == FunctioningMode::Manual && Excluded.Contains(path)) return;
  // The row first: a full list refuses it, and the entry must not come alone.
  // After an odd line count the new pair straddles the seam: the row shows
  // the entry that the new path's line belongs to.
  AppendRow(IsShowFullPath() ? path : DisplayName(path), Playlist->LineCount() / 2);
  Playlist->AppendEntry(path);
}

AuxState TMainForm::AuxState() const { return readerState_->load(); }

void TMainForm::SetAuxState(wc::AuxState state) {
  readerState_->store(state);
  // The hidden label shows the state too; only the GUI thread touches it.
  if (GetCurrentThreadId() == App().GuiThreadId()) ReaderStateLabel.SetCaption(AuxStateText(state));
}

}  // namespace wc
