#pragma once
// The control panel (window name "MainForm"), the program's main window.
//
// It owns the playlist, the rotation timer, the wallpaper applier and the
// tray icon. Everything it does lives in this folder, one file per concern:
// main_form.cpp (start-up and shutdown), main_form_layout.cpp (where every
// control and menu item sits), playlist_*.cpp, rotation.cpp, apply.cpp,
// preview.cpp, styles.cpp, tray_menu.cpp and the rest, named by what they do.
// The models, rules and engines it drives (playlist/, wallpaper/, scan/ ...)
// know nothing of it.
#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>

#include "app/extension_rule.h"
#include "app/remote_command.h"
#include "app/panel/panel_states.h"
#include "common/entry_kind.h"
#include "common/image32.h"
#include "lang/lang.h"
#include "playlist/excluded_files.h"
#include "playlist/playlist.h"
#include "playlist/row_table.h"
#include "scan/playlist_target.h"
#include "settings/monitor_sources.h"
#include "settings/settings_target.h"
#include "ui/window_hook.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/monitors.h"
#include "ui/timer.h"
#include "tray/tray_icon.h"
#include "ui/image_list.h"
#include "wallpaper/wp_changer.h"

namespace wc {

class ProgramCopy;  // apply.cpp

// Removes the desktop picture (Active Desktop first, the plain system call
// where that does not work).
void ClearWallpaper();

class TMainForm : public ui::Form, public PlaylistTarget, public SettingsTarget {
 public:
  explicit TMainForm(ui::Application& app);
  ~TMainForm() override;

  // The program entry's last step before the message loop.
  void ProgramStarted();

  // ---- state (the fields other windows and tests use)
  std::string ExeFolder;            // the program's folder, with a trailing backslash
  std::string StartupPlaylistFile;  // what the start-up sequence loaded
  // A close ends the program unless the panel is shown (then it goes to the
  // tray). The panel starts hidden, so a close that comes before the start-up
  // sequence ends the program with nothing read and nothing written.
  bool CloseMeansExit = true;
  // Set once the start-up sequence has read settings.ini into the controls;
  // until then nothing is written back to it.
  bool PanelSettingsRead = false;
  // The program's folder refused a new file at start and the user was told:
  // the panel's own saves there are skipped rather than failing one by one.
  bool ProgramFolderReadOnly = false;
  int32_t CurrentIndex = 0;  // row of the current wallpaper
  // Made empty by the start-up sequence, released at closing; null before
  // and after, when nothing may be read from or written to it.
  std::unique_ptr<wc::Playlist> Playlist;

  // Folder reader and modes.
  std::string FolderToRead;
  std::string AutomaticFolder;
  wc::FunctioningMode FunctioningMode = wc::FunctioningMode::Manual;
  ExtensionList ExtensionTable{};  // the first ExtensionCount are used
  uint8_t ExtensionCount = 0;
  bool RecurseSubfolders = false;

  std::string SiteUrl;
  std::string ProgramPageUrl;
  std::string DonateUrl;  // nothing gives it a value

  // The colour of the hidden swatch BackgroundSwatch: a COLORREF or a negative
  // system-colour code, kept as stored.
  int32_t ColorBoxColor = 0;

  // ---- start-up and shutdown
  void FormCreate();
  void StartupTimerTick(ui::Component& sender);
  void FolderReaderTimerTick(ui::Component& sender);
  void FormShow(ui::Component& sender);
  void FormHide(ui::Component& sender);
  void FormCanResize(ui::Component& sender, int& newWidth, int& newHeight, bool& resize);
  void FormCloseQuery(ui::Component& sender, bool& canClose);
  void FormClose(ui::Component& sender, ui::CloseAction& action);
  void OkButtonClick(ui::Component& sender);
  void ShowControlPanel() override;
  void HideControlPanel();
  void SetRunAtStartup(bool on) override;
  std::string SettingsPath() const { return ExeFolder + "settings.ini"; }
  std::string DefaultPlaylistPath() const { return ExeFolder + "DefPlayList.qvl"; }

  // ---- panel settings
  void SavePanelSettings();
  // What settings.ini holds, shared with the settings dialog: the panel's
  // part read by the start-up sequence, the dialog's by the dialog.
  SettingsModel StoredSettings;
  SettingsModel& SharedSettings() override { return StoredSettings; }
  // The settings dialog's options: as the dialog holds them, or, for a
  // panel without one, as the file says now.
  SettingsValues DialogOptions() const;

  // ---- playlist
  void FillPlaylistBox(bool showFullPath);
  // Reads a playlist file into a new playlist and fills the box as
  // FillPlaylistBox does, with the reading and the file checks on a worker
  // while the program goes on answering (a long playlist at start-up);
  // returns once every row is in, or the program is closing.
  void LoadPlaylistAnswering(const std::string& file, bool showFullPath);
  void AddFilesToPlaylist(const std::vector<std::string>& paths);
  void AddOneFile(const std::string& path);
  void HandleDroppedFiles(HDROP drop);
  // Switches dropping files onto the playlist on or off.
  void SetPlaylistDragDrop(bool on) override;
  bool PlaylistDragDrop() const { return listHook_.HookedWindow() != nullptr; }
  void MainNewClick(ui::Component& sender);
  // "New" and "Empty Wallpaper List": no entries, no rows, no preview.
  void EmptyPlaylist();
  // "Append" and a dropped playlist file: its entries after the others; a
  // file that cannot be read is said in a box and changes nothing.
  void AppendPlaylistFile(const std::string& path);
  // A playlist file's lines, or nothing when it cannot be read: then the
  // user has been told, and the caller changes nothing.
  std::optional<std::vector<std::string>> ReadPlaylistOrSay(const std::string& path);
  void MainLoadClick(ui::Component& sender);
  void MainAppendClick(ui::Component& sender);
  void MainSaveClick(ui::Component& sender);
  void ShowFullPathItemClick(ui::Component& sender);
  // The two "Scan Disk" items of the playlist menus: the scan dialog, modally.
  void ScanDiskItemClick(ui::Component& sender);
  void ListScanDiskItemClick(ui::Component& sender);
  void ShowScanDisk();

