#pragma once
// Everything the program keeps in settings.ini, declared once: the values
// (SettingsValues) and the table of where each is stored, of what type and
// with what default (kSettingRows). The control panel and the settings
// dialog share one SettingsModel; each reads and saves the part it owns,
// and reads the other's values from the model, never from its controls.
//
// Adding an option: a field below and a row in kSettingRows, in the place
// where its part writes it.
//
// The file keeps one section per option with a single key. Names match
// without regard to case, so "Value" and "value" are one key; a row names
// the key as the program writes it. A value that is no integer (for a
// number or a box) reads as the row's default. Saving writes only the rows
// of the parts named, in table order, so every other section and key of the
// file (a newer version's, another program's) stays as it was.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace wc {

struct SettingsValues {
  // ---- the control panel, written after every change of wallpaper
  bool showPreview;
  bool changeAtStartup;
  int32_t lastWallpaperIndex;
  bool shuffleWallpapers;
  int32_t timerInterval;  // the row of the interval list
  bool enableTimer;
  int32_t intervalValue;
  int32_t wallpaperStyle;  // the row of the style list
  int32_t customX;
  int32_t customY;
  int32_t backgroundColour;  // a COLORREF, or a negative system-colour code
  int32_t functioningMode;   // 1 automatic, 2 manual, as stored
  std::string automaticFolder;
  int32_t movieWidth;
  int32_t movieHeight;
  // ---- the panel's menu, written when ticked
  bool showFullPath;
  bool pauseChanges;  // the tray menu's "Pause changes": the timer changes nothing
  // ---- the settings dialog, written by its Apply
  bool showHints;
  bool runAtStartup;
  bool alwaysMinimize;
  bool animateTrayIcon;
  bool dragAndDrop;
  bool askConfirmations;  // kept and stored; nothing asks
  bool highQualityResampling;
  bool eachMonitor;
  bool preferShapedPictures;  // a portrait monitor takes portrait pictures, a landscape one landscape
  bool registerPlaylistType;
  bool darkPlaylistOn;           // Windows' dark mode takes a playlist of its own
  std::string darkPlaylistFile;  // that playlist
  std::string language;
  bool openPanelHotkeyOn;
  bool nextHotkeyOn;
  bool previousHotkeyOn;
  bool clearHotkeyOn;
  bool nextOnMonitorHotkeyOn;
  bool pauseHotkeyOn;
  bool favouriteHotkeyOn;
  bool excludeHotkeyOn;
  int32_t openPanelHotkey;  // a key combination as the hotkey field gives it
  int32_t nextHotkey;
  int32_t previousHotkey;
  int32_t clearHotkey;
  int32_t captureHotkey;
  int32_t nextOnMonitorHotkey;  // the next picture on the monitor under the pointer
  int32_t pauseHotkey;          // pauses the changes, or resumes them
  int32_t favouriteHotkey;      // adds the wallpaper to the favourites
  int32_t excludeHotkey;        // never shows the wallpaper again
  bool playSound;
  bool shuffleSounds;
  std::string soundList;  // a sound-list file, or "Default"
};

// Who writes a row, and so when it is read and saved.
enum class SettingsPart : uint8_t { Panel = 1, PanelMenu = 2, Dialog = 4 };
using SettingsParts = uint8_t;
constexpr SettingsParts operator|(SettingsPart a, SettingsPart b) { return SettingsParts(uint8_t(a) | uint8_t(b)); }
inline constexpr SettingsParts kPanelParts = SettingsPart::Panel | SettingsPart::PanelMenu;
inline constexpr SettingsParts kAllSettingsParts = kPanelParts | uint8_t(SettingsPart::Dialog);

enum SettingRowFlags : uint8_t {
  // Written for older versions of the program, never read: another row
  // holds the same value and decides.
  kWrittenOnly = 1,
  // A text default that names a place in the program's folder.
  kInProgramFolder = 2,
};

struct SettingRow {
  using Field = std::variant<bool SettingsValues::*, int32_t SettingsValues::*, std::string SettingsValues::*>;
  using Default = std::variant<bool, int32_t, const char*>;
  const char* section;
  const char* key;
  SettingsPart part;
  Field field;
  Default fallback;  // of the field's type (a text for a string)
  uint8_t flags = 0;
};

