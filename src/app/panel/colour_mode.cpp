// Windows' light and dark mode: with the option, dark mode shows a playlist
// of its own. The control panel's own playlist is put aside meanwhile and
// stays what DefPlayList.qvl keeps; changes made to the dark playlist while
// it is shown go to its own file.
#include <windows.h>

#include <cwchar>

#include "app/panel/main_form.h"
#include "playlist/playlist_file.h"
#include "ui/application.h"
#include "ui/handle.h"

namespace wc {

namespace {

// What Windows tells programs to look like: AppsUseLightTheme 0 is dark;
// a system without the value is light.
bool AppsAreDark() {
  DWORD light = 1, size = sizeof light;
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                   L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size) != ERROR_SUCCESS) {
    return false;
  }
  return light == 0;
}

bool NamesColourChange(HWND window, LPARAM l) {
  if (!l) return false;
  if (IsWindowUnicode(window)) return std::wcscmp(reinterpret_cast<const wchar_t*>(l), L"ImmersiveColorSet") == 0;
  return std::strcmp(reinterpret_cast<const char*>(l), "ImmersiveColorSet") == 0;
}

}  // namespace

void TMainForm::WatchColourMode() {
  colourHook_ = App().HookMainWindow([this](UINT msg, WPARAM, LPARAM l, LRESULT&) {
    if (msg == WM_SETTINGCHANGE && NamesColourChange(App().UtilityWindow(), l)) {
      // After the sender's broadcast: the change reads the registry and
      // may open a box.
      App().Post([this] { FollowColourMode(); });
    }
    return false;
  });
}

void TMainForm::FollowColourMode() { TakeColourModePlaylist(true); }

void TMainForm::TakeColourModePlaylist(bool apply) {
  // The automatic mode's playlist is its folder's: it has no dark one.
  if (!Playlist || FunctioningMode == FunctioningMode::Automatic) return;
  const SettingsValues options = DialogOptions();
  const bool dark = options.darkPlaylistOn && !options.darkPlaylistFile.empty() &&
                    FileExists(options.darkPlaylistFile) && AppsAreDark();
  if (dark == DarkMode.active && (!dark || DarkMode.file == options.darkPlaylistFile)) return;
  if (DarkMode.active) {
    // Back to the panel's own playlist; what the user changed in the dark
    // one is kept in its file.
    SaveDarkPlaylist();
    Playlist->Lines() = std::move(DarkMode.ownLines);
    CurrentIndex = DarkMode.ownIndex;
    DarkMode = {};
  }
  if (dark) {
    std::optional<std::vector<std::string>> lines = ReadPlaylistOrSay(options.darkPlaylistFile);
    if (!lines) return;
    DarkMode = {true, options.darkPlaylistFile, Playlist->Lines(), CurrentIndex, *lines};
    Playlist->Lines() = std::move(*lines);
    CurrentIndex = 0;
  }
  // The last run's row belonged to the playlist put aside.
  LastRunRow = -1;
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
  if (CurrentIndex < 0 || CurrentIndex >= MainListBox.Count()) CurrentIndex = 0;
  if (MainListBox.Count() == 0) return;
  MainListBox.SetItemIndex(CurrentIndex);
  if (apply) ApplyRow(CurrentIndex);
}

void TMainForm::SaveDarkPlaylist() {
  if (!DarkMode.active || !Playlist || Playlist->Lines() == DarkMode.readLines) return;
  WritePlaylistFile(DarkMode.file, Playlist->Lines());
  DarkMode.readLines = Playlist->Lines();
}

}  // namespace wc