  // ---- playlist editing (playlist_editing.cpp, file_ops.cpp)
  // Row r of MainListBox shows entry Rows.Entry(r): entries whose file is
  // missing get no row, so rows and entries are not matched by position.
  RowTable Rows;
  std::optional<size_t> EntryOfRow(int row) const;
  // One more row at the end, showing `entry`.
  void AppendRow(const std::string& text, size_t entry);
  // Deletes the row and the entry it shows (not the file).
  void RemoveRowAndEntry(int row);
  void MoveUpButtonClick(ui::Component& sender);  // move up
  void MoveDownButtonClick(ui::Component& sender);  // move down
  void RemoveEntryButtonClick(ui::Component& sender);  // remove
  void AddEntriesButtonClick(ui::Component& sender);  // menu AddMenu
  void PlaylistMenuButtonClick(ui::Component& sender);  // menu PlaylistMenu
  void AddFilesItemClick(ui::Component& sender);
  void ListAddFilesItemClick(ui::Component& sender);
  void AddFolderItemClick(ui::Component& sender);
  void ListAddFolderItemClick(ui::Component& sender);
  void AddPagesItemClick(ui::Component& sender);
  void ListAddPagesItemClick(ui::Component& sender);
  void SetAsWallpaperItemClick(ui::Component& sender);
  void EmptyListItemClick(ui::Component& sender);
  void SortListItemClick(ui::Component& sender);
  void RandomiseListItemClick(ui::Component& sender);
  void FindCurrentItemClick(ui::Component& sender);
  void SelectAllItemClick(ui::Component& sender);
  void RemoveBadGraphicsItemClick(ui::Component& sender);
  void CopyFilesItemClick(ui::Component& sender);
  void DeleteFilesItemClick(ui::Component& sender);
  void RenameFilesItemClick(ui::Component& sender);
  void AddPictureFiles();
  void AddMovieAndHtmlFiles();
  // The open dialog with `filter`, several files at once; the chosen ones
  // become entries and the list is shown anew.
  void AddChosenFiles(const std::string& filter, bool picturePreview);
  void AddFromFolder();
  void SortPlaylist();
  void RandomisePlaylist();
  void RemoveBadGraphics();
  void DeleteSelectedFile();
  // The playlist menu's file operations act on the entry of the row selected
  // when the user chose them: the rotation timer, a hotkey or the tray menu
  // may select another row while the menu, a confirmation or a dialog of
  // theirs is open. A scope pins that entry (with its path, so that an entry
  // changed meanwhile is left alone) unless an outer one already did.
  class FileOperationScope {
   public:
    explicit FileOperationScope(TMainForm& panel);
    ~FileOperationScope();
    FileOperationScope(const FileOperationScope&) = delete;
    FileOperationScope& operator=(const FileOperationScope&) = delete;

   private:
    TMainForm& panel_;
    bool pinned_;
  };
  // The pinned entry while a scope is open, else the selected row's entry;
  // nothing when there is none or it no longer holds the pinned path.
  std::optional<size_t> FileOperationEntry() const;
  // True while "Remove Bad Graphics" checks files on its worker.
  bool CheckingGraphics() const { return badGraphics_ != nullptr; }

  // ---- functioning modes and the folder reader
  void AutomaticModeRadioClick(ui::Component& sender);
  void ManualModeRadioClick(ui::Component& sender);
  void ShowFunctioningMode();
  // "Playlist management", or that it is disabled in automatic mode.
  std::string PlaylistBoxCaption() const;
  void BrowseFolderButtonClick(ui::Component& sender);
  void ReloadFolderButtonClick(ui::Component& sender);
  // Empties the playlist and reads FolderToRead with the folder options'
  // filters; that folder becomes the automatic folder.
  void ReadAutomaticFolder();
  // Starts one reader on FolderToRead with the extension table as it is now.
  void StartFolderReader();
  // On the GUI thread, for a reader: one found file becomes one entry and
  // one row (no rebuild of the list).
  void AddFoundFile(const std::string& path);
  // Where the folder reading stands (shown by the hidden label "aux"); safe
  // to read and write from any thread.
  wc::AuxState AuxState() const;
  void SetAuxState(wc::AuxState state);

  // ---- preview
  void MainListBoxClick(ui::Component& sender);
  void MainChPreviewClick(ui::Component& sender);
  void PagePreviewButtonClick(ui::Component& sender);
  // Printing the preview is the capture viewer's printer set-up and picture
  // printing; until the viewer prints, the button does nothing.
  void MainPrintClick(ui::Component& sender);
  // Sizes and places MainPreview in the frame PreviewFrame for the picture.
  void FitPreview(const ui::Picture& picture);