namespace settings_rows {
constexpr SettingRow Box(const char* section, SettingsPart part, bool SettingsValues::*field, bool fallback,
                         uint8_t flags = 0) {
  return {section, "Checked", part, field, fallback, flags};
}
constexpr SettingRow Number(const char* section, const char* key, SettingsPart part, int32_t SettingsValues::*field,
                            int32_t fallback) {
  return {section, key, part, field, fallback};
}
constexpr SettingRow Text(const char* section, SettingsPart part, std::string SettingsValues::*field,
                          const char* fallback, uint8_t flags = 0) {
  return {section, "value", part, field, fallback, flags};
}
}  // namespace settings_rows

// In the order each part writes its rows.
inline constexpr SettingRow kSettingRows[] = {
    // clang-format off
    settings_rows::Box("Show Preview", SettingsPart::Panel, &SettingsValues::showPreview, true),
    settings_rows::Box("Change at Startup", SettingsPart::Panel, &SettingsValues::changeAtStartup, true),
    settings_rows::Number("Last Wallpaper Index", "Value", SettingsPart::Panel, &SettingsValues::lastWallpaperIndex, 0),
    settings_rows::Box("Shuffle Wallpapers", SettingsPart::Panel, &SettingsValues::shuffleWallpapers, false),
    settings_rows::Number("Timer interval", "value", SettingsPart::Panel, &SettingsValues::timerInterval, 0),
    settings_rows::Box("Enable Timer", SettingsPart::Panel, &SettingsValues::enableTimer, false),
    settings_rows::Number("Interval Value", "Value", SettingsPart::Panel, &SettingsValues::intervalValue, 0),
    settings_rows::Number("Wallpaper style", "value", SettingsPart::Panel, &SettingsValues::wallpaperStyle, 2),
    settings_rows::Number("Custom position X", "value", SettingsPart::Panel, &SettingsValues::customX, 0),
    settings_rows::Number("Custom position Y", "value", SettingsPart::Panel, &SettingsValues::customY, 0),
    settings_rows::Number("ColorBox1", "Color", SettingsPart::Panel, &SettingsValues::backgroundColour, 0),
    settings_rows::Number("Functioning mode", "value", SettingsPart::Panel, &SettingsValues::functioningMode, 2),
    settings_rows::Text("Automatic mode location", SettingsPart::Panel, &SettingsValues::automaticFolder, "images",
                        kInProgramFolder),
    settings_rows::Number("movie width", "Value", SettingsPart::Panel, &SettingsValues::movieWidth, 800),
    settings_rows::Number("movie height", "Value", SettingsPart::Panel, &SettingsValues::movieHeight, 600),

    settings_rows::Box("Show Full Path", SettingsPart::PanelMenu, &SettingsValues::showFullPath, false),
    settings_rows::Box("Pause Changes", SettingsPart::PanelMenu, &SettingsValues::pauseChanges, false),

    settings_rows::Box("Show help tips", SettingsPart::Dialog, &SettingsValues::showHints, false),
    settings_rows::Box("Run at startup", SettingsPart::Dialog, &SettingsValues::runAtStartup, true),
    // The program lives in the notification area: a file without the key
    // means minimized, to the panel as to the dialog.
    settings_rows::Box("Always minimize", SettingsPart::Dialog, &SettingsValues::alwaysMinimize, true),
    settings_rows::Box("Animate Wallpaper", SettingsPart::Dialog, &SettingsValues::animateTrayIcon, false),
    settings_rows::Box("Enable Drag and Drop", SettingsPart::Dialog, &SettingsValues::dragAndDrop, false),
    settings_rows::Box("Ask Confirmations", SettingsPart::Dialog, &SettingsValues::askConfirmations, false),
    settings_rows::Box("High Quality Image Resampling", SettingsPart::Dialog, &SettingsValues::highQualityResampling, false),
    settings_rows::Box("Different Wallpaper on each Monitor", SettingsPart::Dialog, &SettingsValues::eachMonitor, false),
    settings_rows::Box("Prefer Pictures Shaped like the Monitor", SettingsPart::Dialog, &SettingsValues::preferShapedPictures, false),
    settings_rows::Box("Register Extensions", SettingsPart::Dialog, &SettingsValues::registerPlaylistType, false),
    settings_rows::Box("Dark Mode Playlist", SettingsPart::Dialog, &SettingsValues::darkPlaylistOn, false),
    settings_rows::Text("Dark Mode Playlist File", SettingsPart::Dialog, &SettingsValues::darkPlaylistFile, ""),
    settings_rows::Text("language", SettingsPart::Dialog, &SettingsValues::language, "English"),
    settings_rows::Box("Checkbox8", SettingsPart::Dialog, &SettingsValues::openPanelHotkeyOn, false),
    settings_rows::Box("Checkbox9", SettingsPart::Dialog, &SettingsValues::nextHotkeyOn, false),
    settings_rows::Box("Checkbox10", SettingsPart::Dialog, &SettingsValues::previousHotkeyOn, false),
    settings_rows::Box("Checkbox11", SettingsPart::Dialog, &SettingsValues::clearHotkeyOn, false),
    settings_rows::Box("Checkbox12", SettingsPart::Dialog, &SettingsValues::registerPlaylistType, false, kWrittenOnly),
    settings_rows::Number("Hotkey8", "value", SettingsPart::Dialog, &SettingsValues::openPanelHotkey, 0),
    settings_rows::Number("Hotkey9", "value", SettingsPart::Dialog, &SettingsValues::nextHotkey, 0),
    settings_rows::Number("Hotkey10", "value", SettingsPart::Dialog, &SettingsValues::previousHotkey, 0),
    settings_rows::Number("Hotkey11", "value", SettingsPart::Dialog, &SettingsValues::clearHotkey, 0),
    settings_rows::Number("Hotkey17", "value", SettingsPart::Dialog, &SettingsValues::captureHotkey, 0),
    settings_rows::Box("NextOnMonitorCheckBox", SettingsPart::Dialog, &SettingsValues::nextOnMonitorHotkeyOn, false),
    settings_rows::Number("NextOnMonitorHotKey", "value", SettingsPart::Dialog, &SettingsValues::nextOnMonitorHotkey, 0),
    settings_rows::Box("PauseCheckBox", SettingsPart::Dialog, &SettingsValues::pauseHotkeyOn, false),
    settings_rows::Number("PauseHotKey", "value", SettingsPart::Dialog, &SettingsValues::pauseHotkey, 0),
    settings_rows::Box("FavouriteCheckBox", SettingsPart::Dialog, &SettingsValues::favouriteHotkeyOn, false),
    settings_rows::Number("FavouriteHotKey", "value", SettingsPart::Dialog, &SettingsValues::favouriteHotkey, 0),
    settings_rows::Box("ExcludeCheckBox", SettingsPart::Dialog, &SettingsValues::excludeHotkeyOn, false),
    settings_rows::Number("ExcludeHotKey", "value", SettingsPart::Dialog, &SettingsValues::excludeHotkey, 0),
    settings_rows::Box("PlaySoundCheckBox", SettingsPart::Dialog, &SettingsValues::playSound, false),
    settings_rows::Box("ShuffleCheckBox", SettingsPart::Dialog, &SettingsValues::shuffleSounds, false),
    settings_rows::Text("Last Sound Playlist", SettingsPart::Dialog, &SettingsValues::soundList, "Default"),
    // clang-format on
};

