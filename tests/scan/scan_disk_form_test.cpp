// The scan dialog under Wine: its first look at every scale, a search of a
// real folder tree, the three add commands, Remove Selected, the preview and
// the way in from the control panel's playlist menu.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "app/program.h"
#include "playlist/playlist_file.h"
#include "common/paths.h"
#include "gui_test.h"
#include "layout_check.h"
#include "program_files.h"
#include "scan/add_folder_form.h"
#include "scan/edit_filter_form.h"
#include "scan/filter_form.h"
#include "scan/scan_disk_form.h"
#include "scan/system_folders.h"
#include "common/text.h"
#include "ui/dpi.h"
#include "ui/sync.h"

namespace wc {
namespace {

using namespace std::chrono_literals;
using test::MakeFile;
using test::MakePicture;

// Names of the entries of a folder in the order the system lists them,
// keeping those in `wanted`.
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

class ScanDiskFormTest : public test::GuiTest {
 protected:
  ScanDiskFormTest() { panel.StartupTimer.SetEnabled(false); }

  // The windows a scan uses, in the program's order.
  TMainForm& panel = app.CreateForm<TMainForm>();
  TAddFolderForm& picker = app.CreateForm<TAddFolderForm>();
  TFilterForm& options = app.CreateForm<TFilterForm>();
  TEditFilterForm& editor = app.CreateForm<TEditFilterForm>();
  TScanDiskForm& scan = app.CreateForm<TScanDiskForm>();

  // The start-up sequence makes the playlist; the reader it starts is let
  // finish and the start-up change held back.
  void SetUp() override {
    panel.StartupTimerTick(panel.StartupTimer);
    panel.FolderReaderTimer.SetEnabled(false);
    ASSERT_TRUE(WaitForWorkers());
    ASSERT_TRUE(panel.Playlist);
    panel.MainNewClick(panel.MainNew);
  }