  // ---- applying
  // Applies the chosen row (ApplyRow of the selection).
  void MainListBoxDblClick(ui::Component& sender);
  // The user's double click on a row: applied even when never to be shown
  // again, as Set Wallpaper and "Set as Wallpaper" are.
  void PlaylistRowDoubleClick(ui::Component& sender);
  // Makes row `selected` (or, with none, the current row) the wallpaper in
  // the chosen style: a missing file passes to the next entry, once round
  // the playlist at most; a picture also goes to wallpaper.bmp beside the
  // program, a movie through the page written for it; then the change
  // sound and the settings. A row never to be shown again passes to the
  // next one too, unless the user chose it by hand.
  enum class RowChoice : uint8_t { Program, ByHand };
  void ApplyRow(int selected, RowChoice choice = RowChoice::Program);
  // The style chosen in StyleBox; nothing when none is.
  std::optional<WallpaperStyle> ChosenStyle() const;
  // `decoded`: the picture of `path` as read for this change, when there is one.
  void ApplyToDesktop(const std::string& path, const ui::Bitmap* decoded);
  // The "High Quality Image Resampling" option of the settings.
  bool HighQualityResampling() const;

  // ---- several monitors
  // The settings' "A different wallpaper on each monitor".
  bool DifferentWallpaperPerMonitor() const;
  // With that option and two or more monitors: row `row` and the rows after
  // it (other rows drawn without replacement when shuffling) go one to a
  // monitor, left to right, and the next change goes on after the last of
  // them; pages, movies and missing files among them are passed over. False,
  // having done nothing, when there is a single monitor, the option is off,
  // the style is Span, `row` is no picture or the playlist has too few: the
  // usual change runs.
  bool ApplyToEachMonitor(int row);
  // Fill and Fit on two or more monitors: the picture of `path` (`decoded`
  // when it was read already) filled or fitted to each monitor's own size.
  // False, having done nothing, for another style, a page or movie, or a
  // single monitor. What it shows is kept as Shown for a later re-layout.
  bool FitOnEachMonitor(const std::string& path, WallpaperStyle style, const ui::Bitmap* decoded);

  // ---- each monitor's own source and style (own_sources.cpp)
  // What the settings keep for the monitor; a monitor never seen before,
  // or one without a device path, takes the playlist in the panel's style.
  MonitorSource SourceOfMonitor(const ui::Monitor& monitor) const;
  static WallpaperStyle StyleOfMonitor(const MonitorSource& source, WallpaperStyle panelStyle);
  // Another playlist's entries, or a folder's files as the automatic mode
  // takes them.
  std::vector<std::string> EntriesOfSource(const MonitorSource& source) const;
  // The next picture of the monitor's own source, none of `taken`; with
  // the option, the next of the monitor's shape first. Where it got to is
  // stored. Nothing when the monitor shows the playlist or its source has
  // no picture left to show.
  std::optional<std::string> NextOfOwnSource(const ui::Monitor& monitor, const std::vector<std::string>& taken);

  // ---- display changes (display_changes.cpp)
  // A new layout, scale or resolution, a resume from sleep, a session
  // unlocked: the re-layout waits for the burst to end.
  void DisplayChanged();
  void WatchDisplayChanges();
  void StopWatchingDisplayChanges();
  void RelayoutTimerTick(ui::Component& sender);
  // The pictures the program made to the monitors' sizes (Fill, Fit, Span,
  // a picture per monitor) made again for the monitors as they are now,
  // from the same files: the rotation does not move, no sound plays. With
  // anything else on the desktop, or a file gone since, nothing happens:
  // the system lays out its own wallpaper.
  void RelayOutWallpaper();
  // What the last change showed, when the program made it for the
  // monitors: the files (one per monitor, left to right, or one for all)
  // and the style.
  // A monitor as it lay when the pictures were made for it.
  struct LaidOutMonitor {
    std::string devicePath;
    RECT area{};
    bool operator==(const LaidOutMonitor& o) const {
      return devicePath == o.devicePath && EqualRect(&area, &o.area);
    }
  };
  static std::vector<LaidOutMonitor> LayoutOf(const std::vector<ui::Monitor>& monitors);
  static std::vector<LaidOutMonitor> CurrentLayout();
  struct ShownWallpaper {
    std::vector<std::string> paths;
    // With a picture per monitor, the device path of the monitor each of
    // `paths` went to: the same monitor gets the same picture again however
    // the layout changed.
    std::vector<std::string> monitors;
    // The style of each of `paths`: a monitor may have its own.
    std::vector<WallpaperStyle> styles;
    // Every monitor, left to right, as the pictures were made: a burst that
    // ends with the same monitors where they were (a resume, an unlock, a
    // monitor off and on again) leaves the desktop as it is.
    std::vector<LaidOutMonitor> layout;
  };
  ShownWallpaper Shown;
  // Shown's pictures, one per monitor, composed for the monitors now there.
  void RelayOutEachMonitor(const ShownWallpaper& shown);
  // `files`, one per monitor, each made in its monitor's style and kept as
  // Shown. Returns the bitmap of the whole desktop.
  Image32 ShowFilesOnMonitors(const std::vector<ui::Monitor>& monitors, const std::vector<std::string>& files,
                              const std::vector<WallpaperStyle>& styles);
  static std::vector<std::string> DevicePathsOf(const std::vector<ui::Monitor>& monitors);

  // ---- the next picture on one monitor (next_on_monitor.cpp)
  // The tray menu's "Next wallpaper on": an item per monitor, numbered left
  // to right and captioned with its size when the menu opens.
  void TrayMenuPopup(ui::Component& sender);
  // Monitor `monitor` (left to right) takes the next picture of the
  // playlist that no other monitor shows; the others keep theirs.
  void NextWallpaperOnMonitor(size_t monitor);
  // The same for the monitor under the pointer: the hotkey's command.
  void NextWallpaperUnderPointer() override;
  // Which of `monitors` the pointer is on, if any.
  static std::optional<size_t> MonitorUnderPointer(const std::vector<ui::Monitor>& monitors);

