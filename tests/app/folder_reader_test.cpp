// The functioning modes and the folder reader: what "Reload", "Browse" and
// the start-up read put into the playlist, which files a search takes, and
// how readers behave beside each other and when the program closes.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/panel/main_form.h"
#include "app/shorten_path.h"
#include "common/paths.h"
#include "gui_test.h"
#include "playlist/playlist_file.h"
#include "program_files.h"
#include "scan/add_folder_form.h"
#include "scan/edit_filter_form.h"
#include "scan/filter_form.h"
#include "ui/sync.h"
#include "ui/wide_text.h"

namespace wc {
namespace {

using namespace std::chrono_literals;
using test::MakeFile;

// Names of the files in a folder as the system lists them, keeping those in
// `wanted` only.
std::vector<std::string> SystemOrder(const std::string& folder, const std::vector<std::string>& wanted) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::find(wanted.begin(), wanted.end(), entry.cFileName) != wanted.end()) names.push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

std::vector<std::string> DisplayNames(const std::vector<std::string>& names) {
  std::vector<std::string> out;
  for (const auto& n : names) out.push_back(DisplayName(n));
  return out;
}

class FolderReaderTest : public test::GuiTest {
 protected:
  // The control panel and the dialogs of a folder read, in the program's order.
  TMainForm& panel = app.CreateForm<TMainForm>();
  TAddFolderForm& picker = app.CreateForm<TAddFolderForm>();
  TFilterForm& options = app.CreateForm<TFilterForm>();
  TEditFilterForm& editor = app.CreateForm<TEditFilterForm>();

  static void Click(ui::Control& c) { SendMessageA(c.Handle(), BM_CLICK, 0, 0); }

