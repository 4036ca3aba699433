// The control panel's life: creation, the deferred start-up sequence, showing
// and hiding, and the close protocol that writes the default playlist.
#include "app/panel/main_form.h"

#include <algorithm>

#include "app/shorten_path.h"
#include "common/paths.h"
#include "common/picture_formats.h"
#include "common/product.h"
#include "common/random.h"
#include "playlist/playlist_file.h"
#include "settings/settings_file.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

namespace {
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValue = "Wallpaper Manager";
}  // namespace

TMainForm::TMainForm(ui::Application& app)
    : Form(app, "MainForm"), readerState_(std::make_shared<std::atomic<wc::AuxState>>(AuxState::Idle)) {
  CreateWindowFrom({.caption = "Control panel",
                    .clientWidth = 600,
                    .clientHeight = 547,
                    .border = ui::BorderStyle::Single,
                    .icons = ui::biSystemMenu | ui::biMinimize});
  BuildControls();
  BindHandlers();
  SetUpLanguage();
  FormCreate();
  Tray.Loaded();
  // Sent to the tray (minimized) the panel is off the screen as when hidden.
  minimizeHook_ = app.HookMainWindow([this](UINT msg, WPARAM w, LPARAM, LRESULT&) {
    if (msg == WM_SIZE) PanelMinimized(w == SIZE_MINIMIZED);
    return false;
  });
  WatchDisplayChanges();
  WatchRemoteCommands();
  WatchColourMode();
}

TMainForm::~TMainForm() {
  if (ui::Application::Current() == &App()) {
    App().UnhookMainWindow(minimizeHook_);
    StopWatchingDisplayChanges();
    App().UnhookMainWindow(remoteHook_);
    App().UnhookMainWindow(colourHook_);
  }
  if (PlaylistDragDrop()) SetPlaylistDragDrop(false);
}

void TMainForm::BindHandlers() {
  OnCanResize = [this](ui::Component& s, int& w, int& h, bool& r) { FormCanResize(s, w, h, r); };
  OnCloseQuery = [this](ui::Component& s, bool& c) { FormCloseQuery(s, c); };
  OnClose = [this](ui::Component& s, ui::CloseAction& a) { FormClose(s, a); };
  BackgroundSwatch.OnMouseDown = [this](ui::Component&, ui::MouseButton, ui::ShiftState, int, int) {
    BackgroundSwatch.SetBevel(ui::BevelKind::Lowered);
  };
  BackgroundSwatch.OnMouseUp = [this](ui::Component&, ui::MouseButton, ui::ShiftState, int, int) {
    BackgroundSwatch.SetBevel(ui::BevelKind::Raised);
  };
}

void TMainForm::ErrorBox(const std::string& text) {
  App().prompts().Message(Handle(), text, Say(texts::kErrorTitle), MB_OK | MB_ICONERROR);
}

void TMainForm::FormCreate() {
  ExtensionCount = 0;
  ExeFolder = ExtractFilePath(App().ExeName());
  AutomaticFolder = ExeFolder + "Images";
  AutomaticFolderLabel.SetCaption(ShortenPath(AutomaticFolder));
  StartupTimer.SetInterval(2000);
  StartupTimer.SetEnabled(true);
  SiteUrl = kMakerSiteUrl;
  ProgramPageUrl = kProgramPageUrl;
  OtherProgramsItem.SetCaption("Other Pellimox Freeware and Shareware");
  ExitItem.SetCaption("Exit Pellimox Free Wallpaper Changer");
  AboutItem.SetCaption("About Pellimox Free Wallpaper Changer...");
  ControlPanelItem.SetCaption("Pellimox Free Wallpaper Changer Control Panel");
  MainImage.SetPicture(BannerImage.GetPicture());
  ShowTrayTip();
}

void TMainForm::ProgramStarted() { Tray.SetEnabled(true); }

