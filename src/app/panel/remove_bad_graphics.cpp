// "Remove Bad Graphics": entries whose file is missing or does not decode as
// a picture leave the playlist. Decoding a long playlist takes a while, so a
// worker opens and decodes the files while the program goes on answering;
// the playlist and the list change on the GUI thread, in playlist order, a
// group at a time.
//
// The entries examined are the first N of the playlist, N being the number
// of rows when the command starts (the rows shown are the entries whose file
// existed when the list was filled).
#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "common/entry_kind.h"
#include "common/paths.h"
#include "playlist/playlist_file.h"
#include "ui/application.h"
#include "ui/graphics.h"
#include "ui/sync.h"
#include "ui/window_hook.h"
#include "wallpaper/picture_reader.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

// Every group carries the progress, so one goes at least this often even
// without a bad entry.
constexpr ui::GroupedHandOff<size_t>::Rule kResultGroups{
    .longest = std::chrono::milliseconds(30), .fromLastHandOff = true, .empty = true};

bool IsBadEntry(const std::string& path) {
  if (!FileExists(path)) return true;
  // Movies and pages are kept without opening them: no picture reader
  // could tell whether they play.
  if (KindOfEntry(path) != EntryKind::Picture) return false;
  try {
    // Opened with others free to read and write it, and decoded whole by
    // the reader every wallpaper goes through: a picture that cannot become
    // the wallpaper is bad.
    (void)ReadPictureFile(path, 0);
    return false;
  } catch (const std::exception&) {
    return true;
  }
}

// The pointer shows work in progress over a window while the check runs.
class BusyPointer : public ui::MessageHook {
 protected:
  bool HookMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
    if (msg != WM_SETCURSOR) return false;
    SetCursor(LoadCursor(nullptr, IDC_APPSTARTING));
    result = TRUE;
    return true;
  }
};

}  // namespace

namespace {
// What the worker shares with the GUI thread.
struct CheckedFiles {
  std::vector<std::string> paths;  // the entries examined, as they were
  std::atomic<bool> abandoned{false};
};

// On a worker: each file decoded in turn, the bad ones handed to the GUI
// thread in groups as `apply(bad, checked)`, then `finish` there.
void CheckFilesOnWorker(std::shared_ptr<CheckedFiles> files,
                        std::function<void(const std::vector<size_t>&, size_t)> apply, std::function<void()> finish) {
  ui::StartWorker([files, apply, finish] {
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    struct ComEnd {
      bool on;
      ~ComEnd() {
        if (on) CoUninitialize();
      }
    } comEnd{com};
    size_t checked = 0;
    ui::GroupedHandOff<size_t> handOff(kResultGroups, [apply, &checked](std::vector<size_t>&& bad) {
      return [apply, group = std::move(bad), checked] { apply(group, checked); };
    });
    for (size_t j = 0; j < files->paths.size(); ++j) {
      if (files->abandoned || ui::StopRequested()) break;
      const bool isBad = IsBadEntry(files->paths[j]);
      checked = j + 1;
      if (isBad) {
        handOff.Add(j);
      } else {
        handOff.Tick();
      }
    }
    handOff.Finish();
    ui::Queue(finish).Wait();
  });
}
}  // namespace

// Owned by the control panel alone, so its hooks come off the windows on the
// GUI thread, whenever the worker ends.
struct BadGraphicsCheck {
  std::shared_ptr<CheckedFiles> files = std::make_shared<CheckedFiles>();
  size_t removed = 0;  // entries removed so far: entry j now stands at j - removed
  std::string caption;
  DWORD shownAt = 0;  // when the progress was last written
  BusyPointer formPointer, listPointer;
};

void TMainForm::RemoveBadGraphicsItemClick(ui::Component&) { RemoveBadGraphics(); }

void TMainForm::RemoveBadGraphics() {
  if (MainListBox.Count() == 0 || !Playlist || badGraphics_) return;
  badGraphics_ = StartBadGraphicsCheck();
  std::weak_ptr<BadGraphicsCheck> weak = badGraphics_;
  CheckFilesOnWorker(
      badGraphics_->files,
      [this, weak, total = badGraphics_->files->paths.size()](const std::vector<size_t>& bad, size_t checked) {
        RemoveBadGroup(weak, bad, checked, total);
      },
      [this, weak] { EndBadGraphicsCheck(weak); });
}

std::shared_ptr<BadGraphicsCheck> TMainForm::StartBadGraphicsCheck() {
  auto job = std::make_shared<BadGraphicsCheck>();
  const size_t examined = std::min(size_t(MainListBox.Count()), Playlist->EntryCount());
  job->files->paths.reserve(examined);
  for (size_t k = 0; k < examined; ++k) job->files->paths.push_back(Playlist->Path(k));
  job->caption = PlaylistBox.Caption();
  // No editing meanwhile: the check removes entries by their place.
  PlaylistBox.SetEnabled(false);
  if (Handle()) job->formPointer.Hook(Handle());
  if (MainListBox.Handle()) job->listPointer.Hook(MainListBox.Handle());
  SetCursor(LoadCursor(nullptr, IDC_APPSTARTING));
  PlaylistBox.SetCaption(Say(texts::kCheckingFiles, {"0", std::to_string(examined)}));
  return job;
}

void TMainForm::RemoveBadGroup(const std::weak_ptr<BadGraphicsCheck>& weak, const std::vector<size_t>& bad,
                               size_t checked, size_t total) {
  std::shared_ptr<BadGraphicsCheck> job = weak.lock();
  if (!job || badGraphics_ != job || job->files->abandoned) return;
  ui::ListBox::UpdateGuard redraw(MainListBox, !bad.empty());
  for (size_t j : bad) {
    const size_t entry = j - job->removed;
    // Something else changed the playlist (a reload): stop rather than
    // remove another entry than the one checked.
    if (!Playlist || entry >= Playlist->EntryCount() || Playlist->Path(entry) != job->files->paths[j]) {
      job->files->abandoned = true;
      return;
    }
    if (std::optional<size_t> row = Rows.RowOf(entry); row && int(*row) < MainListBox.Count()) {
      RemoveRowAndEntry(int(*row));
    } else {
      Playlist->RemoveEntry(entry);
      Rows.RemoveEntryWithoutRow(entry);
    }
    ++job->removed;
  }
  // The group box repaints with its caption: a few times a second is enough.
  if (GetTickCount() - job->shownAt >= 100 || checked == total) {
    job->shownAt = GetTickCount();
    PlaylistBox.SetCaption(Say(texts::kCheckingFiles, {std::to_string(checked), std::to_string(total)}));
  }
}

void TMainForm::EndBadGraphicsCheck(const std::weak_ptr<BadGraphicsCheck>& weak) {
  std::shared_ptr<BadGraphicsCheck> job = weak.lock();
  if (!job || badGraphics_ != job) return;
  badGraphics_.reset();
  job->formPointer.Unhook();
  job->listPointer.Unhook();
  PlaylistBox.SetCaption(job->caption);
  PlaylistBox.SetEnabled(FunctioningMode != FunctioningMode::Automatic);
  POINT at{};
  GetCursorPos(&at);
  SetCursorPos(at.x, at.y);  // the pointer takes its own shape again
  if (MainListBox.Count() == 0) {
    MainPreview.ClearPicture();
    MainPreview.Repaint();
  }
}

}  // namespace wc
