#include "settings/monitor_sources.h"

#include <algorithm>

namespace wc {

std::string MonitorSection(const std::string& devicePath) { return "Monitor " + devicePath; }

MonitorSource ReadMonitorSource(const IniFile& ini, const std::string& devicePath, int styles) {
  const std::string section = MonitorSection(devicePath);
  MonitorSource source;
  const int32_t kind = ini.ReadInteger(section, "Source", 0);
  source.path = ini.ReadString(section, "Path", "");
  // A source named without a place to read from is the playlist.
  if ((kind == 1 || kind == 2) && !source.path.empty()) {
    source.kind = MonitorSourceKind(kind);
  } else {
    source.path.clear();
  }
  const int32_t style = ini.ReadInteger(section, "Style", -1);
  source.styleIndex = style >= 0 && style < styles ? style : -1;
  source.lastIndex = std::max<int32_t>(ini.ReadInteger(section, "Index", -1), -1);
  return source;
}

void WriteMonitorSource(const IniFile& ini, const std::string& devicePath, const MonitorSource& source) {
  const std::string section = MonitorSection(devicePath);
  IniFile::Batch batch(ini);
  batch.WriteInteger(section, "Source", int64_t(source.kind));
  batch.WriteString(section, "Path", source.path);
  batch.WriteInteger(section, "Style", source.styleIndex);
  batch.WriteInteger(section, "Index", source.lastIndex);
  batch.Commit();
}

}  // namespace wc