  // ---- rotation
  void RotationTimerTick(ui::Component& sender);
  void NextWallpaperItemClick(ui::Component& sender);
  void PreviousWallpaperItemClick(ui::Component& sender);
  void NextWallpaper() override;
  void PreviousWallpaper() override;
  void ReloadItemClick(ui::Component& sender);
  void SetWallpaperButtonClick(ui::Component& sender);
  void UseTimerCheckClick(ui::Component& sender);
  // ---- commands from the command line (remote_commands.cpp)
  // A second start of the program hands its command to this one's hidden
  // window; a command given to this start waits in PendingCommand until
  // the playlist is read and the start-up change is made.
  void WatchRemoteCommands();
  void RunRemoteCommand(const RemoteCommand& command);
  std::optional<RemoteCommand> PendingCommand;
  // "/apply": a file of the playlist as its row, any other as it is, in
  // the chosen style; a file gone does nothing.
  void ApplyFile(const std::string& path);
  // "/playlist": the playlist file's entries in place of the playlist's,
  // and the first of them applied.
  void OpenPlaylist(const std::string& path);

  // ---- favourites (favourites.cpp)
  // Appends the pictures on the desktop now to Favourites.qvl beside the
  // settings, each once; a file that cannot be read is left as it is.
  void AddToFavouritesItemClick(ui::Component& sender);
  void AddToFavourites() override;
  std::string FavouritesPath() const;
  // The files of the wallpaper the desktop shows: one, or one per monitor.
  std::vector<std::string> PicturesOnDesktop() const;
  // What the last change applied, as the files the user chose (not the
  // bitmaps made of them).
  std::vector<std::string> CurrentPictures;
  // The row the last run left on the desktop, as settings.ini kept it.
  int32_t LastRunRow = -1;

  // ---- never show again (excluded.cpp)
  // The files the user chose never to see again, as excluded.txt keeps
  // them. The rotation passes over their rows, which stay in the playlist
  // drawn dimmed (the automatic mode's folder lists them so too); Add
  // folder leaves them out.
  ExcludedFiles Excluded;
  std::string ExcludedPath() const;
  // False when the file is there but cannot be read.
  bool ReadExcluded();
  bool excludedUnread_ = false;
  bool IsExcludedRow(int row) const;
  // The tray menu's, the hotkey's and "/exclude": the picture on the
  // desktop (with one on each monitor, the one under the pointer) is
  // excluded and another takes its place.
  void NeverShowAgainItemClick(ui::Component& sender);
  void NeverShowAgain() override;
  // The playlist menu's two, for the selected row's file; the menu offers
  // the one that applies.
  void ListNeverShowAgainItemClick(ui::Component& sender);
  void ShowAgainItemClick(ui::Component& sender);
  void PlaylistMenuPopup(ui::Component& sender);
  // The settings' list of excluded files and its "Show again".
  std::vector<std::string> ExcludedFileList() const override;
  void ShowAgain(const std::vector<std::string>& paths) override;
  // Adds `path` to the list and stores it.
  void Exclude(const std::string& path);
  void StoreExcluded();
  // A file moved or renamed by the playlist's file operations stays
  // excluded under its new name.
  void ExcludedFileMoved(const std::string& from, const std::string& to);
  // The next picture where the desktop shows `path`: on its monitors when
  // each has its own, else the next change.
  void ShowAnotherInPlaceOf(const std::string& path);

  // ---- recent wallpapers (recent.cpp)
  // The pictures applied, newest first, as history.txt keeps them.
  std::vector<std::string> History;
  std::string HistoryPath() const;
  void ReadHistory();
  // A change showed `paths`: they are the current pictures and go to the
  // front of the history, which is stored.
  void NowShowing(const std::vector<std::string>& paths);
  // The tray menu's "Recent wallpapers" filled from the history as the
  // menu opens: pictures that still exist, with their thumbnails.
  void ShowRecentItems();
  void RecentItemClick(size_t k);

  // ---- Windows' light and dark mode (colour_mode.cpp)
  // With the settings' "A playlist for Windows' dark mode", dark mode shows
  // that playlist and light mode the panel's own, and the current picture
  // of the one taken is applied. Followed when Windows switches and at
  // start-up; in manual mode only.
  void WatchColourMode();
  void FollowColourMode() override;
  void TakeColourModePlaylist(bool apply);
  // The dark playlist's file, when the user changed its entries.
  void SaveDarkPlaylist();
  struct DarkModePlaylist {
    bool active = false;
    std::string file;
    std::vector<std::string> ownLines;  // the panel's own playlist, put aside
    int32_t ownIndex = 0;
    std::vector<std::string> readLines;  // the dark playlist as its file holds it
  };
  DarkModePlaylist DarkMode;

  // ---- pausing the changes (pause.cpp)
  // "Pause changes": while paused the timer changes nothing, and the tray
  // tip says so; kept in the settings across restarts. Resuming starts the
  // interval afresh. Every other way to change the wallpaper still works.
  void PauseChangesItemClick(ui::Component& sender);
  void TogglePause() override;
  void SetPaused(bool on);
  bool Paused() const { return PauseChangesItem.Checked(); }
  // The rotation timer runs when "Use timer" is ticked and nothing is
  // paused, from the start of its interval.
  void RestartRotationTimer();
  // The tray tip: the program's name, and whether the changes are paused.
  void ShowTrayTip();
  void IntervalValueEditChange(ui::Component& sender);
  void IntervalUnitBoxChange(ui::Component& sender);
  // The rotation timer's interval for the chosen value and unit; values the
  // timer cannot take switch it off and say so beside the controls.
  void UpdateTimerInterval();

  // ---- styles and clearing
  // The style box set to `style`, then the chosen row applied in it: the
  // tray menu's style commands (bound from the style table).
  void ApplyStyle(WallpaperStyle style);
  void ClearWallpaperItemClick(ui::Component& sender);
  // Removes the desktop picture (ClearWallpaper) and forgets what was shown.
  void ClearDesktop();
  void ClearWallpaperButtonClick(ui::Component& sender);