void TMainForm::StartupTimerTick(ui::Component&) {
  // Once only: the sequence answers messages while it fills a long list.
  StartupTimer.SetEnabled(false);
  SayIfProgramFolderIsReadOnly();
  StoredSettings.Load(SettingsFile(SettingsPath()), kPanelParts, ExeFolder);
  // A copy: the controls below are set from what the file said, whatever
  // their handlers store meanwhile.
  const SettingsValues stored = StoredSettings.values;
  // Before the tray, a hotkey or another start can exclude a file while
  // the playlist is read.
  ReadExcluded();
  Tray.SetEnabled(true);
  CloseMeansExit = true;
  // The swatch keeps its own colour rather than its container's.
  ShowFullPathItem.SetChecked(stored.showFullPath);
  PauseChangesItem.SetChecked(stored.pauseChanges);
  ShowTrayTip();
  MainChPreview.SetChecked(stored.showPreview);
  ChangeAtStartupCheck.SetChecked(stored.changeAtStartup);
  ColorBoxColor = stored.backgroundColour;
  BackgroundSwatch.SetColor(ColorBoxColor < 0 ? GetSysColor(ColorBoxColor & 0xFF) : COLORREF(ColorBoxColor));
  // Only how the program is minimised and restored depends on this; it is
  // never shown at start-up either way.
  App().ShowMainForm = !DialogOptions().alwaysMinimize;

  // The playlist object is made when the file's lines are in: a close that
  // comes while a long file is still being read must not write an empty
  // playlist over it.
  std::string first = App().ParamStr(1);
  const ParsedCommandLine commandLine = ParseCommandLine(App().Arguments);
  if (const auto* command = std::get_if<RemoteCommand>(&commandLine)) PendingCommand = *command;
  // "/playlist" at a start is a playlist named to open, as a file alone is.
  if (PendingCommand && PendingCommand->verb == RemoteVerb::Playlist) {
    first = PendingCommand->file;
    PendingCommand.reset();
  }
  const bool namesPlaylist = !first.empty() && first != "-startup" && first != "-opensite" && !PendingCommand;
  StartupPlaylistFile = namesPlaylist ? first : DefaultPlaylistPath();
  if (!FileExists(DefaultPlaylistPath())) {
    try {
      WritePlaylistFile(DefaultPlaylistPath(), {});
    } catch (const std::exception&) {
      // A folder we may not write to shows up at the first save; nothing to say now.
    }
  }
  MainListBox.Clear();
  LoadPlaylistAnswering(StartupPlaylistFile, IsShowFullPath());
  ReadHistory();
  // Closed meanwhile: the close has saved what there was to save.
  if (App().Terminated() || !Playlist) return;
  CurrentIndex = stored.lastWallpaperIndex;
  LastRunRow = stored.lastWallpaperIndex;
  if (first == "-opensite") App().prompts().ShellOpen(nullptr, "open", ProgramPageUrl, "", "", SW_SHOWNORMAL);
  if (MainListBox.Count() == 0) FolderToRead = ExeFolder + "Images";
  // Every picture the program reads, as the automatic mode's reads take.
  const std::vector<std::string> pictures = PictureExtensions();
  ExtensionCount = uint8_t(std::min(pictures.size(), ExtensionTable.size()));
  std::copy_n(pictures.begin(), ExtensionCount, ExtensionTable.begin());
  StartFolderReader();

  bool shuffle = stored.shuffleWallpapers;
  if (shuffle) CurrentIndex = int32_t(ProgramRandom().Next(uint32_t(MainListBox.Count())));
  ShuffleCheck.SetChecked(shuffle);
  IntervalUnitBox.SetItemIndex(stored.timerInterval);
  UseTimerCheck.SetChecked(stored.enableTimer);
  IntervalValueEdit.SetValue(stored.intervalValue);
  UseTimerCheckClick(UseTimerCheck);  // the timer runs exactly when "Use timer" is ticked
  StyleBox.SetItemIndex(stored.wallpaperStyle);
  OriginXEdit.SetValue(stored.customX);
  OriginYEdit.SetValue(stored.customY);
  FunctioningMode = FunctioningModeOf(stored.functioningMode);
  AutomaticFolder = stored.automaticFolder;
  AutomaticFolderLabel.SetCaption(ShortenPath(AutomaticFolder));
  ShowFunctioningMode();
  FolderToRead = AutomaticFolder;
  if (CurrentIndex < 0 || CurrentIndex >= MainListBox.Count()) CurrentIndex = 0;
  // Started in dark mode: its playlist from the start, its first change
  // the start-up one.
  TakeColourModePlaylist(false);
  MovieWidthEdit.SetValue(stored.movieWidth);
  MovieHeightEdit.SetValue(stored.movieHeight);
  // From now on the controls hold what the file said (or its defaults).
  PanelSettingsRead = true;
  if (ChangeAtStartupCheck.Checked() || PendingCommand) {
    FolderReaderTimer.SetInterval(500);
    FolderReaderTimer.SetEnabled(true);
  }
  if (FunctioningMode == FunctioningMode::Manual) SetAuxState(AuxState::Finished);
  StartupTimer.SetEnabled(false);
}