  std::string Folder(const std::string& name) {
    std::string path = dir.file(name);
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    return path;
  }
  // The start-up sequence as the timer runs it, then the readers it started
  // are let finish; the start-up change is held back.
  void StartUp() {
    panel.StartupTimerTick(panel.StartupTimer);
    panel.FolderReaderTimer.SetEnabled(false);
    ASSERT_TRUE(WaitForReaders());
  }
  // Runs messages until every reader has ended; their last hand-over is
  // complete by then.
  bool WaitForReaders(std::chrono::milliseconds limit = 20s) {
    bool done = PumpUntil([] { return ui::RunningWorkers() == 0; }, limit);
    Pump();
    return done;
  }
  // A recursive read of ".JPG" files, let finish.
  bool ReadJpgFilesBelow(const std::string& root) {
    panel.FolderToRead = root;
    panel.ExtensionTable[0] = ".JPG";
    panel.ExtensionCount = 1;
    panel.RecurseSubfolders = true;
    panel.StartFolderReader();
    return WaitForReaders();
  }
  std::vector<std::string> Paths() const {
    std::vector<std::string> v;
    for (size_t k = 0; k < panel.Playlist->EntryCount(); ++k) v.push_back(panel.Playlist->Path(k));
    return v;
  }
  int RunPicker(const std::function<void()>& act) {
    app.Post([&] {
      act();
      if (picker.Visible()) PostMessageA(picker.Handle(), WM_CLOSE, 0, 0);
    });
    Click(panel.BrowseFolderButton);
    return picker.ModalResult();
  }
};

TEST_F(FolderReaderTest, ReloadTakesTheDefaultFiltersAndAFoldersOwnFilesBeforeItsSubfolders) {
  // Every picture the program reads, whatever the case of its extension.
  std::string pictures = Folder("pictures");
  for (const char* n : {"a.JPG", "b.bmp", "c.gif", "e.TIFF", "notes.txt"}) MakeFile(pictures + "\\" + n);
  std::string sub = Folder("pictures\\sub");
  for (const char* n : {"d.jpeg", "g.PNG"}) MakeFile(sub + "\\" + n);
  StartUp();
  panel.AddOneFile(MakeFile(dir.file("old.jpg")));
  panel.AutomaticFolder = pictures;
  Click(panel.AutomaticModeRadio);
  ASSERT_EQ(panel.FunctioningMode, FunctioningMode::Automatic);

  Click(panel.ReloadFolderButton);
  EXPECT_EQ(panel.AuxState(), AuxState::Running);
  EXPECT_EQ(panel.MainListBox.Count(), 0);  // emptied; the files come once the handler has returned
  ASSERT_TRUE(WaitForReaders());

  std::vector<std::string> own = SystemOrder(pictures, {"a.JPG", "b.bmp", "c.gif", "e.TIFF"});
  std::vector<std::string> below = SystemOrder(sub, {"d.jpeg", "g.PNG"});
  ASSERT_EQ(own.size(), 4u);
  ASSERT_EQ(below.size(), 2u);
  std::vector<std::string> paths;
  for (const std::string& n : own) paths.push_back(pictures + "\\" + n);
  for (const std::string& n : below) paths.push_back(sub + "\\" + n);
  EXPECT_EQ(Paths(), paths);
  std::vector<std::string> names = DisplayNames(own), belowNames = DisplayNames(below);
  names.insert(names.end(), belowNames.begin(), belowNames.end());
  EXPECT_EQ(panel.MainListBox.Items(), names);
  EXPECT_EQ(panel.AuxState(), AuxState::Finished);
  EXPECT_EQ(panel.ExtensionCount, 10);  // the options' OK ran without its window
  EXPECT_TRUE(panel.RecurseSubfolders);
  EXPECT_FALSE(options.Visible());
  EXPECT_EQ(panel.AutomaticFolder, pictures);
  EXPECT_EQ(panel.AutomaticFolderLabel.Caption(), ShortenPath(pictures));
}

TEST_F(FolderReaderTest, TheStartUpReadTakesEveryPictureOfTheImagesFolderOnly) {
  // The start-up sequence reads <program folder>Images when the playlist is
  // empty, taking every picture the program reads, without subfolders.
  std::string images = Folder("Images");
  for (const char* n : {"x.jpg", "y.JPG", "z.jpeg", "w.bmp", "p.PNG", "readme.txt"}) MakeFile(images + "\\" + n);
  Folder("Images\\deeper");
  MakeFile(images + "\\deeper\\v.jpg");
  StartUp();
  std::vector<std::string> order = SystemOrder(images, {"x.jpg", "y.JPG", "z.jpeg", "w.bmp", "p.PNG"});
  EXPECT_EQ(panel.MainListBox.Items(), DisplayNames(order));
  ASSERT_EQ(panel.Playlist->EntryCount(), 5u);
  EXPECT_EQ(panel.Playlist->Path(0), ExeFolder() + "Images\\" + order[0]);
  EXPECT_EQ(panel.Playlist->Name(0), DisplayName(order[0]));
  EXPECT_EQ(panel.AuxState(), AuxState::Finished);
}

TEST_F(FolderReaderTest, AStartWithAPlaylistReadsNothingMore) {
  std::string images = Folder("Images");
  MakeFile(images + "\\x.jpg");
  std::string kept = MakeFile(dir.file("kept.jpg"));
  test::WriteTextFile(ExeFolder() + "DefPlayList.qvl", kept + "\r\nkept\r\n");
  StartUp();
  EXPECT_EQ(Paths(), (std::vector<std::string>{kept}));
  EXPECT_EQ(panel.MainListBox.Items(), (std::vector<std::string>{"kept"}));
}

TEST_F(FolderReaderTest, HiddenAndReadOnlyFilesAndSystemFoldersAreTakenSystemFilesAndDotFoldersAreNot) {
  std::string root = Folder("root");
  std::string hidden = MakeFile(root + "\\hidden.jpg"), system = MakeFile(root + "\\system.jpg");
  std::string locked = MakeFile(root + "\\locked.jpg");
  ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_EQ(GetFileAttributesA(system.c_str()) & FILE_ATTRIBUTE_SYSTEM, DWORD(FILE_ATTRIBUTE_SYSTEM));
  Folder("root\\.cache");
  MakeFile(root + "\\.cache\\cached.jpg");
  Folder("root\\nested");
  MakeFile(root + "\\nested\\inner.jpg");
  Folder("root\\nested\\.git");
  MakeFile(root + "\\nested\\.git\\object.jpg");
  // A folder a tool marked as a system folder (a custom folder icon does).
  const std::string marked = Folder("root\\nested\\marked");
  MakeFile(marked + "\\kept.jpg");
  ASSERT_TRUE(SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
  StartUp();
  ASSERT_TRUE(ReadJpgFilesBelow(root));
  std::vector<std::string> names = panel.MainListBox.Items();
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names.back(), "kept");
  names.pop_back();
  EXPECT_EQ(names.back(), "inner");
  names.pop_back();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"hidden", "locked"}));
  SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FolderReaderTest, RowsFollowShowFullPathAndAVanishedFileIsSkipped) {
  std::string root = Folder("root");
  std::string a = MakeFile(root + "\\a.jpg");
  StartUp();
  panel.ShowFullPathItem.SetChecked(true);
  panel.AddFoundFile(a);
  panel.AddFoundFile(root + "\\gone.jpg");
  EXPECT_EQ(panel.MainListBox.Items(), (std::vector<std::string>{a}));
  EXPECT_EQ(panel.Playlist->Lines(), (std::vector<std::string>{a, "a"}));
}

