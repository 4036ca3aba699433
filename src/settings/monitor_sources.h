#pragma once
// Each monitor's own source of pictures and its own style, kept in
// settings.ini in a section per monitor named by the monitor's device path,
// which stays the same across restarts and changes of layout:
//   [Monitor \\?\DISPLAY#DEL40A3#5&2b8f...]
//   Source=2            0 the playlist, 1 another playlist, 2 a folder
//   Path=D:\Portraits   the playlist file or the folder
//   Style=4             the style box's index; -1 the control panel's style
//   Index=17            the entry of its own source shown last
// A monitor without a section, or with values that make no sense, takes
// the playlist in the panel's style.
#include <cstdint>
#include <string>

#include "common/ini_file.h"

namespace wc {

enum class MonitorSourceKind { Playlist = 0, OtherPlaylist = 1, Folder = 2 };

struct MonitorSource {
  MonitorSourceKind kind = MonitorSourceKind::Playlist;
  std::string path;
  int styleIndex = -1;
  int32_t lastIndex = -1;
  bool operator==(const MonitorSource&) const = default;
};

std::string MonitorSection(const std::string& devicePath);

// `styles` is how many entries the style box has.
MonitorSource ReadMonitorSource(const IniFile& ini, const std::string& devicePath, int styles);
void WriteMonitorSource(const IniFile& ini, const std::string& devicePath, const MonitorSource& source);

}  // namespace wc