  std::string Folder(const std::string& path) {
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    return path;
  }
  // Starts a search as the button does and lets it end.
  void Search(const std::string& folder, bool recurse) {
    scan.SearchDirectoryEdit.SetText(folder);
    scan.CheckBox1.SetChecked(recurse);
    scan.Button3.Click();
    ASSERT_TRUE(WaitForWorkers());
  }
  bool WaitForWorkers() {
    bool done = PumpUntil([] { return ui::RunningWorkers() == 0; }, 20s);
    Pump();
    return done;
  }
  void RunAdd(ui::MenuItem& item) {
    item.Click();
    ASSERT_TRUE(WaitForWorkers());
  }
  std::vector<std::string> Paths() const {
    std::vector<std::string> v;
    for (size_t k = 0; k < panel.Playlist->EntryCount(); ++k) v.push_back(panel.Playlist->Path(k));
    return v;
  }
  static std::vector<int> Bounds(const ui::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }
};

class AtScale {
 public:
  explicit AtScale(int dpi) { ui::SetDpiOverride(dpi); }
  ~AtScale() { ui::SetDpiOverride(0); }
};

class ScanDiskLayoutTest : public test::GuiTest, public ::testing::WithParamInterface<int> {
 protected:
  AtScale scale{GetParam()};
  TScanDiskForm& scan = app.CreateForm<TScanDiskForm>();
};

TEST_P(ScanDiskLayoutTest, EveryCaptionFitsAndNothingOverlaps) {
  EXPECT_EQ(scan.Dpi(), GetParam());
  for (const std::string& fault : test::LayoutFaults(scan)) ADD_FAILURE() << fault << " at " << GetParam() << " DPI";
  EXPECT_EQ(scan.ClientWidth(), 511);
  EXPECT_EQ(scan.ClientHeight(), 393);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScanDiskLayoutTest, ::testing::Values(96, 120, 144));

TEST_F(ScanDiskFormTest, TheFirstOpeningShowsEveryControlAndTheKindMenuSetsTheMask) {
  EXPECT_EQ(scan.Caption(), "Pellimox Free Wallpaper Changer - Scan Disk for Wallpapers");
  RECT frame{};
  GetWindowRect(scan.Handle(), &frame);
  EXPECT_NEAR(frame.right - frame.left, 519, 12);
  EXPECT_NEAR(frame.bottom - frame.top, 420, 16);
  EXPECT_EQ(scan.SearchDirectoryEdit.Text(), "C:\\");
  EXPECT_EQ(scan.FileMaskEdit.Text(),
            "*jpg;*jpeg;*bmp;*ico;*emf;*wmf;*png;*gif;*tif;*tiff;*html;*htm;*avi;*mpg;*mpeg");
  EXPECT_FALSE(scan.CheckBox1.Checked());
  EXPECT_FALSE(scan.SearchPreviewCheckBox.Checked());
  EXPECT_EQ(scan.CountLabel.Caption(), "0");
  EXPECT_EQ(scan.Label3.Caption(), "Files Found : ");
  EXPECT_EQ(scan.Button3.Caption(), "Start Searching");
  EXPECT_EQ(scan.Button4.Caption(), "Add to ShowList");
  EXPECT_EQ(scan.Button5.Caption(), "Remove Selected");
  EXPECT_EQ(Bounds(scan.Bevel3), (std::vector<int>{373, 256, 121, 121}));
  EXPECT_FALSE(scan.Animate1.Active());
  // The field can only be filled from the menu.
  EXPECT_TRUE(GetWindowLongA(scan.FileMaskEdit.Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(GetWindowLongA(scan.SearchListBox.Handle(), GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL));

  scan.AllImageFiles1.Click();
  EXPECT_EQ(scan.FileMaskEdit.Text(), "*jpg;*jpeg;*bmp;*ico;*emf;*wmf;*png;*gif;*tif;*tiff");
  EXPECT_EQ(scan.Kinds(),
            (KindList{".JPG", ".JPEG", ".BMP", ".ICO", ".EMF", ".WMF", ".PNG", ".GIF", ".TIF", ".TIFF"}));
  scan.AllMovieFiles1.Click();
  EXPECT_EQ(scan.FileMaskEdit.Text(), "*avi;*mpg;*mpeg");
  scan.HTMLFiles1.Click();
  EXPECT_EQ(scan.FileMaskEdit.Text(), "*html;*htm");
  scan.AllSupportedFiles1.Click();
  EXPECT_EQ(scan.Kinds().size(), 15u);
  EXPECT_EQ(scan.FileMaskPopupMenu.Items().size(), 5u);
  EXPECT_TRUE(scan.N1.IsSeparator());
  EXPECT_EQ(scan.AddPopupMenu.Items().size(), 3u);
}

TEST_F(ScanDiskFormTest, ASearchFindsTheTreesFilesInOrderWithOrWithoutATrailingSeparator) {
  const std::string root = Folder(dir.file("Pictures"));
  const std::vector<std::string> names = {"a.jpg", "b.JpG", "hidden.jpg"};
  for (const std::string& n : names) MakeFile(root + "\\" + n);
  SetFileAttributesA((root + "\\hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
  MakeFile(root + "\\system.jpg");
  SetFileAttributesA((root + "\\system.jpg").c_str(), FILE_ATTRIBUTE_SYSTEM);
  for (const char* n : {"photo", "photo.jpg.txt", "notes.txt"}) MakeFile(root + "\\" + n);
  Folder(root + "\\sub");
  MakeFile(root + "\\sub\\d.bmp");
  MakeFile(root + "\\sub\\e.avi");
  Folder(root + "\\.cache");
  MakeFile(root + "\\.cache\\c.jpg");
  Folder(root + "\\secret");
  MakeFile(root + "\\secret\\s.jpg");
  SetFileAttributesA((root + "\\secret").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);

  scan.AllImageFiles1.Click();
  scan.SearchDirectoryEdit.SetText(root);
  scan.CheckBox1.SetChecked(true);
  scan.Button3.Click();
  // While it runs no second search and no add command can start.
  EXPECT_TRUE(scan.Searching());
  EXPECT_FALSE(scan.Button3.Enabled());
  EXPECT_FALSE(scan.Button4.Enabled());
  EXPECT_FALSE(scan.Button5.Enabled());
  EXPECT_TRUE(scan.Animate1.Active());
  ASSERT_TRUE(WaitForWorkers());
  EXPECT_FALSE(scan.Searching());
  EXPECT_TRUE(scan.Button3.Enabled() && scan.Button4.Enabled() && scan.Button5.Enabled());
  EXPECT_FALSE(scan.Animate1.Active());
  EXPECT_EQ(scan.Animate1.Frame(), 0);

  std::vector<std::string> expected;
  for (const std::string& n : SystemOrder(root, names)) expected.push_back(root + "\\" + n);
  expected.push_back(root + "\\sub\\d.bmp");
  EXPECT_EQ(scan.SearchListBox.Items(), expected);
  EXPECT_EQ(scan.CountLabel.Caption(), "4");

  // Typed with the separator: the same files, the separator doubled.
  Search(root + "\\", true);
  std::vector<std::string> doubled;
  for (const std::string& p : expected) doubled.push_back(root + "\\\\" + p.substr(root.size() + 1));
  EXPECT_EQ(scan.SearchListBox.Items(), doubled);
  for (const std::string& p : doubled) EXPECT_NE(GetFileAttributesA(p.c_str()), INVALID_FILE_ATTRIBUTES) << p;

  // Without recursion only the folder's own files; a folder that is not
  // there finds nothing and still ends.
  Search(root, false);
  EXPECT_EQ(scan.SearchListBox.Count(), 3);
  Search(root + "\\missing", true);
  EXPECT_EQ(scan.SearchListBox.Count(), 0);
  EXPECT_EQ(scan.CountLabel.Caption(), "0");
  EXPECT_TRUE(scan.Button3.Enabled());
  // The movie kinds find the movie only.
  scan.AllMovieFiles1.Click();
  Search(root, true);
  EXPECT_EQ(scan.SearchListBox.Items(), (std::vector<std::string>{root + "\\sub\\e.avi"}));
}

TEST_F(ScanDiskFormTest, AFolderLoopEnds) {
  const std::string root = Folder(dir.file("loop"));
  Folder(root + "\\inner");
  MakeFile(root + "\\inner\\x.jpg");
  // What tells folders apart: the same folder by any spelling of its path,
  // another folder not.
  const std::optional<std::string> id = SystemFolderIdentity(root);
  ASSERT_TRUE(id);
  EXPECT_EQ(SystemFolderIdentity(root + "\\"), id);
  EXPECT_EQ(SystemFolderIdentity(root + "\\inner\\..\\"), id);
  EXPECT_EQ(SystemFolderIdentity(UpperCaseText(root)), id);
  EXPECT_NE(SystemFolderIdentity(root + "\\inner"), id);
  EXPECT_FALSE(SystemFolderIdentity(root + "\\missing"));
  const std::wstring link = std::wstring(root.begin(), root.end()) + L"\\inner\\back";
  if (!CreateSymbolicLinkW(link.c_str(), std::wstring(root.begin(), root.end()).c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) ||
      GetFileAttributesW((link + L"\\inner").c_str()) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "this system makes no folder links";
  }
  Search(root, true);
  EXPECT_EQ(scan.SearchListBox.Items(), (std::vector<std::string>{root + "\\inner\\x.jpg"}));
  RemoveDirectoryW(link.c_str());
}

TEST_F(ScanDiskFormTest, TheAddModesAndRemoveSelected) {
  const std::string root = Folder(dir.file("a"));
  const std::string sunset = MakeFile(root + "\\sunset.jpg");
  const std::string dunes = MakeFile(root + "\\dunes.bmp");
  const std::string gone = root + "\\gone.jpg";  // found, then deleted
  const std::string hills = MakeFile(root + "\\hills.jpg");
  scan.SearchListBox.SetItems({sunset, dunes, gone, hills});
  ASSERT_FALSE(panel.ShowFullPathItem.Checked());

  // Add all, twice: every result twice, the vanished one too, but no row
  // for it.
  RunAdd(scan.AddAllFiles1);
  RunAdd(scan.AddAllFiles1);
  EXPECT_EQ(Paths(), (std::vector<std::string>{sunset, dunes, gone, hills, sunset, dunes, gone, hills}));
  EXPECT_EQ(panel.MainListBox.Items(),
            (std::vector<std::string>{"sunset", "dunes", "hills", "sunset", "dunes", "hills"}));

  // The selected ones only, then all but those; a vanished file is skipped.
  panel.MainNewClick(panel.MainNew);
  scan.SearchListBox.SetSelected(1, true);
  scan.SearchListBox.SetSelected(2, true);
  RunAdd(scan.AddSelectedFilesOnly1);
  EXPECT_EQ(Paths(), (std::vector<std::string>{dunes}));
  panel.ShowFullPathItemClick(panel.ShowFullPathItem);
  RunAdd(scan.AddAllButSelectedFiles1);
  EXPECT_EQ(Paths(), (std::vector<std::string>{dunes, sunset, hills}));
  EXPECT_EQ(panel.MainListBox.Items(), (std::vector<std::string>{dunes, sunset, hills}));
  // Neither changes the results nor closes anything.
  EXPECT_EQ(scan.SearchListBox.Count(), 4);

  scan.CountLabel.SetCaption("4");
  scan.Button5.Click();
  EXPECT_EQ(scan.SearchListBox.Items(), (std::vector<std::string>{sunset, hills}));
  EXPECT_EQ(scan.CountLabel.Caption(), "4");
  scan.Button5.Click();  // nothing selected: nothing removed
  EXPECT_EQ(scan.SearchListBox.Count(), 2);
}

TEST_F(ScanDiskFormTest, ThePreviewFitsThePictureIntoItsFrameAndKeepsItWhenNothingLoads) {
  MakePicture(ExeFolder() + "moviepreview.bmp", 200, 100);
  MakePicture(ExeFolder() + "htmlpreview.bmp", 100, 200);
  const std::string tall = MakePicture(dir.file("tall.jpg"), 100, 200);
  const std::string broken = MakeFile(dir.file("broken.JPG"), "no picture");
  scan.SearchListBox.SetItems({dir.file("clip.avi"), dir.file("CLIP.MPEG"), tall, broken, dir.file("page.htm")});

  // Unticked: a click shows nothing but makes the first line current.
  scan.SearchListBoxClick(scan.SearchListBox);
  EXPECT_TRUE(scan.SearchImage.GetPicture().Empty());
  EXPECT_EQ(scan.SearchListBox.ItemIndex(), 0);

  // Ticking shows the movie picture, 200 x 100 fitted.
  scan.SearchPreviewCheckBox.SetChecked(true);
  EXPECT_EQ(scan.SearchImage.GetPicture().Width(), 200);
  EXPECT_EQ(Bounds(scan.SearchImage), (std::vector<int>{377, 288, 113, 56}));

  // A movie named in capitals is a movie too: the same picture.
  scan.SearchListBox.SetItemIndex(1);
  scan.SearchListBoxClick(scan.SearchListBox);
  EXPECT_EQ(scan.SearchImage.GetPicture().Width(), 200);
  EXPECT_EQ(Bounds(scan.SearchImage), (std::vector<int>{377, 288, 113, 56}));

  scan.SearchListBox.SetItemIndex(2);
  scan.SearchListBoxClick(scan.SearchListBox);
  EXPECT_EQ(scan.SearchImage.GetPicture().Height(), 200);
  EXPECT_EQ(Bounds(scan.SearchImage), (std::vector<int>{405, 260, 56, 113}));

  // A picture that does not load: the loader's error in a box, the last
  // preview kept.
  scan.SearchListBox.SetItemIndex(3);
  scan.SearchListBoxClick(scan.SearchListBox);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].text.find("broken.JPG"), std::string::npos) << prompts.messages[0].text;
  EXPECT_EQ(prompts.messages[0].type & MB_ICONERROR, UINT(MB_ICONERROR));
  EXPECT_EQ(Bounds(scan.SearchImage), (std::vector<int>{405, 260, 56, 113}));
  EXPECT_FALSE(scan.SearchImage.GetPicture().Empty());

  // A page: the HTML picture; a missing one is reported the same way.
  scan.SearchListBox.SetItemIndex(4);
  scan.SearchListBoxClick(scan.SearchListBox);
  EXPECT_EQ(scan.SearchImage.GetPicture().Height(), 200);
  DeleteFileA((ExeFolder() + "htmlpreview.bmp").c_str());
  scan.SearchListBoxClick(scan.SearchListBox);
  ASSERT_EQ(prompts.messages.size(), 2u);
  EXPECT_NE(prompts.messages[1].text.find("htmlpreview.bmp"), std::string::npos);

  // Unticking clears the picture.
  scan.SearchPreviewCheckBox.SetChecked(false);
  EXPECT_TRUE(scan.SearchImage.GetPicture().Empty());
}

TEST_F(ScanDiskFormTest, ThePlaylistMenusOpenTheDialogModallyAndItsResultsStay) {
  scan.SearchListBox.SetItems({"C:\\x.jpg"});
  for (ui::MenuItem* item : {&panel.ScanDiskItem, &panel.ListScanDiskItem}) {
    bool wasModal = false;
    app.Post([&] {
      wasModal = scan.Visible() && scan.Modal();
      PostMessageA(scan.Handle(), WM_CLOSE, 0, 0);
    });
    item->Click();
    EXPECT_TRUE(wasModal) << item->Name();
    EXPECT_FALSE(scan.Visible());
    EXPECT_EQ(scan.SearchListBox.Items(), (std::vector<std::string>{"C:\\x.jpg"}));
  }
}

TEST_F(ScanDiskFormTest, ResultsKeepArrivingInTheHiddenDialog) {
  const std::string root = Folder(dir.file("many"));
  for (int f = 0; f < 4; ++f) {
    const std::string sub = Folder(root + "\\f" + std::to_string(f));
    for (int i = 0; i < 300; ++i) MakeFile(sub + "\\p" + std::to_string(i) + ".jpg");
  }
  ASSERT_FALSE(scan.Visible());
  Search(root, true);
  EXPECT_EQ(scan.SearchListBox.Count(), 1200);
  EXPECT_EQ(scan.CountLabel.Caption(), "1200");
  EXPECT_EQ(scan.SearchListBox.Item(1199).substr(0, root.size() + 4), root + "\\f3\\");
}

// Closing the program while a search is in the middle of a large tree: its
// hand-overs are cancelled, its walk stops, and nothing waits forever.
TEST(ScanDiskShutdownTest, ClosingTheProgramMidSearchNeitherCrashesNorHangs) {
  test::TempDir dir;
  const int folders = 20, files = 200;
  CreateDirectoryA(dir.file("tree").c_str(), nullptr);
  for (int f = 0; f < folders; ++f) {
    std::string folder = dir.file("tree\\f" + std::to_string(f));
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
    panel.StartupTimerTick(panel.StartupTimer);
    panel.FolderReaderTimer.SetEnabled(false);
    TScanDiskForm& scan = app->CreateForm<TScanDiskForm>();
    scan.SearchDirectoryEdit.SetText(dir.file("tree"));
    scan.CheckBox1.SetChecked(true);
    scan.Button3.Click();
    auto end = std::chrono::steady_clock::now() + 20s;
    while (scan.SearchListBox.Count() < 50 && std::chrono::steady_clock::now() < end) {
      app->ProcessMessages();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    rowsAtClose = scan.SearchListBox.Count();
    ASSERT_GE(rowsAtClose, 50);
    SendMessageA(panel.Handle(), WM_CLOSE, 0, 0);  // hidden panel: the program ends
    ASSERT_TRUE(app->Terminated());
    app->SetPrompts(nullptr);
    app.reset();
  }
  EXPECT_LT(rowsAtClose, folders * files) << "the search had finished before the close";
  auto end = std::chrono::steady_clock::now() + 10s;
  while (ui::RunningWorkers() > 0 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(10ms);
  EXPECT_EQ(ui::RunningWorkers(), 0) << "the search did not stop";
  EXPECT_TRUE(prompts.messages.empty());
}

// The whole program's windows, driven as a user drives them: the playlist
// menu opens the scan dialog, a search of a tree with "All Image Files" and
// recursion, "Add All Files to ShowList", and the playlist the program writes
// when it ends holds exactly the tree's pictures in the search's order.
TEST(ScanDiskProgramTest, ATreeSearchedAndAddedIsInThePlaylistWrittenAtExit) {
  test::TempDir dir;
  const std::string tree = dir.file("tree");
  CreateDirectoryA(tree.c_str(), nullptr);
  std::vector<std::string> expected;
  const std::vector<std::string> top = {"b.jpg", "a.BMP", "c.jpeg"};
  // Real pictures: the control panel previews the first entry it shows.
  for (const std::string& n : top) MakePicture(tree + "\\" + n);
  MakeFile(tree + "\\readme.txt");
  MakeFile(tree + "\\clip.avi");
  for (const std::string& n : SystemOrder(tree, top)) expected.push_back(tree + "\\" + n);
  const std::vector<std::string> subs = {"one", "two"};
  for (const std::string& sub : subs) CreateDirectoryA((tree + "\\" + sub).c_str(), nullptr);
  for (const std::string& sub : SystemOrder(tree, subs)) {
    const std::vector<std::string> names = {"x.ico", "y.wmf", "z.emf"};
    for (const std::string& n : names) MakeFile(tree + "\\" + sub + "\\" + n);
    for (const std::string& n : SystemOrder(tree + "\\" + sub, names)) expected.push_back(tree + "\\" + sub + "\\" + n);
  }

  test::ScriptedPrompts prompts;
  {
    auto app = std::make_unique<ui::Application>();
    app->SetPrompts(&prompts);
    app->SetExeName(dir.file("WallpaperChanger.exe"));
    app->Arguments.clear();
    CreateProgramWindows(*app);
    auto* panel = ui::Application::FindForm<TMainForm>("MainForm");
    auto* scan = ui::Application::FindForm<TScanDiskForm>("ScanDiskForm");
    ASSERT_TRUE(panel && scan);
    panel->StartupTimerTick(panel->StartupTimer);
    panel->FolderReaderTimer.SetEnabled(false);
    auto pump = [&](const std::function<bool()>& done) {
      auto end = std::chrono::steady_clock::now() + 20s;
      while (!done() && std::chrono::steady_clock::now() < end) {
        app->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      }
      app->ProcessMessages();
      return done();
    };
    ASSERT_TRUE(pump([] { return ui::RunningWorkers() == 0; }));
    panel->MainNewClick(panel->MainNew);

    bool searched = false, added = false;
    app->Post([&] {
      scan->AllImageFiles1.Click();
      scan->SearchDirectoryEdit.SetText(tree);
      scan->CheckBox1.SetChecked(true);
      scan->Button3.Click();
      searched = pump([&] { return !scan->Searching(); });
      scan->AddAllFiles1.Click();
      added = pump([] { return ui::RunningWorkers() == 0; });
      scan->Close();
    });
    panel->ListScanDiskItem.Click();
    EXPECT_TRUE(searched);
    EXPECT_TRUE(added);
    EXPECT_EQ(scan->SearchListBox.Items(), expected);
    SendMessageA(panel->Handle(), WM_CLOSE, 0, 0);  // hidden panel: the program ends
    ASSERT_TRUE(app->Terminated());
    app->SetPrompts(nullptr);
    app.reset();
  }
  std::vector<std::string> lines = ReadPlaylistFile(dir.file("DefPlayList.qvl"));
  std::vector<std::string> written;
  for (size_t i = 0; i < lines.size(); i += 2) written.push_back(lines[i]);
  EXPECT_EQ(written, expected);
  EXPECT_EQ(prompts.MessageTexts(), std::vector<std::string>{});
}

}  // namespace
}  // namespace wc