  // ---- the tray icon, its menu and the speed buttons
  void TrayClick(ui::Component& sender);
  void ControlPanelItemClick(ui::Component& sender);
  void SettingsItemClick(ui::Component& sender);
  void CaptureDesktopItemClick(ui::Component& sender);
  void CaptureDesktop() override;
  void CaptureAreaItemClick(ui::Component& sender);
  void CaptureWindowItemClick(ui::Component& sender);
  void CaptureObjectItemClick(ui::Component& sender);
  void DisplayPropertiesItemClick(ui::Component& sender);
  void ScreenSaverItemClick(ui::Component& sender);
  void HideDesktopIconsItemClick(ui::Component& sender);
  void HelpItemClick(ui::Component& sender);
  void AboutItemClick(ui::Component& sender);
  void OtherProgramsItemClick(ui::Component& sender);
  void DonateItemClick(ui::Component& sender);
  void ExitItemClick(ui::Component& sender);
  void ScreenCaptureButtonClick(ui::Component& sender);
  void SettingsButtonClick(ui::Component& sender);
  void HelpButtonClick(ui::Component& sender);
  // Tooltips on or off for the controls of the control panel, the settings
  // dialog and the capture viewer.
  void SetHintsShown(bool on) override;
  // The controls whose tool tips "Show help hints" switches, as
  // "Window.Control" paths.
  static std::span<const char* const> HintedControls();

  // ---- languages (language.cpp)
  // Item indexes of the unit and style boxes kept across a translation run,
  // which replaces both item lists.
  int SavedUnitIndex = -1;
  int SavedStyleIndex = -1;
  void TranslatorBeforeTranslation(ui::Component& sender);
  void TranslatorAfterTranslation(ui::Component& sender);
  // The file of a language name: the program's folder + name + ".lng".
  std::string LanguageFilePath(const std::string& languageName) const;
  // Translates the program into the named language unless its file is the
  // one already in use (start-up, the language box, "Reset to Default").
  void UseLanguage(const std::string& languageName) override;
  // What the clear-wallpaper hotkey says once the wallpaper is gone, and
  // the box that says it.
  std::string WallpaperClearedText() const;
  void ShowWallpaperClearedMessage();
  // The title, the playlist box's caption and the timer's note in the
  // language now in use.
  void TextsReplaced() override;

  // ---- what the dialogs ask of the panel (dialog_targets.cpp)
  std::string ProgramFolder() const override;
  std::string FolderForReading() const override;
  void SetFolderForReading(const std::string& folder) override;
  void SetReadFilters(const std::vector<std::string>& extensions, bool recurse) override;
  void ClearReadFilters() override;
  void AddEntries(const std::vector<std::string>& paths) override;
  void AddFoundFiles(const std::vector<std::string>& paths) override;
  std::optional<size_t> SelectedEntry() const override;
  std::string SelectedRowText() const override;
  std::string EntryPath(size_t entry) const override;
  void EntryMoved(size_t entry, const std::string& path) override;
  void EntryRenamed(size_t entry, const std::string& path, const std::string& name) override;
  void SetTrayIconCycling(bool on) override;
  void ClearWallpaperAndSay() override;

  // ---- the colour swatch
  void BackgroundSwatchClick(ui::Component& sender);

  // ---- controls, in layout order
  ui::Image MainImage{this, "MainImage"};
  ui::Image BannerImage{this, "Image1"};
  ui::Panel ButtonBar{this, "Panel1"};
  ui::SpeedButton SetWallpaperButton{this, "BitBtn1"};
  ui::SpeedButton ClearWallpaperButton{this, "BitBtn2"};
  ui::SpeedButton ScreenCaptureButton{this, "BitBtn4"};
  ui::SpeedButton SettingsButton{this, "BitBtn5"};
  ui::SpeedButton HelpButton{this, "BitBtn6"};

  ui::GroupBox FunctioningModeBox{this, "GroupBox5"};
  ui::RadioButton AutomaticModeRadio{this, "modeautomatic"};
  ui::RadioButton ManualModeRadio{this, "modemanual"};
  ui::Button BrowseFolderButton{this, "browse"};
  ui::Button ReloadFolderButton{this, "reload"};
  ui::Label AutomaticFolderCaption{this, "Label2"};
  ui::Label AutomaticFolderLabel{this, "automaticlocation"};
  ui::Label ReaderStateLabel{this, "aux"};

  ui::GroupBox PlaylistBox{this, "GroupBox1"};
  ui::ListBox MainListBox{this, "MainListBox"};
  ui::Button MoveUpButton{this, "MainBitBtn1"};
  ui::Button MoveDownButton{this, "MainBitBtn2"};
  ui::Button RemoveEntryButton{this, "MainBitBtn3"};
  ui::Button AddEntriesButton{this, "MainBitBtn4"};
  ui::Button PlaylistMenuButton{this, "MainBitBtn5"};
  ui::Button MainNew{this, "MainNew"};
  ui::Button MainAppend{this, "MainAppend"};
  ui::Button MainLoad{this, "MainLoad"};
  ui::Button MainSave{this, "MainSave"};

  ui::GroupBox WallpaperControlBox{this, "GroupBox3"};
  ui::CheckBox ChangeAtStartupCheck{this, "CheckBox1"};
  ui::CheckBox ShuffleCheck{this, "CheckBox2"};
  ui::CheckBox UseTimerCheck{this, "CheckBox3"};
  ui::SpinEdit IntervalValueEdit{this, "MainTime"};
  ui::ComboBox IntervalUnitBox{this, "MainComboBox"};
  ui::Label IntervalNote{this, "IntervalNote"};