void TMainForm::FolderReaderTimerTick(ui::Component&) {
  if (AuxState() != AuxState::Finished) return;
  FolderReaderTimer.SetEnabled(false);
  SetAuxState(AuxState::Idle);
  if (!PendingCommand) {
    NextWallpaperItemClick(*this);
    return;
  }
  // A command that shows a wallpaper takes the place of the start-up change.
  const RemoteCommand command = *PendingCommand;
  PendingCommand.reset();
  const bool showsWallpaper = command.verb != RemoteVerb::Pause && command.verb != RemoteVerb::Resume &&
                              command.verb != RemoteVerb::Favourite;
  if (!showsWallpaper && ChangeAtStartupCheck.Checked()) NextWallpaperItemClick(*this);
  RunRemoteCommand(command);
}

void TMainForm::FormShow(ui::Component&) {
  CloseMeansExit = false;
  panelOnScreen_ = true;
  SetCaption(Say(texts::kControlPanelTitle, {App().Title}));
  MainListBoxDblClick(*this);
  MainListBoxClick(*this);
}

void TMainForm::FormHide(ui::Component&) {
  CloseMeansExit = true;
  panelOnScreen_ = false;
  LetPreviewGo();
}

void TMainForm::PanelMinimized(bool minimized) {
  if (minimized) {
    panelOnScreen_ = false;
    LetPreviewGo();
  } else if (IsWindowVisible(Handle()) && !panelOnScreen_) {
    panelOnScreen_ = true;
    ui::Guarded([&] { MainListBoxClick(*this); });
  }
}

void TMainForm::FormCanResize(ui::Component&, int&, int&, bool& resize) { resize = false; }

void TMainForm::ShowControlPanel() {
  Show();
  App().Restore();
}

void TMainForm::HideControlPanel() { Hide(); }

void TMainForm::SaveDefaultPlaylist() {
  if (!Playlist) return;
  // While dark mode shows its own playlist, DefPlayList.qvl keeps the
  // panel's, and the dark one's changes go to its file.
  if (DarkMode.active) SaveDarkPlaylist();
  if (!ProgramFolderReadOnly) {
    WritePlaylistFile(DefaultPlaylistPath(), DarkMode.active ? DarkMode.ownLines : Playlist->Lines());
  }
}

void TMainForm::OkButtonClick(ui::Component&) {
  SaveDefaultPlaylist();
  CloseMeansExit = true;
  SavePanelSettings();
  Hide();
}

void TMainForm::FormCloseQuery(ui::Component&, bool& canClose) {
  // Before the start-up sequence has read the playlist there is nothing to
  // write, and writing an empty list would lose the stored one.
  SaveDefaultPlaylist();
  if (CloseMeansExit) {
    canClose = true;
  } else {
    canClose = false;
    App().Minimize();
    CloseMeansExit = true;
  }
}

void TMainForm::FormClose(ui::Component&, ui::CloseAction&) {
  SavePanelSettings();
  try {
    SaveDefaultPlaylist();
  } catch (const std::exception&) {
    ErrorBox(Say(texts::kWriteError));
  }
  Playlist.reset();
}

void TMainForm::SetRunAtStartup(bool on) {
  HKEY raw = nullptr;
  LONG r = RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr);
  if (r != ERROR_SUCCESS) throw ui::Error(std::string("Failed to create key ") + kRunKey);
  ui::RegKey key(raw);
  if (on) {
    // Quoted, so a path with blanks cannot be taken for a shorter program.
    std::string command = "\"" + App().ExeName() + "\" -startup";
    r = RegSetValueExA(key.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       DWORD(command.size() + 1));
    if (r != ERROR_SUCCESS) throw ui::Error(std::string("Failed to set data for '") + kRunValue + "'");
  } else {
    RegDeleteValueA(key.get(), kRunValue);
  }
}

}  // namespace wc
