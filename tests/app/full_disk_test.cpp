// Saving on a disk that runs out of room: the settings file and the
// playlist stay exactly as they were, and the caller is told. Runs on the
// 3 MB disk the test run mounts (tools/wine/server.sh); skipped without it.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "common/bmp.h"
#include "common/ini_file.h"
#include "gui_test.h"
#include "playlist/playlist_file.h"
#include "program_files.h"
#include "ui/error.h"

namespace wc {
namespace {

using test::ReadTextFile;

// A folder of this test's own on the small disk, removed with its files.
class SmallDisk {
 public:
  // Empty when there is no small disk to write on.
  std::string Open() {
    const char* build = std::getenv("WINE_BUILD_DIR");
    if (!build) return {};
    std::string folder = std::string("Z:") + build + "/small-disk";
    for (char& c : folder) {
      if (c == '/') c = '\\';
    }
    ULARGE_INTEGER total{};
    if (!GetDiskFreeSpaceExA(folder.c_str(), nullptr, &total, nullptr) || total.QuadPart > 16u << 20) return {};
    folder += "\\t" + std::to_string(GetCurrentProcessId());
    if (!CreateDirectoryA(folder.c_str(), nullptr)) return {};
    folder_ = folder;
    return folder_;
  }
  ~SmallDisk() {
    if (folder_.empty()) return;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder_ + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((folder_ + "\\" + entry.cFileName).c_str());
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryA(folder_.c_str());
  }
  // Takes every byte left on the disk.
  void Fill() const {
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
  void MakeRoom() const { DeleteFileA((folder_ + "\\filler").c_str()); }

 private:
  std::string folder_;
};

constexpr const char* kNoSmallDisk = "no small disk under the build folder (tools/wine/server.sh mounts it as root)";

class FullDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = disk_.Open();
    if (folder_.empty()) GTEST_SKIP() << kNoSmallDisk;
  }
  void FillTheDisk() { disk_.Fill(); }
  SmallDisk disk_;
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
  disk_.MakeRoom();
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

// The control panel on a full disk: closing cannot store the playlist. The
// user is told, the stored playlist keeps its entries and the program keeps
// running; with room again it closes and stores the whole list.
class FullDiskPanelTest : public test::GuiTest {
 protected:
  void SetUp() override {
    folder_ = disk_.Open();
    if (folder_.empty()) GTEST_SKIP() << kNoSmallDisk;
    app.SetExeName(folder_ + "\\WallpaperChanger.exe");
  }
  SmallDisk disk_;
  std::string folder_;
};

TEST_F(FullDiskPanelTest, ClosingOnAFullDiskKeepsTheStoredPlaylistAndThePanel) {
  auto& panel = app.CreateForm<TMainForm>();
  panel.StartupTimerTick(panel.StartupTimer);
  const std::string a = test::MakePicture(dir.file("a.jpg")), b = test::MakePicture(dir.file("b.jpg"));
  panel.AddFilesToPlaylist({a, b});
  const std::string stored = folder_ + "\\DefPlayList.qvl";
  WritePlaylistFile(stored, panel.Playlist->Lines());
  const std::string before = ReadTextFile(stored);
  panel.AddFilesToPlaylist({test::MakePicture(dir.file("c.jpg"))});

  disk_.Fill();
  prompts.messages.clear();
  SendMessageA(panel.Handle(), WM_CLOSE, 0, 0);
  const std::vector<std::string> told = prompts.MessageTexts();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].rfind("Cannot create file \"" + stored + "\"", 0), 0u) << told[0];
  EXPECT_EQ(ReadTextFile(stored), before);
  EXPECT_TRUE(IsWindow(panel.Handle()));
  EXPECT_EQ(panel.Playlist->EntryCount(), 3u);

  disk_.MakeRoom();
  SendMessageA(panel.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(ReadPlaylistFile(stored).size(), 6u);
}

}  // namespace
}  // namespace wc
