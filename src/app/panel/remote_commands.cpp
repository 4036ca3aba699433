// Commands from the command line: handed over by a second start of the
// program (WM_COPYDATA to the hidden window), or given to this start and
// carried out once it has read its playlist.
#include <windows.h>

#include "app/panel/main_form.h"
#include "common/text.h"
#include "playlist/playlist_file.h"
#include "ui/application.h"

namespace wc {

void TMainForm::WatchRemoteCommands() {
  remoteHook_ = App().HookMainWindow([this](UINT msg, WPARAM, LPARAM l, LRESULT& result) {
    if (msg != WM_COPYDATA) return false;
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(l);
    const std::optional<RemoteCommand> command =
        data && data->lpData ? DecodeRemoteCommand(uint32_t(data->dwData),
                                                   std::string_view(static_cast<const char*>(data->lpData), data->cbData))
                             : std::nullopt;
    result = command ? 1 : 0;
    // Carried out after the sender has its answer: a message box the
    // command may open must not keep a script waiting.
    if (command) App().Post([this, c = *command] { RunRemoteCommand(c); });
    return true;
  });
}

void TMainForm::RunRemoteCommand(const RemoteCommand& command) {
  switch (command.verb) {
    case RemoteVerb::Next:
      NextWallpaper();
      break;
    case RemoteVerb::Previous:
      PreviousWallpaper();
      break;
    case RemoteVerb::Pause:
      SetPaused(true);
      break;
    case RemoteVerb::Resume:
      SetPaused(false);
      break;
    case RemoteVerb::Apply:
      ApplyFile(command.file);
      break;
    case RemoteVerb::Playlist:
      OpenPlaylist(command.file);
      break;
    case RemoteVerb::Favourite:
      AddToFavourites();
      break;
    case RemoteVerb::Exclude:
      NeverShowAgain();
      break;
  }
}

void TMainForm::ApplyFile(const std::string& path) {
  // An entry of the playlist is applied as its row, so the rotation goes on
  // from there.
  for (int row = 0; Playlist && row < MainListBox.Count(); ++row) {
    const std::optional<size_t> entry = EntryOfRow(row);
    if (entry && EqualsIgnoreCaseAscii(Playlist->Path(*entry), path)) {
      MainListBox.SetItemIndex(row);
      ApplyRow(row, RowChoice::ByHand);
      return;
    }
  }
  if (!FileExists(path)) return;
  const EntryKind kind = KindOfEntry(path);
  const ui::Picture decoded = ReadEntryPicture(path, kind);
  ApplyToDesktop(kind == EntryKind::Movie ? WriteMoviePage(path) : path, decoded.AsBitmap());
  NowShowing({path});
  EndChange();
}

void TMainForm::OpenPlaylist(const std::string& path) {
  if (!Playlist || !FileExists(path)) return;
  std::optional<std::vector<std::string>> lines = ReadPlaylistOrSay(path);
  if (!lines) return;
  Playlist->Lines() = std::move(*lines);
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
  CurrentIndex = 0;
  if (MainListBox.Count() == 0) return;
  MainListBox.SetItemIndex(0);
  ApplyRow(0);
}

}  // namespace wc
