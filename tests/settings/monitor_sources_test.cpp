#include "settings/monitor_sources.h"

#include <gtest/gtest.h>

#include "common/ini_file.h"
#include "program_files.h"
#include "temp_dir.h"

namespace wc {
namespace {

constexpr int kStyles = 7;
const std::string kPortrait = "\\\\?\\DISPLAY#DEL40A3#5&2b8f&0&UID4353#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";

TEST(MonitorSources, EachMonitorsChoiceComesBackUnderItsDevicePathAndOthersTakeThePlaylist) {
  test::TempDir dir;
  const IniFile ini(dir.file("settings.ini"));
  const MonitorSource folder{MonitorSourceKind::Folder, "D:\\Portraits \xE6\x97\xA5", 4, 17};
  WriteMonitorSource(ini, kPortrait, folder);
  EXPECT_EQ(ReadMonitorSource(ini, kPortrait, kStyles), folder);
  // A monitor never seen: the playlist in the panel's style.
  EXPECT_EQ(ReadMonitorSource(ini, "\\\\?\\DISPLAY#NEW", kStyles), MonitorSource{});
  // Written again: the one section changes, and nothing else of the file.
  ini.WriteBool("Show Preview", "Checked", true);
  const MonitorSource playlist{MonitorSourceKind::OtherPlaylist, "C:\\Lists\\tall.qvl", -1, -1};
  WriteMonitorSource(ini, kPortrait, playlist);
  EXPECT_EQ(ReadMonitorSource(ini, kPortrait, kStyles), playlist);
  EXPECT_TRUE(ini.ReadBool("Show Preview", "Checked", false));
}

TEST(MonitorSources, ValuesThatMakeNoSenseFallBackToThePlaylistAndThePanelsStyle) {
  test::TempDir dir;
  const std::string path = dir.file("settings.ini");
  const std::string section = "[" + MonitorSection(kPortrait) + "]\r\n";
  test::WriteTextFile(path, section + "Source=2\r\nPath=\r\nStyle=99\r\nIndex=-40\r\n");
  EXPECT_EQ(ReadMonitorSource(IniFile(path), kPortrait, kStyles), MonitorSource{});
  test::WriteTextFile(path, section + "Source=7\r\nPath=C:\\x.qvl\r\nStyle=abc\r\nIndex=3\r\n");
  const MonitorSource read = ReadMonitorSource(IniFile(path), kPortrait, kStyles);
  EXPECT_EQ(read.kind, MonitorSourceKind::Playlist);
  EXPECT_EQ(read.path, "");
  EXPECT_EQ(read.styleIndex, -1);
  EXPECT_EQ(read.lastIndex, 3);
}

}  // namespace
}  // namespace wc