  ui::GroupBox WallpaperInformationBox{this, "GroupBox2"};
  ui::Label MainLocationLabel{this, "MainLocationLabel"};
  ui::Label LocationValue{this, "locationval"};
  ui::Label MainTypeLabel{this, "MainTypeLabel"};
  ui::Label TypeValue{this, "typeval"};
  ui::Label MainSizeLabel{this, "MainSizeLabel"};
  ui::Label SizeValue{this, "sizeval"};
  ui::Label MainPropertiesLabel{this, "MainPropertiesLabel"};
  ui::Label PropertiesValue{this, "propertiesval"};
  ui::Label MainCreationLabel{this, "MainCreationLavel"};
  ui::Label CreationValue{this, "creationval"};
  ui::Label MainWallpaperStyleLabel{this, "MainWallpaperStyleLabel"};
  ui::ComboBox StyleBox{this, "ComboBox1"};
  ui::Label OriginXLabel{this, "Label3"};
  ui::SpinEdit OriginXEdit{this, "SpinEdit1"};
  ui::Label OriginYLabel{this, "Label4"};
  ui::SpinEdit OriginYEdit{this, "SpinEdit2"};
  ui::Label MovieDimensionLabel{this, "MovieDimensionLabel"};
  ui::Label MovieWidthLabel{this, "moviewidthlabel"};
  ui::SpinEdit MovieWidthEdit{this, "moviewidthspin"};
  ui::Label MovieHeightLabel{this, "Movieheightlabel"};
  ui::SpinEdit MovieHeightEdit{this, "movieheightspin"};
  ui::Label ActiveDesktopNote{this, "lunglabel"};
  ui::Button PagePreviewButton{this, "htmlpreviewbutton"};

  ui::GroupBox PreviewBox{this, "GroupBox4"};
  ui::Image MainPreview{this, "MainPreview"};
  ui::Bevel PreviewFrame{this, "Bevel1"};
  ui::CheckBox MainChPreview{this, "MainChPreview"};
  ui::Button MainPrint{this, "MainPrint"};
  ui::Panel BackgroundSwatch{this, "ColorBox1"};

  ui::Button OkButton{this, "Button1"};

  // ---- non-visual parts
  ui::Timer StartupTimer{this, "timer_start", 2000, false};
  ui::Timer FolderReaderTimer{this, "timer_forautomatic", 500, false};
  ui::Timer RotationTimer{this, "Timer1", 0, false};
  // Started again by every display change, so a burst makes one re-layout.
  ui::Timer RelayoutTimer{this, "RelayoutTimer", 500, false};
  TWPChanger WPChanger1{this, "WPChanger1"};
  ui::ImageList TrayIconFrames{this, "ImageList1"};
  TLanguage Translator{this, "Language1"};

  // The tray menu.
  ui::PopupMenu TrayMenu{this, "PopupMenu1"};
  ui::MenuItem ControlPanelItem{this, "DrapenixControlPanel1", nullptr, "Control Panel"};
  ui::MenuItem SettingsItem{this, "Settings1", nullptr, "Settings..."};
  ui::MenuItem N1{this, "N1", nullptr, "-"};
  ui::MenuItem ScreenCaptureMenu{this, "ScreenCapture1", nullptr, "Screen Capture"};
  ui::MenuItem CaptureDesktopItem{this, "Desktop1", &ScreenCaptureMenu, "Desktop"};
  ui::MenuItem CaptureAreaItem{this, "SelectedArea1", &ScreenCaptureMenu, "Selected Area"};
  ui::MenuItem CaptureWindowItem{this, "ActiveWindow1", &ScreenCaptureMenu, "Active Window"};
  ui::MenuItem CaptureObjectItem{this, "SelectedObject1", &ScreenCaptureMenu, "Selected Object"};
  ui::MenuItem N2{this, "N2", nullptr, "-"};
  ui::MenuItem PreviousWallpaperItem{this, "PreviousWallpaper1", nullptr, "Previous Wallpaper"};
  ui::MenuItem NextWallpaperItem{this, "NextWallpape1", nullptr, "Next Wallpaper"};
  ui::MenuItem ReloadItem{this, "Reload1", nullptr, "Reload"};
  ui::MenuItem PauseChangesItem{this, "PauseChanges1", nullptr, "Pause changes"};
  ui::MenuItem AddToFavouritesItem{this, "AddToFavourites1", nullptr, "Add to favourites"};
  ui::MenuItem NeverShowAgainItem{this, "NeverShowAgain1", nullptr, "Never show again"};
  ui::MenuItem RecentMenu{this, "RecentWallpapers1", nullptr, "Recent wallpapers"};
  std::vector<std::unique_ptr<ui::MenuItem>> RecentItems;  // "Recent1" ... "Recent10"
  ui::MenuItem ClearWallpaperItem{this, "ClearWallpaper1", nullptr, "Clear Wallpaper"};
  ui::MenuItem StyleMenu{this, "ClearWallpaperPosition1", nullptr, "Clear Wallpaper Position"};
  ui::MenuItem CenterItem{this, "Center1", &StyleMenu, "Center"};
  ui::MenuItem TileItem{this, "ile1", &StyleMenu, "Tile"};
  ui::MenuItem StretchItem{this, "FitToScreen1", &StyleMenu, "Fit to screen"};
  ui::MenuItem CustomPositionItem{this, "CustomPosition1", &StyleMenu, "Custom Position"};
  ui::MenuItem FillItem{this, "Fill1", &StyleMenu, "Fill"};
  ui::MenuItem FitItem{this, "Fit1", &StyleMenu, "Fit"};
  ui::MenuItem SpanItem{this, "Span1", &StyleMenu, "Span"};
  ui::MenuItem AutoFitItem{this, "AutoFit1", &StyleMenu, "Auto fit"};
  ui::MenuItem NextOnMonitorMenu{this, "NextWallpaperOn1", nullptr, "Next wallpaper on"};
  // Its items, one per monitor, made with the menu (at most this many shown).
  static constexpr size_t kMonitorItems = 8;
  std::vector<std::unique_ptr<ui::MenuItem>> NextOnMonitorItems;
  ui::MenuItem N3{this, "N3", nullptr, "-"};
  ui::MenuItem DisplayPropertiesItem{this, "ShowDisplayProperties1", nullptr, "Show Display Properties"};
  ui::MenuItem ScreenSaverItem{this, "LaunchWindowsScreenSaver1", nullptr, "Launch Windows Screen Saver"};
  ui::MenuItem HideDesktopIconsItem{this, "HideDesktopIcons1", nullptr, "Hide Desktop Icons"};
  ui::MenuItem N4{this, "N4", nullptr, "-"};
  ui::MenuItem HelpItem{this, "Help1", nullptr, "Help"};
  ui::MenuItem AboutItem{this, "AboutDrapenix1", nullptr, "About..."};
  ui::MenuItem N11{this, "N11", nullptr, "-"};
  ui::MenuItem OtherProgramsItem{this, "OtherVantorelUtilites1", nullptr, "Other Freeware and Shareware"};
  ui::MenuItem DonateItem{this, "Donate1", nullptr, "Make a Donation..."};
  ui::MenuItem N5{this, "N5", nullptr, "-"};
  ui::MenuItem ExitItem{this, "ExitDrapenix1", nullptr, "Exit"};

