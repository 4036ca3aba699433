// The playlist management group: the buttons and menus beside the list, the
// commands they run and the file operations on the entry of the selected
// row, with entries whose files are missing between the rows.
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "common/paths.h"
#include "gui_test.h"
#include "playlist/playlist_file.h"
#include "program_files.h"
#include "scan/add_folder_form.h"
#include "scan/edit_filter_form.h"
#include "scan/filter_form.h"
#include "scan/rename_form.h"
#include "scan/rmc_form.h"
#include "ui/sync.h"

namespace wc {
namespace {

using namespace std::chrono_literals;
using test::Exists;
using test::MakeFile;
using test::MakePicture;
using test::ReadTextFile;
using test::WriteTextFile;
using Paths = std::vector<std::string>;

class PanelEditingTest : public test::GuiTest {
 protected:
  TMainForm& panel = app.CreateForm<TMainForm>();
  TAddFolderForm& picker = app.CreateForm<TAddFolderForm>();
  TFilterForm& options = app.CreateForm<TFilterForm>();
  TEditFilterForm& editor = app.CreateForm<TEditFilterForm>();
  TRenameForm& rename = app.CreateForm<TRenameForm>();
  TRMCForm& target = app.CreateForm<TRMCForm>();

  PanelEditingTest() {
    panel.StartupTimerTick(panel.StartupTimer);
    panel.FolderReaderTimer.SetEnabled(false);
    PumpUntil([] { return ui::RunningWorkers() == 0; });
  }
  std::string Pic(const std::string& name) { return MakePicture(dir.file(name)); }
  // Entries for the paths, the list filled as a load fills it.
  void Load(const Paths& paths) {
    panel.Playlist->Clear();
    panel.AddFilesToPlaylist(paths);
    panel.MainListBox.Clear();
    panel.FillPlaylistBox(panel.ShowFullPathItem.Checked());
  }
  Paths Entries() const {
    Paths v;
    for (size_t k = 0; k < panel.Playlist->EntryCount(); ++k) v.push_back(panel.Playlist->Path(k));
    return v;
  }
  void Select(int row) { panel.MainListBox.SetItemIndex(row); }
  // Shows a modal dialog through `open` and runs `act` inside it; a dialog
  // `act` left open is closed by its box.
  void InModal(ui::Form& form, const std::function<void()>& open, const std::function<void()>& act) {
    app.Post([&] {
      act();
      if (form.Visible() && form.ModalResult() == ui::mrNone) PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    });
    open();
  }
};

TEST_F(PanelEditingTest, RowsAddressTheEntriesTheyShowPastAMissingFile) {
  const std::string a = Pic("a.bmp"), b = Pic("b.bmp"), c = Pic("c.bmp"), gone = dir.file("gone.bmp");
  Load({a, gone, b, c});
  ASSERT_EQ(panel.MainListBox.Items(), (Paths{"a", "b", "c"}));

  // Moving row 1 (b) up exchanges it with a; the missing entry stays put.
  Select(1);
  panel.MoveUpButtonClick(panel.MoveUpButton);
  EXPECT_EQ(Entries(), (Paths{b, gone, a, c}));
  EXPECT_EQ(panel.MainListBox.Items(), (Paths{"b", "a", "c"}));
  EXPECT_EQ(panel.MainListBox.ItemIndex(), 0);
  panel.MoveDownButtonClick(panel.MoveDownButton);
  EXPECT_EQ(Entries(), (Paths{a, gone, b, c}));

  // Deleting the selected row's file deletes that file and no other.
  Select(1);
  prompts.AnswerMessage(IDOK);
  panel.DeleteFilesItemClick(panel.DeleteFilesItem);
  EXPECT_EQ(prompts.messages.back().text, "Delete File");
  EXPECT_EQ(prompts.messages.back().caption, "Confirm");
  EXPECT_EQ(prompts.messages.back().type, UINT(MB_OKCANCEL | MB_ICONQUESTION));
  EXPECT_FALSE(Exists(b));
  EXPECT_TRUE(Exists(a));
  EXPECT_TRUE(Exists(c));
  EXPECT_EQ(Entries(), (Paths{a, gone, c}));
  EXPECT_EQ(panel.MainListBox.Items(), (Paths{"a", "c"}));

  // Removing, applying and previewing row 1 reach c too.
  Select(1);
  panel.MainListBoxClick(panel.MainListBox);
  EXPECT_TRUE(prompts.messages.size() == 1);  // no "does not exist anymore" for the missing entry
  panel.RemoveEntryButtonClick(panel.RemoveEntryButton);
  EXPECT_EQ(Entries(), (Paths{a, gone}));
  EXPECT_TRUE(Exists(c));
}

TEST_F(PanelEditingTest, MovingAtTheEdgesAndRemovingFollowTheSelection) {
  const std::string a = Pic("a.bmp"), b = Pic("b.bmp"), c = Pic("c.bmp");
  panel.Show();  // on the screen, the panel previews the selected row
  Load({a, b, c});
  Select(-1);
  panel.MoveUpButtonClick(panel.MoveUpButton);  // nothing selected: row 0 is, and that cannot go up
  EXPECT_EQ(panel.MainListBox.ItemIndex(), 0);
  EXPECT_EQ(Entries(), (Paths{a, b, c}));
  Select(2);
  panel.MoveDownButtonClick(panel.MoveDownButton);
  EXPECT_EQ(Entries(), (Paths{a, b, c}));
  EXPECT_EQ(panel.MainListBox.ItemIndex(), 2);

  panel.RemoveEntryButtonClick(panel.RemoveEntryButton);  // the last row: the new last is selected
  EXPECT_EQ(Entries(), (Paths{a, b}));
  EXPECT_EQ(panel.MainListBox.ItemIndex(), 1);
  EXPECT_TRUE(Exists(c));  // only the entry goes
  Select(0);
  panel.RemoveEntryButtonClick(panel.RemoveEntryButton);
  EXPECT_EQ(panel.MainListBox.ItemIndex(), 0);
  EXPECT_FALSE(panel.MainPreview.GetPicture().Empty());
  panel.RemoveEntryButtonClick(panel.RemoveEntryButton);  // the only row: the preview empties
  EXPECT_EQ(panel.MainListBox.Count(), 0);
  EXPECT_TRUE(panel.MainPreview.GetPicture().Empty());
  panel.RemoveEntryButtonClick(panel.RemoveEntryButton);  // nothing left: nothing happens
}

TEST_F(PanelEditingTest, TheMenusListTheirItemsAndTheSortRandomiseAndFindCommandsWork) {
  std::vector<std::string> add2;
  for (ui::MenuItem* item : panel.PlaylistMenu.Items()) add2.push_back(item->Caption() + (item->Enabled() ? "" : " (off)"));
  EXPECT_EQ(add2, (Paths{"Set as Wallpaper", "Add to favourites", "Never show again", "Show again", "-", "Add From File", "Add From Folder", "Add HTML and Movie Wallpaper",
                         "Scan Disk For Wallpapers", "Download (off)", "-", "Empty Wallpaper List",
                         "Sort Wallpaper List", "Randomise Wallpaper List", "Show Full Path", "-", "Copy Files",
                         "Delete Files", "Move Files", "Rename Files", "-", "Find Current Selection",
                         "Sellect All (off)", "Invert Selection (off)", "-", "Remove Bad Graphics"}));
  EXPECT_EQ(panel.AddMenu.Items().size(), 5u);
  EXPECT_FALSE(panel.DownloadItem.Enabled());

  Pic("b.jpg");
  Pic("a.jpg");
  const std::string b = dir.file("b.jpg"), upper = dir.file("A.jpg"), lower = dir.file("a.jpg");
  Load({b, upper, lower});
  panel.SortListItem.Click();
  EXPECT_EQ(Entries(), (Paths{upper, lower, b}));
  EXPECT_EQ(panel.MainListBox.Items(), (Paths{"A", "a", "b"}));

  Select(2);
  panel.FindCurrentItem.Click();
  EXPECT_EQ(panel.MainListBox.ItemIndex(), 0);

  Load({b});
  panel.RandomiseListItem.Click();
  EXPECT_EQ(Entries(), (Paths{b}));
  Paths many;
  for (int i = 0; i < 200; ++i) many.push_back(dir.file("n" + std::to_string(i) + ".jpg"));
  Load(many);
  panel.RandomiseListItem.Click();
  const Paths mixed = Entries();
  ASSERT_EQ(std::multiset<std::string>(mixed.begin(), mixed.end()), std::multiset<std::string>(many.begin(), many.end()));
  int moved = 0;
  for (size_t k = 0; k < many.size(); ++k) moved += mixed[k] != many[k];
  EXPECT_LE(moved, 20);

  panel.EmptyListItem.Click();
  EXPECT_EQ(panel.Playlist->LineCount(), 0u);
  EXPECT_EQ(panel.MainListBox.Count(), 0);
}

TEST_F(PanelEditingTest, AddingFromFilesAndFoldersAndCancellingEitherFolderDialog) {
  const std::string a = Pic("a.bmp"), m = MakeFile(dir.file("m.avi"));
  prompts.AnswerOpen({a, a});
  panel.ListAddFilesItem.Click();
  ASSERT_EQ(prompts.openCalls.size(), 1u);
  EXPECT_TRUE(prompts.openCalls[0].multiSelect);
  EXPECT_TRUE(prompts.openCalls[0].fileMustExist);
  EXPECT_NE(prompts.openCalls[0].filter.find("*.emf"), std::string::npos);
  prompts.AnswerOpen({m});
  panel.ListAddPagesItem.Click();
  EXPECT_EQ(prompts.openCalls[1].filter, "Movie Files|*.avi;*.mpg;*.mpeg|HTML Files|*.html;*.htm;");
  EXPECT_EQ(Entries(), (Paths{a, a, m}));
  EXPECT_EQ(panel.MainListBox.Count(), 3);

  const std::string folder = dir.file("more");
  CreateDirectoryA(folder.c_str(), nullptr);
  MakeFile(folder + "\\x.jpg");
  // Cancel in the folder picker.
  InModal(picker, [&] { panel.AddFolderItem.Click(); }, [&] { picker.Button2Click(picker.Button2); });
  // OK in the picker, Cancel in the options.
  InModal(picker, [&] { panel.ListAddFolderItem.Click(); }, [&] {
    ASSERT_TRUE(picker.SelectPath(folder));
    app.Post([&] { options.Button2Click(options.Button2); });
    picker.Button1Click(picker.Button1);
  });
  PumpFor(200ms);
  EXPECT_EQ(ui::RunningWorkers(), 0);
  EXPECT_EQ(Entries(), (Paths{a, a, m}));
  // OK in both: the folder's pictures are appended.
  InModal(picker, [&] { panel.ListAddFolderItem.Click(); }, [&] {
    ASSERT_TRUE(picker.SelectPath(folder));
    app.Post([&] { options.Button1Click(options.Button1); });
    picker.Button1Click(picker.Button1);
  });
  PumpUntil([] { return ui::RunningWorkers() == 0; });
  Pump();
  EXPECT_EQ(Entries(), (Paths{a, a, m, folder + "\\x.jpg"}));
  EXPECT_EQ(panel.MainListBox.Count(), 4);
}

TEST_F(PanelEditingTest, RemoveBadGraphicsKeepsMoviesAndPagesUnopenedAndRemovesTheRest) {
  const std::string good = Pic("good.bmp"), gone = Pic("gone.bmp"), text = MakeFile(dir.file("text.jpg"), "hello");
  const std::string upperMovie = MakeFile(dir.file("CLIP.AVI"), "movie"), movie = MakeFile(dir.file("clip.avi"), "movie");
  const std::string page = MakeFile(dir.file("page.html"), "<html>"), last = Pic("last.bmp");
  Load({good, gone, text, upperMovie, movie, page, last});
  DeleteFileA(gone.c_str());
  // Locked against every other opener: the check must not need to open it.
  HANDLE locked = CreateFileA(movie.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  // Held open for writing by someone else: the check still reads it.
  HANDLE writing = CreateFileA(good.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  ASSERT_NE(writing, INVALID_HANDLE_VALUE);
  panel.RemoveBadGraphicsItem.Click();
  EXPECT_TRUE(panel.CheckingGraphics());
  EXPECT_FALSE(panel.PlaylistBox.Enabled());
  ASSERT_TRUE(PumpUntil([&] { return !panel.CheckingGraphics(); }));
  CloseHandle(locked);
  CloseHandle(writing);
  // A movie named in capitals is a movie as well, kept unopened.
  EXPECT_EQ(Entries(), (Paths{good, upperMovie, movie, page, last}));
  EXPECT_EQ(panel.MainListBox.Items(), (Paths{"good", "CLIP", "clip", "page", "last"}));
  EXPECT_TRUE(panel.PlaylistBox.Enabled());
  EXPECT_EQ(panel.PlaylistBox.Caption(), "Playlist management");
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PanelEditingTest, ClosingWhileBadGraphicsAreCheckedEndsCleanly) {
  Paths many;
  for (int i = 0; i < 300; ++i) many.push_back(Pic("p" + std::to_string(i) + ".bmp"));
  Load(many);
  panel.RemoveBadGraphicsItem.Click();
  ASSERT_TRUE(panel.CheckingGraphics());
  SendMessageA(panel.Handle(), WM_CLOSE, 0, 0);  // hidden: the program ends
  EXPECT_TRUE(app.Terminated());
  EXPECT_TRUE(PumpUntil([] { return ui::RunningWorkers() == 0; }));
  // The playlist written at exit holds every entry the check had not removed.
  EXPECT_EQ(ReadPlaylistFile(ExeFolder() + "DefPlayList.qvl").size(), 2 * many.size());
}

TEST_F(PanelEditingTest, CopyAndMoveIntoTheChosenFolder) {
  const std::string a = Pic("a.bmp"), b = Pic("b.bmp"), backup = dir.file("Backup");
  CreateDirectoryA(backup.c_str(), nullptr);
  Load({a, b});
  Select(0);
  auto toFolder = [&](ui::MenuItem& item, const std::string& folder) {
    InModal(target, [&] { item.Click(); }, [&] {
      EXPECT_EQ(target.Caption(), &item == &panel.CopyFilesItem ? "Copy Files" : "Move Files");
      ASSERT_TRUE(target.SelectPath(folder));
      target.Button1Click(target.Button1);
    });
  };
  toFolder(panel.CopyFilesItem, backup);
  EXPECT_EQ(ReadTextFile(backup + "\\a.bmp"), ReadTextFile(a));
  WriteTextFile(backup + "\\a.bmp", "kept");
  toFolder(panel.CopyFilesItem, backup);
  EXPECT_EQ(ReadTextFile(backup + "\\a.bmp"), "kept");  // never replaced
  EXPECT_EQ(Entries(), (Paths{a, b}));

  // Into a drive's root.
  const std::string rootCopy = "C:\\" + ExtractFileName(a);
  DeleteFileA(rootCopy.c_str());
  toFolder(panel.CopyFilesItem, "C:\\");
  EXPECT_TRUE(Exists(rootCopy));
  DeleteFileA(rootCopy.c_str());

  // A move onto a name the folder has fails and leaves the entry.
  toFolder(panel.MoveFilesItem, backup);
  EXPECT_TRUE(Exists(a));
  EXPECT_EQ(Entries(), (Paths{a, b}));
  Select(1);
  toFolder(panel.MoveFilesItem, backup);
  EXPECT_FALSE(Exists(b));
  EXPECT_TRUE(Exists(backup + "\\b.bmp"));
  EXPECT_EQ(Entries(), (Paths{a, backup + "\\b.bmp"}));
  EXPECT_EQ(panel.Playlist->Name(1), "b");

  // Cancel does nothing; a translated caption still copies.
  panel.CopyFilesItem.SetCaption("Dateien kopieren");
  Select(0);
  DeleteFileA((backup + "\\a.bmp").c_str());
  InModal(target, [&] { panel.CopyFilesItem.Click(); }, [&] {
    ASSERT_TRUE(target.SelectPath(backup));
    target.Button2Click(target.Button2);
  });
  EXPECT_FALSE(Exists(backup + "\\a.bmp"));
  toFolder(panel.CopyFilesItem, backup);
  EXPECT_TRUE(Exists(backup + "\\a.bmp"));
}

// Found by the soak (scripts/soak.sh 16 9, step 625, and scripts/soak.sh 16
// 10, step 439): with the timer at one second, the rotation selected another
// row while the playlist menu or the "Delete File" box was open, and the
// file of that row was deleted (or renamed) instead of the one chosen.
TEST_F(PanelEditingTest, AFileOperationActsOnTheRowChosenWhateverTheRotationSelectsMeanwhile) {
  const std::string a = Pic("a.bmp"), b = Pic("b.bmp"), c = Pic("c.bmp"), d = Pic("d.bmp"), gone = dir.file("gone.bmp");
  Load({a, gone, b, c, d});
  auto tick = [&] { panel.RotationTimerTick(panel.RotationTimer); };

  // The menu opens on row 0 (a); a tick selects row 1 before Delete is
  // chosen, another while its box is open.
  panel.CurrentIndex = 0;
  Select(0);
  {
    TMainForm::FileOperationScope menu(panel);
    tick();
    ASSERT_EQ(panel.MainListBox.ItemIndex(), 1);
    prompts.WhileMessageOpen(tick);
    prompts.AnswerMessage(IDOK);
    panel.DeleteFilesItem.Click();
  }
  EXPECT_FALSE(Exists(a));
  EXPECT_TRUE(Exists(b));
  EXPECT_TRUE(Exists(c));
  EXPECT_EQ(Entries(), (Paths{gone, b, c, d}));
  EXPECT_EQ(panel.MainListBox.Items(), (Paths{"b", "c", "d"}));

  // Chosen without the menu, the box alone lets the tick in.
  panel.CurrentIndex = 0;
  Select(0);
  prompts.WhileMessageOpen(tick);
  prompts.AnswerMessage(IDOK);
  panel.DeleteFilesItem.Click();
  EXPECT_FALSE(Exists(b));
  EXPECT_TRUE(Exists(c));
  EXPECT_EQ(Entries(), (Paths{gone, c, d}));

  // Rename: the dialog stays open across a tick; the chosen row's file is renamed.
  panel.CurrentIndex = 0;
  Select(0);
  InModal(rename, [&] { panel.RenameFilesItem.Click(); }, [&] {
    tick();
    EXPECT_EQ(rename.Edit1.Text(), "c");
    rename.Edit1.SetText("renamed");
    rename.Button1Click(rename.Button1);
  });
  EXPECT_FALSE(Exists(c));
  EXPECT_TRUE(Exists(d));
  EXPECT_TRUE(Exists(dir.file("renamed.bmp")));
  EXPECT_EQ(Entries(), (Paths{gone, dir.file("renamed.bmp"), d}));
}

TEST_F(PanelEditingTest, DeleteMovesTheCurrentIndexBackAndDropsTheEntryOfAProtectedFile) {
  Paths files;
  for (int i = 0; i < 9; ++i) files.push_back(Pic("f" + std::to_string(i) + ".bmp"));
  Load(files);
  panel.CurrentIndex = 3;
  Select(7);
  prompts.AnswerMessage(IDOK);
  panel.DeleteFilesItem.Click();
  EXPECT_EQ(panel.CurrentIndex, 2);
  EXPECT_FALSE(Exists(files[7]));
  panel.CurrentIndex = 0;
  Select(0);
  prompts.AnswerMessage(IDOK);
  panel.DeleteFilesItem.Click();
  EXPECT_EQ(panel.CurrentIndex, 0);

  Select(1);
  prompts.AnswerMessage(IDCANCEL);
  panel.DeleteFilesItem.Click();
  EXPECT_EQ(panel.Playlist->EntryCount(), 7u);
  EXPECT_TRUE(Exists(files[2]));

  SetFileAttributesA(files[2].c_str(), FILE_ATTRIBUTE_READONLY);
  prompts.AnswerMessage(IDOK);
  panel.DeleteFilesItem.Click();
  EXPECT_TRUE(Exists(files[2]));
  EXPECT_EQ(panel.Playlist->EntryCount(), 6u);
  EXPECT_EQ(panel.Playlist->Path(1), files[3]);
  SetFileAttributesA(files[2].c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(PanelEditingTest, RenameTakesTheTypedNameAndRefusesNamesOutsideTheFolder) {
  const std::string a = Pic("a.jpg.bmp"), c = Pic("c.bmp");
  MakeFile(dir.file("taken.bmp"));
  Load({c, a});
  Select(1);
  auto typed = [&](const std::string& text, bool stays) {
    InModal(rename, [&] { panel.RenameFilesItem.Click(); }, [&] {
      rename.Edit1.SetText(text);
      rename.Button1Click(rename.Button1);
      EXPECT_EQ(rename.ModalResult() == ui::mrNone, stays) << text;
    });
  };
  InModal(rename, [&] { panel.RenameFilesItem.Click(); }, [&] { EXPECT_EQ(rename.Edit1.Text(), "a.jpg"); });

  for (const char* bad : {"..\\x", "sub/x", "a:b", "x*", "x?", "x\"", "x<", "x>", "x|", "CON", "nul"}) {
    const size_t before = prompts.messages.size();
    typed(bad, true);
    EXPECT_EQ(prompts.messages.size(), before + 1) << bad;
  }
  EXPECT_TRUE(Exists(a));
  typed("taken", true);  // the system's refusal is shown, the entry stays
  EXPECT_TRUE(Exists(a));
  EXPECT_EQ(panel.Playlist->Path(1), a);
  typed("", true);

  typed("b", false);
  EXPECT_FALSE(Exists(a));
  EXPECT_TRUE(Exists(dir.file("b.bmp")));
  EXPECT_EQ(panel.Playlist->Path(1), dir.file("b.bmp"));
  EXPECT_EQ(panel.Playlist->Name(1), "b");
  EXPECT_EQ(panel.MainListBox.Items(), (Paths{"c", "b"}));

  // With full paths the field holds the name and its extension.
  panel.ShowFullPathItemClick(panel.ShowFullPathItem);
  Select(1);
  InModal(rename, [&] { panel.RenameFilesItem.Click(); }, [&] {
    EXPECT_EQ(rename.Edit1.Text(), "b.bmp");
    rename.Button1Click(rename.Button1);
  });
  EXPECT_TRUE(Exists(dir.file("b.bmp.bmp")));
  EXPECT_EQ(panel.Playlist->Name(1), "b.bmp");
}

}  // namespace
}  // namespace wc
