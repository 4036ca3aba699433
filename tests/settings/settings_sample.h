#pragma once
// settings.ini as the program wrote it before its settings had one model:
// every key, in the case its writers used (and one in the other case, as
// an older file may hold it), no value at its default, beside a section
// and a key that no version of this program writes.
#include <string>
#include <utility>
#include <vector>

namespace wc::test {

inline constexpr const char* kSampleSettings =
    "[Show help tips]\r\nChecked=1\r\n"
    "[Run at startup]\r\nChecked=0\r\n"
    "[Always minimize]\r\nChecked=0\r\n"
    "[Animate Wallpaper]\r\nChecked=1\r\n"
    "[Enable Drag and Drop]\r\nChecked=1\r\n"
    "[Ask Confirmations]\r\nChecked=1\r\n"
    "[High Quality Image Resampling]\r\nChecked=1\r\n"
    "[Different Wallpaper on each Monitor]\r\nChecked=1\r\n"
    "[Register Extensions]\r\nChecked=1\r\n"
    "[language]\r\nvalue=Fran\xC3\xA7" "ais perso\r\nnote=a key of the user's own\r\n"
    "[Checkbox8]\r\nChecked=1\r\n"
    "[Checkbox9]\r\nChecked=1\r\n"
    "[Checkbox10]\r\nChecked=1\r\n"
    "[Checkbox11]\r\nChecked=1\r\n"
    "[Checkbox12]\r\nChecked=1\r\n"
    "[Hotkey8]\r\nvalue=49230\r\n"
    "[Hotkey9]\r\nvalue=16462\r\n"
    "[Hotkey10]\r\nvalue=16464\r\n"
    "[Hotkey11]\r\nvalue=24643\r\n"
    "[Hotkey17]\r\nvalue=8236\r\n"
    "[PlaySoundCheckBox]\r\nChecked=1\r\n"
    "[ShuffleCheckBox]\r\nChecked=1\r\n"
    "[Last Sound Playlist]\r\nvalue=C:\\Sounds\\mine.krs\r\n"
    "[Window position]\r\nLeft=120\r\nTop=-4\r\n"
    "[Show Preview]\r\nChecked=0\r\n"
    "[Change at Startup]\r\nChecked=0\r\n"
    "[Last Wallpaper Index]\r\nValue=7\r\n"
    "[Shuffle Wallpapers]\r\nChecked=1\r\n"
    "[Timer interval]\r\nvalue=3\r\n"
    "[Enable Timer]\r\nChecked=1\r\n"
    "[Interval Value]\r\nValue=25\r\n"
    "[Wallpaper style]\r\nValue=5\r\n"
    "[Custom position X]\r\nvalue=-12\r\n"
    "[Custom position Y]\r\nvalue=40\r\n"
    "[ColorBox1]\r\nColor=-2147483643\r\n"
    "[Functioning mode]\r\nvalue=1\r\n"
    "[Automatic mode location]\r\nvalue=D:\\Pictures\\\xE6\x97\xA5\r\n"
    "[movie width]\r\nValue=1024\r\n"
    "[movie height]\r\nValue=576\r\n"
    "[Show Full Path]\r\nChecked=1\r\n";

// What the program saves beyond the sample: the keys of options added since,
// at their defaults, after everything the file held.
inline constexpr const char* kKeysAddedSinceTheSample =
    "[Pause Changes]\r\nChecked=0\r\n"
    "[Prefer Pictures Shaped like the Monitor]\r\nChecked=0\r\n"
    "[Dark Mode Playlist]\r\nChecked=0\r\n"
    "[Dark Mode Playlist File]\r\nvalue=\r\n"
    "[NextOnMonitorCheckBox]\r\nChecked=0\r\n"
    "[NextOnMonitorHotKey]\r\nvalue=0\r\n"
    "[PauseCheckBox]\r\nChecked=0\r\n"
    "[PauseHotKey]\r\nvalue=0\r\n"
    "[FavouriteCheckBox]\r\nChecked=0\r\n"
    "[FavouriteHotKey]\r\nvalue=0\r\n"
    "[ExcludeCheckBox]\r\nChecked=0\r\n"
    "[ExcludeHotKey]\r\nvalue=0\r\n";
inline const std::vector<std::pair<std::string, std::string>> kAddedKeys = {
    {"Pause Changes/Checked", "0"},
    {"Prefer Pictures Shaped like the Monitor/Checked", "0"},
    {"Dark Mode Playlist/Checked", "0"},
    {"Dark Mode Playlist File/value", ""},
    {"NextOnMonitorCheckBox/Checked", "0"},
    {"NextOnMonitorHotKey/value", "0"},
    {"PauseCheckBox/Checked", "0"},
    {"PauseHotKey/value", "0"},
    {"FavouriteCheckBox/Checked", "0"},
    {"FavouriteHotKey/value", "0"},
    {"ExcludeCheckBox/Checked", "0"},
    {"ExcludeHotKey/value", "0"}};

// The sections and keys of the sample that no row names.
inline bool IsForeignToTheProgram(const std::string& section, const std::string& key) {
  return section == "Window position" || key == "note";
}

}  // namespace wc::test