  // Last: it uses the image list and the menu above.
  TTrayIcon Tray{this, "TrayIcon1"};

  // Menu "Add1" (ways to add wallpapers) and "Add2" (the playlist menu).
  ui::PopupMenu AddMenu{this, "Add1"};
  ui::MenuItem AddFilesItem{this, "Addwallpapers1", nullptr, "Add from &file"};
  ui::MenuItem AddFolderItem{this, "Addfromfolder1", nullptr, "Add from f&older"};
  ui::MenuItem AddPagesItem{this, "AddHTMLandMovieWallpapers1", nullptr, "Add HTML and &Movie Wallpapers"};
  ui::MenuItem ScanDiskItem{this, "ScanDiskforWallpapers1", nullptr, "Scan &Disk for Wallpapers"};
  ui::MenuItem DownloadItem{this, "Download1", nullptr, "Down&load"};
  ui::PopupMenu PlaylistMenu{this, "Add2"};
  ui::MenuItem SetAsWallpaperItem{this, "SetasWallpaper1", nullptr, "Set as Wallpaper"};
  ui::MenuItem ListAddToFavouritesItem{this, "AddToFavourites2", nullptr, "Add to favourites"};
  ui::MenuItem ListNeverShowAgainItem{this, "NeverShowAgain2", nullptr, "Never show again"};
  ui::MenuItem ShowAgainItem{this, "ShowAgain1", nullptr, "Show again"};
  ui::MenuItem N6{this, "N6", nullptr, "-"};
  ui::MenuItem ListAddFilesItem{this, "AddFromFile1", nullptr, "Add From File"};
  ui::MenuItem ListAddFolderItem{this, "AddFromFolder2", nullptr, "Add From Folder"};
  ui::MenuItem ListAddPagesItem{this, "AddHTMLWallpaper1", nullptr, "Add HTML and Movie Wallpaper"};
  ui::MenuItem ListScanDiskItem{this, "ScanDiskForWallpapers2", nullptr, "Scan Disk For Wallpapers"};
  ui::MenuItem ListDownloadItem{this, "Download2", nullptr, "Download"};
  ui::MenuItem N7{this, "N7", nullptr, "-"};
  ui::MenuItem EmptyListItem{this, "EmptyWallpaperList1", nullptr, "Empty Wallpaper List"};
  ui::MenuItem SortListItem{this, "SortWallpaperList1", nullptr, "Sort Wallpaper List"};
  ui::MenuItem RandomiseListItem{this, "RandomiseWallpaperList1", nullptr, "Randomise Wallpaper List"};
  ui::MenuItem ShowFullPathItem{this, "ShowFullPath1", nullptr, "Show Full Path"};
  ui::MenuItem N8{this, "N8", nullptr, "-"};
  ui::MenuItem CopyFilesItem{this, "CopyFiles1", nullptr, "Copy Files"};
  ui::MenuItem DeleteFilesItem{this, "MoveFiles1", nullptr, "Delete Files"};
  ui::MenuItem MoveFilesItem{this, "MoveFiles2", nullptr, "Move Files"};
  ui::MenuItem RenameFilesItem{this, "RenameFiles1", nullptr, "Rename Files"};
  ui::MenuItem N9{this, "N9", nullptr, "-"};
  ui::MenuItem FindCurrentItem{this, "FindCurrentSelection1", nullptr, "Find Current Selection"};
  ui::MenuItem SelectAllItem{this, "SellectAll1", nullptr, "Sellect All"};
  ui::MenuItem InvertSelectionItem{this, "InvertSelection1", nullptr, "Invert Selection"};
  ui::MenuItem N10{this, "N10", nullptr, "-"};
  ui::MenuItem RemoveBadGraphicsItem{this, "RemoveBadGraphics1", nullptr, "Remove Bad Graphics"};