TEST_F(FolderReaderTest, NoFolderOrNoExtensionsReadNothingButStillEnd) {
  Folder("Images");
  MakeFile(dir.file("Images\\x.jpg"));
  StartUp();
  ASSERT_EQ(panel.MainListBox.Count(), 1);
  panel.FolderToRead.clear();
  panel.StartFolderReader();
  ASSERT_TRUE(WaitForReaders());
  EXPECT_EQ(panel.AuxState(), AuxState::Finished);
  panel.FolderToRead = dir.file("Images");
  panel.ExtensionCount = 0;  // the options were cancelled
  panel.StartFolderReader();
  panel.FolderToRead = dir.file("no such folder");
  panel.ExtensionCount = 1;
  panel.StartFolderReader();
  ASSERT_TRUE(WaitForReaders());
  EXPECT_EQ(panel.MainListBox.Count(), 1);
  EXPECT_EQ(panel.AuxState(), AuxState::Finished);
}

TEST_F(FolderReaderTest, PathsTooLongForTheFileFunctionsArePassedBy) {
  std::string root = Folder("root");
  // A folder whose own files fit only when their names are short.
  std::string deep = root + "\\" + std::string(200 - root.size() - 1, 'd');
  ASSERT_EQ(deep.size(), 200u);
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
  std::string fits = MakeFile(deep + "\\s.jpg");
  std::wstring longName = L"\\\\?\\" + std::wstring(deep.begin(), deep.end()) + L"\\" + std::wstring(60, L'n') + L".jpg";
  HANDLE f = CreateFileW(longName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  CloseHandle(f);
  StartUp();
  ASSERT_TRUE(ReadJpgFilesBelow(root));
  EXPECT_EQ(Paths(), (std::vector<std::string>{fits}));
  DeleteFileW(longName.c_str());
}

TEST_F(FolderReaderTest, BrowseThenCancelChangesNothing) {
  std::string a = MakeFile(dir.file("a.jpg"));
  StartUp();
  panel.AddOneFile(a);
  panel.AutomaticFolder = dir.file("chosen before");
  Click(panel.AutomaticModeRadio);
  std::string location = panel.AutomaticFolderLabel.Caption();
  std::vector<std::string> lines = panel.Playlist->Lines();
  ASSERT_TRUE(picker.SelectPath(dir.path()));
  EXPECT_EQ(RunPicker([&] { Click(picker.Button2); }), ui::mrCancel);
  EXPECT_EQ(ui::RunningWorkers(), 0);  // no read was started
  EXPECT_EQ(panel.Playlist->Lines(), lines);
  EXPECT_EQ(panel.MainListBox.Items(), (std::vector<std::string>{"a"}));
  EXPECT_EQ(panel.AutomaticFolder, dir.file("chosen before"));
  EXPECT_EQ(panel.AutomaticFolderLabel.Caption(), location);
  EXPECT_EQ(panel.AuxState(), AuxState::Finished);

  // Nor does the close box, which leaves the folder to read as it was.
  panel.FolderToRead = dir.path();
  RunPicker([&] { PostMessageA(picker.Handle(), WM_CLOSE, 0, 0); });
  EXPECT_EQ(ui::RunningWorkers(), 0);
  EXPECT_EQ(panel.Playlist->Lines(), lines);
  EXPECT_EQ(panel.AutomaticFolder, dir.file("chosen before"));
}

TEST_F(FolderReaderTest, BrowseThenOkReadsTheChosenFolderAndMakesItTheAutomaticOne) {
  std::string chosen = Folder("chosen");
  MakeFile(chosen + "\\one.bmp");
  StartUp();
  panel.AddOneFile(MakeFile(dir.file("old.jpg")));
  Click(panel.AutomaticModeRadio);
  ASSERT_TRUE(picker.SelectPath(chosen));
  EXPECT_EQ(RunPicker([&] { Click(picker.Button1); }), ui::mrOk);
  ASSERT_TRUE(WaitForReaders());
  EXPECT_EQ(Paths(), (std::vector<std::string>{chosen + "\\one.bmp"}));
  EXPECT_EQ(panel.AutomaticFolder, chosen);
  EXPECT_EQ(panel.AutomaticFolderLabel.Caption(), ShortenPath(chosen));
}

TEST_F(FolderReaderTest, SwitchingModesLeavesThePlaylistAndTheFolder) {
  std::string a = MakeFile(dir.file("a.jpg")), b = MakeFile(dir.file("b.jpg"));
  StartUp();
  panel.AddFilesToPlaylist({a, b});
  panel.MainListBox.Clear();
  panel.FillPlaylistBox(false);
  std::string folder = panel.AutomaticFolder;
  Click(panel.AutomaticModeRadio);
  EXPECT_EQ(panel.FunctioningMode, FunctioningMode::Automatic);
  EXPECT_FALSE(panel.PlaylistBox.Enabled());
  EXPECT_EQ(panel.PlaylistBox.Caption(), "Playlist management - disabled");
  EXPECT_TRUE(panel.BrowseFolderButton.Enabled());
  EXPECT_TRUE(panel.ReloadFolderButton.Enabled());
  Click(panel.ManualModeRadio);
  EXPECT_EQ(panel.FunctioningMode, FunctioningMode::Manual);
  EXPECT_TRUE(panel.PlaylistBox.Enabled());
  EXPECT_EQ(panel.PlaylistBox.Caption(), "Playlist management");
  EXPECT_FALSE(panel.BrowseFolderButton.Enabled());
  EXPECT_FALSE(panel.ReloadFolderButton.Enabled());
  Pump();
  EXPECT_EQ(ui::RunningWorkers(), 0);
  EXPECT_EQ(Paths(), (std::vector<std::string>{a, b}));
  EXPECT_EQ(panel.MainListBox.Items(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(panel.AutomaticFolder, folder);
}

TEST_F(FolderReaderTest, TwoReadersBothAddTheirFilesAndTheStateIsFinishedOnlyAfterBoth) {
  std::string big = Folder("big"), small = Folder("small");
  for (int i = 0; i < 700; ++i) MakeFile(big + "\\b" + std::to_string(i) + ".jpg");
  MakeFile(small + "\\s.jpg");
  StartUp();
  panel.ExtensionTable[0] = ".JPG";
  panel.ExtensionCount = 1;
  panel.FolderToRead = big;
  panel.StartFolderReader();
  // The second read's settings are its own; the first keeps what it started with.
  panel.FolderToRead = small;
  panel.ExtensionTable[0] = ".PNG";
  panel.StartFolderReader();
  panel.ExtensionTable[0] = ".JPG";
  panel.FolderToRead = small;
  panel.StartFolderReader();
  EXPECT_EQ(panel.AuxState(), AuxState::Running);
  bool early = false;  // "1" while rows were still to come
  int polls = 0;
  ASSERT_TRUE(PumpUntil([&] {
    ++polls;
    if (panel.AuxState() == AuxState::Finished && ui::RunningWorkers() == 0) return true;
    if (panel.AuxState() == AuxState::Finished && panel.MainListBox.Count() > 0 && panel.MainListBox.Count() < 701) {
      early = true;
    }
    return false;
  }, 30s));
  Pump();
  EXPECT_FALSE(early);
  EXPECT_EQ(panel.MainListBox.Count(), 701);
  EXPECT_EQ(panel.Playlist->EntryCount(), 701u);
  std::vector<std::string> paths = Paths();
  EXPECT_EQ(std::count(paths.begin(), paths.end(), small + "\\s.jpg"), 1);
}

// Closing the program while a reader is in the middle of a large tree: the
// reader's hand-over is cancelled, its walk stops, and nothing waits forever.
TEST(FolderReaderShutdownTest, ClosingWhileAReaderWalksABigTreeNeitherCrashesNorHangs) {
  test::TempDir dir;
  const int folders = 20, files = 200;
  for (int f = 0; f < folders; ++f) {
    std::string folder = dir.file("tree\\f" + std::to_string(f));
    if (f == 0) CreateDirectoryA(dir.file("tree").c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    for (int i = 0; i < files; ++i) MakeFile(folder + "\\p" + std::to_string(i) + ".jpg");
  }
  test::ScriptedPrompts prompts;
  int rowsAtClose = 0;
  {
    auto app = std::make_unique<ui::Application>();
    app->SetPrompts(&prompts);
    app->SetExeName(dir.file("WallpaperChanger.exe"));
    app->Arguments.clear();
    TMainForm& panel = app->CreateForm<TMainForm>();
    app->CreateForm<TFilterForm>();
    app->CreateForm<TEditFilterForm>();
    panel.StartupTimerTick(panel.StartupTimer);
    panel.FolderReaderTimer.SetEnabled(false);
    panel.AutomaticFolder = dir.file("tree");
    panel.ReloadFolderButtonClick(panel.ReloadFolderButton);
    auto end = std::chrono::steady_clock::now() + 20s;
    while (panel.MainListBox.Count() < 50 && std::chrono::steady_clock::now() < end) {
      app->ProcessMessages();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    rowsAtClose = panel.MainListBox.Count();
    ASSERT_GE(rowsAtClose, 50);
    SendMessageA(panel.Handle(), WM_CLOSE, 0, 0);  // hidden panel: the program ends
    ASSERT_TRUE(app->Terminated());
    app->SetPrompts(nullptr);
    app.reset();
  }
  EXPECT_LT(rowsAtClose, folders * files) << "the reader had finished before the close";
  auto end = std::chrono::steady_clock::now() + 10s;
  while (ui::RunningWorkers() > 0 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(10ms);
  EXPECT_EQ(ui::RunningWorkers(), 0) << "the reader did not stop";
  EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

std::wstring DesktopValueW(const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return L"<none>";
  wchar_t value[1024] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  LONG rc = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? value : L"<none>";
}

TEST_F(FolderReaderTest, FileNamesInAnyScriptAreReadAppliedAndKept) {
  test::SavedDesktop keepDesktop;
  // "bilder ü\été_日本.jpg" and "bilder ü\Ωmega.bmp", beyond any one legacy code page.
  std::string pictures = Folder("bilder \xC3\xBC");
  const std::string jpg = pictures + "\\\xC3\xA9t\xC3\xA9_\xE6\x97\xA5\xE6\x9C\xAC.jpg";
  const std::string bmp = pictures + "\\\xCE\xA9mega.bmp";
  test::MakePicture(jpg, 16, 12);
  test::MakePicture(bmp, 16, 12);
  // 80 CJK characters: the whole path takes over 300 bytes of UTF-8, more
  // than the 8-bit calls accept, but well within the system's 260 UTF-16
  // units. (One name holds at most 255 bytes on the Unix file systems under
  // Wine.)
  std::string longStem;
  for (int i = 0; i < 80; ++i) longStem += "\xE6\x97\xA5";
  const std::string longJpg = pictures + "\\" + longStem + ".jpg";
  ASSERT_TRUE(MoveFileW(ui::Widen(test::MakePicture(dir.file("short.jpg"), 16, 12)).c_str(), ui::Widen(longJpg).c_str()));
  StartUp();
  panel.AutomaticFolder = pictures;
  Click(panel.AutomaticModeRadio);
  Click(panel.ReloadFolderButton);
  ASSERT_TRUE(WaitForReaders());

  std::vector<std::string> rows = panel.MainListBox.Items();
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (std::vector<std::string>{"\xC3\xA9t\xC3\xA9_\xE6\x97\xA5\xE6\x9C\xAC", "\xCE\xA9mega", longStem}));
  std::vector<std::string> paths = Paths();
  std::sort(paths.begin(), paths.end());
  EXPECT_EQ(paths, (std::vector<std::string>{jpg, bmp, longJpg}));

  // Both apply without an error; the bitmap is the wallpaper under its own name.
  for (const std::string& path : {jpg, bmp}) {
    const std::vector<std::string> now = Paths();
    panel.MainListBox.SetItemIndex(int(std::find(now.begin(), now.end(), path) - now.begin()));
    panel.MainListBoxDblClick(panel);
  }
  EXPECT_EQ(prompts.MessageTexts(), std::vector<std::string>{});
  EXPECT_EQ(DesktopValueW(L"Wallpaper"), ui::Widen(bmp));

  // Saved at exit and read again: the same rows.
  const std::vector<std::string> before = Paths();
  const std::vector<std::string> shown = panel.MainListBox.Items();
  panel.Close();
  ASSERT_TRUE(app.Terminated());
  std::vector<std::string> lines = ReadPlaylistFile(ExeFolder() + "DefPlayList.qvl");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ((std::vector<std::string>{lines[0], lines[2], lines[4]}), before);
  EXPECT_EQ((std::vector<std::string>{lines[1], lines[3], lines[5]}), shown);
}

}  // namespace
}  // namespace wc