// One value as the file holds it.
struct StoredSetting {
  std::string section, key, text;
};

// Where the values are kept: settings.ini through the system's profile
// functions in the program, a map in tests.
class SettingsStore {
 public:
  // The value's text, or nothing when the file lacks the key.
  virtual std::optional<std::string> Read(const std::string& section, const std::string& key) const = 0;
  // Stores the values together, in order; a refused write throws, with the
  // values before it stored.
  virtual void Write(const std::vector<StoredSetting>& values) = 0;

 protected:
  ~SettingsStore() = default;
};

// Every value at its default; programFolder (with a trailing backslash)
// completes the defaults that name a place in it.
SettingsValues DefaultSettings(const std::string& programFolder);

class SettingsModel {
 public:
  SettingsValues values = DefaultSettings("");

  // Reads the rows of `parts`: a key the store lacks, or a value of the
  // wrong kind, gives the row's default.
  void Load(const SettingsStore& store, SettingsParts parts, const std::string& programFolder);
  // Writes the rows of `parts`, in table order, as one write.
  void Save(SettingsStore& store, SettingsParts parts) const;
  // Whether the values of `part` came from a Load (rather than defaults).
  bool Holds(SettingsPart part) const { return (loaded_ & uint8_t(part)) != 0; }

 private:
  SettingsParts loaded_ = 0;
};

}  // namespace wc
