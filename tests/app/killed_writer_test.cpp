// A program ended at any moment while it saves (killed from the task
// manager, a power cut): the playlist and the settings file hold either
// what they held before or the whole of what was being written, never a
// file cut short and never a mix of the two.
//
// The test starts itself a second time as the writer, which saves two
// versions of both files by turns; it kills the writer at varied moments
// and reads what is left.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/ini_file.h"
#include "playlist/playlist_file.h"
#include "temp_dir.h"
#include "ui/handle.h"

namespace wc {
namespace {

constexpr const char* kFolderVariable = "WC_KILLED_WRITER_FOLDER";
constexpr int kKeys = 40;

std::vector<std::string> PlaylistVersion(int version) {
  std::vector<std::string> lines;
  const int entries = version == 0 ? 3000 : 4500;
  for (int i = 0; i < entries; ++i) {
    lines.push_back("C:\\Pictures\\version " + std::to_string(version) + "\\picture " + std::to_string(i) + ".jpg");
    lines.push_back("picture " + std::to_string(i));
  }
  return lines;
}

std::string EventName(const std::string& folder) {
  std::string name = "wc-killed-writer-" + std::to_string(std::hash<std::string>{}(folder));
  return name;
}

// The writer: saves the two versions by turns until it is killed, and says
// when each round is stored. Started with the folder in the environment, the
// test program becomes the writer before any test runs.
[[noreturn]] void SaveByTurns(const std::string& folder) {
  ui::KernelHandle written(OpenEventA(EVENT_MODIFY_STATE, FALSE, EventName(folder).c_str()));
  const std::string playlist = folder + "\\DefPlayList.qvl";
  IniFile settings(folder + "\\settings.ini");
  for (int round = 0;; ++round) {
    const int version = round % 2;
    WritePlaylistFile(playlist, PlaylistVersion(version));
    IniFile::Batch batch(settings);
    for (int k = 0; k < kKeys; ++k) batch.WriteInteger("Option " + std::to_string(k), "Value", version * 1000 + k);
    batch.Commit();
    if (written) SetEvent(written.get());
  }
}

const bool kIsWriter = [] {
  if (const char* folder = std::getenv(kFolderVariable)) SaveByTurns(folder);
  return false;
}();

TEST(KilledWriterTest, FilesAreWholeAfterAKillAtAnyMoment) {
  test::TempDir dir;
  const std::string folder = dir.path();
  const std::string playlist = folder + "\\DefPlayList.qvl";
  IniFile settings(folder + "\\settings.ini");
  // Both files exist before the first kill, as they do after a first run.
  WritePlaylistFile(playlist, PlaylistVersion(1));
  IniFile::Batch first(settings);
  for (int k = 0; k < kKeys; ++k) first.WriteInteger("Option " + std::to_string(k), "Value", 1000 + k);
  first.Commit();

  ui::KernelHandle written(CreateEventA(nullptr, FALSE, FALSE, EventName(folder).c_str()));
  ASSERT_TRUE(written);
  SetEnvironmentVariableA(kFolderVariable, folder.c_str());
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::vector<std::string> versions[2] = {PlaylistVersion(0), PlaylistVersion(1)};
  int kills = 0;
  for (int attempt = 0; attempt < 12; ++attempt) {
    std::string command = std::string("\"") + self + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    ui::KernelHandle processHandle(process.hProcess);
    ui::KernelHandle threadHandle(process.hThread);
    // Killed a varied time after a round was stored: in the middle of
    // writing the playlist, checking it, replacing it, or writing settings.
    const bool wrote = WaitForSingleObject(written.get(), 60000) == WAIT_OBJECT_0;
    if (wrote) Sleep(DWORD(attempt * 7 % 60));
    TerminateProcess(processHandle.get(), 9);
    WaitForSingleObject(processHandle.get(), 30000);
    ASSERT_TRUE(wrote) << "the writer never stored a round";
    ++kills;

    const std::vector<std::string> lines = ReadPlaylistFile(playlist);
    EXPECT_TRUE(lines == versions[0] || lines == versions[1])
        << "kill " << attempt << ": the playlist holds " << lines.size() << " lines of neither version";
    const int version = settings.ReadInteger("Option 0", "Value", -1) / 1000;
    for (int k = 0; k < kKeys; ++k) {
      EXPECT_EQ(settings.ReadInteger("Option " + std::to_string(k), "Value", -1), version * 1000 + k)
          << "kill " << attempt << ": the settings mix two saves or lost a key";
    }
  }
  SetEnvironmentVariableA(kFolderVariable, nullptr);
  EXPECT_EQ(kills, 12);
}

}  // namespace
}  // namespace wc
