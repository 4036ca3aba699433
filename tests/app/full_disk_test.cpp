// Saving on a disk that runs out of room: the settings file and the
// playlist stay exactly as they were, and the caller is told. Runs on the
// 3 MB disk the test run mounts (tools/wine/server.sh); skipped without it.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/bmp.h"
#include "common/ini_file.h"
#include "gui_test.h"
#include "playlist/playlist_file.h"
#include "program_files.h"
#include "ui/error.h"

namespace wc {
namespace {

using test::ReadTextFile;

class FullDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* build = std::getenv("WINE_BUILD_DIR");
    if (!build) GTEST_SKIP() << "no build folder named";
    folder_ = std::string("Z:") + build + "/small-disk";
    for (char& c : folder_) {
      if (c == '/') c = '\\';
    }
    ULARGE_INTEGER total{};
    if (!GetDiskFreeSpaceExA(folder_.c_str(), nullptr, &total, nullptr) || total.QuadPart > 16u << 20) {
      GTEST_SKIP() << "no small disk at " << folder_ << " (mounting it needs root)";
    }
    folder_ += "\\t" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  }
  void TearDown() override {
    if (folder_.empty()) return;
    for (const char* name : {"filler", "settings.ini", "settings.ini.new", "DefPlayList.qvl", "DefPlayList.qvl.new"}) {
      DeleteFileA((folder_ + "\\" + name).c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }
  // Takes every byte left on the disk.
  void FillTheDisk() {
    HANDLE h = CreateFileA((folder_ + "\\filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::string block(65536, 'x');
    DWORD written = 0;
    for (size_t size = block.size(); size > 0; size /= 2) {
      while (WriteFile(h, block.data(), DWORD(size), &written, nullptr) && written == size) {
      }
    }
    CloseHandle(h);
  }
  std::string folder_;
};

TEST_F(FullDiskTest, SettingsAndPlaylistKeepWhatTheyHeldWhenTheDiskIsFull) {
  IniFile ini(folder_ + "\\settings.ini");
  for (int i = 0; i < 30; ++i) ini.WriteInteger("Option " + std::to_string(i), "Value", i);
  const std::string playlist = folder_ + "\\DefPlayList.qvl";
  WritePlaylistFile(playlist, {"C:\\a.jpg", "a", "C:\\b.jpg", "b"});
  const std::string wallpaper = folder_ + "\\wallpaper.bmp";
  const std::vector<uint32_t> pixels(200 * 100, 0x336699);
  WriteBmpFile(wallpaper, pixels.data(), 200, 100, 24);
  const std::string wallpaperBefore = ReadTextFile(wallpaper);
  const std::string settingsBefore = ReadTextFile(ini.Path());
  const std::string playlistBefore = ReadTextFile(playlist);

  FillTheDisk();
  EXPECT_THROW(ini.WriteString("Option 0", "Value", std::string(20000, 'y')), ui::Error);
  EXPECT_THROW(ini.WriteInteger("Option 29", "Value", 1234567), ui::Error);
  IniFile::Batch batch(ini);
  batch.WriteInteger("Option 1", "Value", 100);
  batch.WriteString("Option 2", "Value", std::string(20000, 'z'));
  batch.WriteInteger("Option 3", "Value", 300);
  EXPECT_THROW(batch.Commit(), ui::Error);
  EXPECT_EQ(ReadTextFile(ini.Path()), settingsBefore);
  EXPECT_EQ(ini.ReadInteger("Option 29", "Value", -1), 29);

  std::vector<std::string> lines;
  for (int i = 0; i < 40000; ++i) lines.push_back("C:\\Pictures\\holiday\\picture " + std::to_string(i) + ".jpg");
  EXPECT_THROW(WritePlaylistFile(playlist, lines), ui::Error);
  EXPECT_EQ(ReadTextFile(playlist), playlistBefore);
  EXPECT_EQ(GetFileAttributesA((playlist + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA((ini.Path() + ".new").c_str()), INVALID_FILE_ATTRIBUTES);

  // The desktop's wallpaper file is not cut short or lost either.
  const std::vector<uint32_t> large(800 * 600, 0x996633);
  EXPECT_THROW(WriteBmpFile(wallpaper, large.data(), 800, 600, 24), std::runtime_error);
  EXPECT_EQ(ReadTextFile(wallpaper), wallpaperBefore);
  EXPECT_EQ(GetFileAttributesA((wallpaper + ".new").c_str()), INVALID_FILE_ATTRIBUTES);

  // Room again: the next write goes through.
  DeleteFileA((folder_ + "\\filler").c_str());
  ini.WriteInteger("Option 29", "Value", 1234567);
  EXPECT_EQ(ini.ReadInteger("Option 29", "Value", -1), 1234567);
  EXPECT_EQ(ini.ReadInteger("Option 3", "Value", -1), 3);
  // A batch stores every value at once and keeps the others.
  IniFile::Batch again(ini);
  again.WriteInteger("Option 1", "Value", 100);
  again.WriteBool("New option", "Checked", true);
  again.WriteString("option 3", "value", "three");
  again.Commit();
  EXPECT_EQ(ini.ReadInteger("Option 1", "Value", -1), 100);
  EXPECT_TRUE(ini.ReadBool("New option", "Checked", false));
  EXPECT_EQ(ini.ReadString("Option 3", "Value", ""), "three");
  EXPECT_EQ(ini.ReadInteger("Option 28", "Value", -1), 28);
}

}  // namespace
}  // namespace wc