 private:
  struct PinnedEntry {
    std::optional<size_t> entry;
    std::string path;
  };
  std::optional<PinnedEntry> fileOperation_;
  void BuildControls();  // main_form_layout.cpp
  // Shares the toolbar's width among its buttons by their captions.
  void FitToolbar();
  void BindHandlers();
  void SetUpLanguage();  // language.cpp
  bool IsShowFullPath() const { return ShowFullPathItem.Checked(); }
  // Next and Previous: applies `row`, or a random row when shuffling, or
  // the first after it going `step` that is not excluded.
  void ApplyRowOrShuffled(int32_t row, int step);
  // `row`, or the first after it going `step` (+1 or -1) that is not
  // excluded; nullopt when every row is.
  std::optional<int32_t> RowToShow(int32_t row, int step) const;
  // A box with one OK button and the error sign.
  void ErrorBox(const std::string& text);
  // Settings and playlists are kept beside the program: a folder the user
  // may not write (the program copied into Program Files by hand) is said
  // once at start, with what to do, rather than at every save.
  void SayIfProgramFolderIsReadOnly();  // program_folder.cpp
  // DefPlayList.qvl from the playlist, when there is one and the folder
  // may be written; a failed write throws.
  void SaveDefaultPlaylist();
  // The playlist box's replacement procedure while drag and drop is on:
  // dropped files are added, and every message goes on to the box.
  bool PlaylistBoxWindowProc(UINT msg, WPARAM w, LPARAM l, LRESULT& result);

  // The file of `row` when it is a picture that exists.
  std::optional<std::string> MonitorPictureOfRow(int row) const;
  // The same for the rotation: nullopt for an excluded row as well.
  std::optional<std::string> RotationPictureOfRow(int row) const;
  // What each of `monitors` shows now and in which style: the pictures the
  // program made for them, else the current entry's picture on each (no
  // paths when there is none).
  struct MonitorPictures {
    std::vector<std::string> paths;
    std::vector<WallpaperStyle> styles;
  };
  MonitorPictures PicturesOnMonitors(const std::vector<ui::Monitor>& monitors) const;
  // Gives monitor k (left to right) pictures[k] in styles[k], each made to
  // its monitor's size: a file per monitor where the system takes one, else
  // one tiled bitmap of the virtual screen, which is returned either way.
  Image32 ShowOnMonitors(const std::vector<ui::Monitor>& monitors, const std::vector<const ui::Bitmap*>& pictures,
                         const std::vector<WallpaperStyle>& styles, uint32_t background);

  // One entry's description (MainListBoxClick without its re-entry guard).
  void DescribeSelectedEntry();
  // Removing a vanished entry refills the list, which describes the entry
  // then selected; that description runs after the current one instead of
  // inside it, so a run of vanished entries cannot nest without bound.
  bool describing_ = false;
  bool describeAgain_ = false;
  bool clearPreviewAfter_ = false;
  // The preview decodes only while the panel is on the screen (a tray
  // program waits hidden for hours) and keeps a picture of its own size;
  // the file it was made from is printed at full size.
  bool panelOnScreen_ = false;
  std::string previewFile_;
  void ShowPreviewOf(const std::string& path);
  void LetPreviewGo();
  void PanelMinimized(bool minimized);
  int minimizeHook_ = 0;
  int displayHook_ = 0;
  int remoteHook_ = 0;
  int colourHook_ = 0;
  // A small picture of each recent wallpaper, made when the menu first shows it.
  const Image32& ThumbnailOf(const std::string& path);
  std::map<std::string, Image32> thumbnails_;
  std::vector<std::string> recentShown_;  // the paths of the recent items shown

  ui::HookTo<TMainForm> listHook_{*this, &TMainForm::PlaylistBoxWindowProc};
  // Entries skipped in a row because their files are missing; bounds the
  // skipping to one pass over the playlist.
  int missingSkips_ = 0;
  bool skipsExhausted_ = false;
  // The steps of ApplyRow (apply.cpp).
  // The row to apply, made current and selected; nothing for an empty list.
  std::optional<int> SettleCurrentRow(int selected);
  // The current row's file is missing: the next entry instead.
  void SkipMissingEntry();
  // The picture of a picture entry; empty for a page or movie.
  ui::Picture ReadEntryPicture(const std::string& path, EntryKind kind);
  // wallpaper.bmp beside the program, on `copy`'s thread when it can be.
  void WriteProgramCopyOf(const ui::Picture& decoded, ProgramCopy& copy) const;
  // movie.html beside the program, showing `movie`; its path.
  std::string WriteMoviePage(const std::string& movie) const;
  // The change sound and the settings saved, once a change is made.
  void EndChange();
  // What AuxState reads; the readers write it from their threads.
  std::shared_ptr<std::atomic<wc::AuxState>> readerState_;
  // Made by the first reader; shared with every reader (folder_reader.cpp).
  std::shared_ptr<struct RunningReaders> runningReaders_;
  // The fill running on a worker, if any (startup_fill.cpp).
  std::shared_ptr<struct AnsweringFill> answeringFill_;
  void AbandonAnsweringFill();
  // The running "Remove Bad Graphics", if any (remove_bad_graphics.cpp).
  std::shared_ptr<struct BadGraphicsCheck> badGraphics_;
  // Its steps: the entries taken and the list locked; a group of bad
  // entries removed; the list given back.
  std::shared_ptr<BadGraphicsCheck> StartBadGraphicsCheck();
  void RemoveBadGroup(const std::weak_ptr<BadGraphicsCheck>& job, const std::vector<size_t>& bad, size_t checked,
                      size_t total);
  void EndBadGraphicsCheck(const std::weak_ptr<BadGraphicsCheck>& job);
  // Held from the start of a translation run to its end: the menu bars are
  // built once with all their new captions.
  std::optional<ui::MenuChangeBatch> translatingMenus_;
};

}  // namespace wc
