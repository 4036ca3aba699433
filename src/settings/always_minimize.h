#pragma once
// "Always minimize program to system tray at startup", as settings.ini keeps
// it. The settings dialog shows it and the control panel acts on it; both
// read it here, so a file without the key means the same to both: the
// program lives in the notification area, so a missing key means minimized.
#include "common/ini_file.h"

namespace wc {

inline constexpr const char* kAlwaysMinimizeSection = "Always minimize";
inline constexpr bool kAlwaysMinimizeDefault = true;

inline bool StoredAlwaysMinimize(const IniFile& ini) {
  return ini.ReadBool(kAlwaysMinimizeSection, "Checked", kAlwaysMinimizeDefault);
}

}  // namespace wc
