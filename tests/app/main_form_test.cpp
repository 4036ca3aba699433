// The control panel: start-up from the stored state, the close protocol,
// the settings file and the playlist file buttons.
#include <windows.h>

#include "app/panel/main_form.h"
#include "common/ini_file.h"
#include "common/paths.h"
#include "gui_test.h"
#include "playlist/playlist_file.h"
#include "program_files.h"
#include "ui/error.h"
#include "ui/handle.h"

namespace wc {
namespace {

using test::Exists;
using test::MakeFile;
using test::MakePicture;
using test::ReadTextFile;
using test::WriteTextFile;

class PanelTest : public test::GuiTest {
 protected:
  TMainForm& Panel() {
    if (!panel_) panel_ = &app.CreateForm<TMainForm>();
    return *panel_;
  }
  // The start-up sequence runs two seconds after creation; tests run it now.
  TMainForm& StartUp() {
    Panel().StartupTimerTick(Panel().StartupTimer);
    return *panel_;
  }
  IniFile Ini() const { return IniFile(ExeFolder() + "settings.ini"); }
  std::string DefPlayList() const { return ExeFolder() + "DefPlayList.qvl"; }
  static std::string PlaylistText(const std::vector<std::string>& paths) {
    std::string text;
    for (const auto& p : paths) text += p + "\r\n" + DisplayName(p) + "\r\n";
    return text;
  }
  std::string Pic(const std::string& name) { return MakePicture(dir.file(name)); }

  TMainForm* panel_ = nullptr;
};

TEST_F(PanelTest, TheStartUpTimerWaitsTwoSeconds) {
  TMainForm& p = Panel();
  EXPECT_TRUE(p.StartupTimer.Enabled());
  EXPECT_EQ(p.StartupTimer.Interval(), 2000u);
  EXPECT_EQ(p.ExeFolder, ExeFolder());
  EXPECT_EQ(p.AutomaticFolder, ExeFolder() + "Images");
  EXPECT_EQ(p.Playlist, nullptr);  // made by the start-up sequence
  EXPECT_FALSE(p.Visible());
}

TEST_F(PanelTest, AFirstStartWithoutFilesCreatesTheDefaultPlaylistAndTakesTheDefaults) {
  TMainForm& p = StartUp();
  ASSERT_TRUE(Exists(DefPlayList()));
  EXPECT_EQ(ReadTextFile(DefPlayList()), "");
  EXPECT_FALSE(p.ShowFullPathItem.Checked());
  EXPECT_TRUE(p.MainChPreview.Checked());
  EXPECT_TRUE(p.ChangeAtStartupCheck.Checked());
  EXPECT_EQ(p.CurrentIndex, 0);
  EXPECT_FALSE(p.ShuffleCheck.Checked());
  EXPECT_EQ(p.IntervalUnitBox.ItemIndex(), 0);
  EXPECT_FALSE(p.UseTimerCheck.Checked());
  EXPECT_FALSE(p.RotationTimer.Enabled());
  EXPECT_EQ(p.IntervalValueEdit.Value(), 0);
  EXPECT_EQ(p.StyleBox.ItemIndex(), 2);
  EXPECT_EQ(p.OriginXEdit.Value(), 0);
  EXPECT_EQ(p.OriginYEdit.Value(), 0);
  EXPECT_EQ(p.ColorBoxColor, 0);
  EXPECT_EQ(p.FunctioningMode, FunctioningMode::Manual);
  EXPECT_TRUE(p.ManualModeRadio.Checked());
  EXPECT_EQ(p.AutomaticFolder, ExeFolder() + "images");
  EXPECT_EQ(p.MovieWidthEdit.Value(), 800);
  EXPECT_EQ(p.MovieHeightEdit.Value(), 600);
  EXPECT_TRUE(p.FolderReaderTimer.Enabled());  // "Change at Startup" is on by default
  EXPECT_EQ(p.AuxState(), AuxState::Finished);  // manual mode: nothing to wait for
  EXPECT_FALSE(p.StartupTimer.Enabled());
  EXPECT_TRUE(p.CloseMeansExit);
  // No "Always minimize" key: minimized, as the settings dialog shows it.
  EXPECT_FALSE(app.ShowMainForm);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_TRUE(prompts.shellCalls.empty());
}

TEST_F(PanelTest, StoredStateIsRestored) {
  std::string a = Pic("a.jpg"), b = Pic("b.bmp");
  WriteTextFile(DefPlayList(), PlaylistText({a, b}));
  IniFile ini = Ini();
  ini.WriteBool("Show Full Path", "Checked", true);
  ini.WriteInteger("Last Wallpaper Index", "Value", 1);
  ini.WriteInteger("Timer interval", "value", 1);
  ini.WriteBool("Enable Timer", "Checked", true);
  ini.WriteInteger("Interval Value", "Value", 5);
  ini.WriteInteger("Custom position X", "value", -10);
  ini.WriteInteger("movie width", "Value", 320);
  ini.WriteBool("Change at Startup", "Checked", false);
  TMainForm& p = StartUp();
  EXPECT_EQ(p.MainListBox.Items(), (std::vector<std::string>{a, b}));  // full paths
  EXPECT_EQ(p.CurrentIndex, 1);
  EXPECT_TRUE(p.RotationTimer.Enabled());
  EXPECT_EQ(p.RotationTimer.Interval(), 300000u);
  EXPECT_EQ(p.OriginXEdit.Value(), -10);
  EXPECT_EQ(p.MovieWidthEdit.Value(), 320);
  EXPECT_FALSE(p.FolderReaderTimer.Enabled());
}

TEST_F(PanelTest, IniValuesFollowTheFileRules) {
  // "yes" is no integer: the default; "Value" and "value" are one key; a
  // stored mode other than 1 or 2 means manual; hexadecimal is read.
  WriteTextFile(ExeFolder() + "settings.ini",
                "[Enable Timer]\r\nChecked=yes\r\n"
                "[Wallpaper style]\r\nValue=1\r\n"
                "[Functioning mode]\r\nvalue=7\r\n"
                "[Custom position Y]\r\nValue=$10\r\n"
                "[Shuffle Wallpapers]\r\nChecked=2\r\n");
  TMainForm& p = StartUp();
  EXPECT_FALSE(p.UseTimerCheck.Checked());
  EXPECT_EQ(p.StyleBox.ItemIndex(), 1);
  EXPECT_EQ(p.FunctioningMode, FunctioningMode::Manual);
  EXPECT_EQ(p.OriginYEdit.Value(), 16);
  EXPECT_TRUE(p.ShuffleCheck.Checked());
  p.SavePanelSettings();
  EXPECT_EQ(Ini().ReadString("Functioning mode", "value", ""), "2");
  EXPECT_EQ(Ini().ReadString("Wallpaper style", "VALUE", ""), "1");
}

TEST_F(PanelTest, AlwaysMinimizeDecidesWhetherTheShownPanelFliesToTheTrayAndBack) {
  for (const bool always : {false, true}) {
    SCOPED_TRACE(always ? "always minimize" : "not always minimize");
    IniFile(ExeFolder() + "settings.ini").WriteBool("Always minimize", "Checked", always);
    TMainForm& p = StartUp();
    std::vector<std::pair<RECT, RECT>> flights;
    app.AnimateCaption = [&](HWND w, const RECT& from, const RECT& to) {
      EXPECT_EQ(w, p.Handle());
      flights.emplace_back(from, to);
    };
    p.Show();
    RECT window{};
    GetWindowRect(p.Handle(), &window);
    app.Minimize();
    EXPECT_FALSE(IsWindowVisible(p.Handle()));
    p.ShowControlPanel();  // as the tray menu brings it back
    EXPECT_TRUE(IsWindowVisible(p.Handle()));
    if (always) {
      EXPECT_TRUE(flights.empty());
    } else {
      ASSERT_EQ(flights.size(), 2u);
      EXPECT_TRUE(EqualRect(&flights[0].first, &window)) << "away from the panel first";
      EXPECT_TRUE(EqualRect(&flights[1].second, &window)) << "and back onto it";
      EXPECT_TRUE(EqualRect(&flights[0].second, &flights[1].first)) << "through the same tray place";
    }
    p.Hide();
    app.AnimateCaption = nullptr;
    p.StartupTimer.SetEnabled(true);  // the next round starts up again
  }
}

TEST_F(PanelTest, SavePanelSettingsWritesItsFifteenSectionsInOrder) {
  StartUp().SavePanelSettings();
  EXPECT_EQ(test::IniSections(ExeFolder() + "settings.ini"),
            (std::vector<std::string>{"Show Preview", "Change at Startup", "Last Wallpaper Index", "Shuffle Wallpapers",
                                      "Timer interval", "Enable Timer", "Interval Value", "Wallpaper style",
                                      "Custom position X", "Custom position Y", "ColorBox1", "Functioning mode",
                                      "Automatic mode location", "movie width", "movie height"}));
}

TEST_F(PanelTest, ARefusedSettingsWriteIsReportedAndTheCommandStops) {
  TMainForm& p = StartUp();
  std::string ini = ExeFolder() + "settings.ini";
  WriteTextFile(ini, "[Show Preview]\r\nChecked=1\r\n");
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
  p.Show();
  SendMessageA(p.OkButton.Handle(), BM_CLICK, 0, 0);  // "OK": save, then hide
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_FALSE(prompts.messages.empty());
  EXPECT_EQ(prompts.messages.back().text, "Unable to write to " + ini);
  EXPECT_TRUE(p.Visible());  // the rest of the command did not run
  EXPECT_FALSE(app.Terminated());
}

TEST_F(PanelTest, APlaylistArgumentIsLoadedAndExitWritesTheDefaultPlaylist) {
  std::string a = Pic("a.jpg");
  std::string other = dir.file("other.qvl");
  WriteTextFile(other, PlaylistText({a}));
  app.Arguments = {other, "ignored"};
  TMainForm& p = StartUp();
  EXPECT_EQ(p.StartupPlaylistFile, other);
  EXPECT_EQ(p.MainListBox.Items(), (std::vector<std::string>{"a"}));
  p.Close();  // hidden panel: the close is granted
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(ReadTextFile(DefPlayList()), PlaylistText({a}));
  EXPECT_EQ(ReadTextFile(other), PlaylistText({a}));
  EXPECT_EQ(p.Playlist, nullptr);
}

TEST_F(PanelTest, APlaylistOfAnOlderVersionInTheLegacyCodePageLoadsAsUtf8) {
  // Older versions wrote the playlist in the system's ANSI code page
  // (Windows-1252 here); lines of this version are UTF-8 beside them.
  const std::string cafe = MakeFile(dir.file("caf\xC3\xA9.jpg"));
  const std::string omega = MakeFile(dir.file("\xCE\xA9mega.jpg"));
  WriteTextFile(DefPlayList(), dir.file("caf\xE9.jpg") + "\r\ncaf\xE9\r\n" + omega + "\r\n\xCE\xA9mega\r\n");
  TMainForm& p = StartUp();
  EXPECT_EQ(p.MainListBox.Items(), (std::vector<std::string>{"caf\xC3\xA9", "\xCE\xA9mega"}));
  ASSERT_EQ(p.Playlist->EntryCount(), 2u);
  EXPECT_EQ(p.Playlist->Path(0), cafe);
  // Written back in UTF-8.
  p.Close();
  EXPECT_EQ(ReadTextFile(DefPlayList()), PlaylistText({cafe, omega}));
}

TEST_F(PanelTest, StartupAndOpensiteLoadTheDefaultPlaylist) {
  WriteTextFile(DefPlayList(), PlaylistText({Pic("x.jpg")}));
  app.Arguments = {"-opensite"};
  TMainForm& p = StartUp();
  EXPECT_EQ(p.StartupPlaylistFile, DefPlayList());
  EXPECT_EQ(p.MainListBox.Count(), 1);
  ASSERT_EQ(prompts.shellCalls.size(), 1u);
  EXPECT_EQ(prompts.shellCalls[0].verb, "open");
  EXPECT_EQ(prompts.shellCalls[0].file, p.ProgramPageUrl);
  EXPECT_EQ(prompts.shellCalls[0].show, SW_SHOWNORMAL);
}

TEST_F(PanelTest, AnUnreadableStartupPlaylistIsReportedOnce) {
  app.Arguments = {dir.file("missing.qvl")};
  TMainForm& p = StartUp();
  EXPECT_EQ(prompts.MessageTexts(), (std::vector<std::string>{"ERROR Reading from Disk"}));
  EXPECT_EQ(p.MainListBox.Count(), 0);
  EXPECT_EQ(p.FolderToRead, ExeFolder() + "images");  // the empty list sent it to the pictures folder
}

TEST_F(PanelTest, ClosingTheShownPanelGoesToTheTrayAndASecondCloseEnds) {
  WriteTextFile(DefPlayList(), PlaylistText({Pic("a.jpg")}));
  TMainForm& p = StartUp();
  p.Show();
  EXPECT_FALSE(p.CloseMeansExit);
  SendMessageA(p.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(app.Terminated());
  EXPECT_TRUE(app.Minimized());
  EXPECT_FALSE(IsWindowVisible(p.Handle()));
  EXPECT_TRUE(p.CloseMeansExit);
  DeleteFileA(DefPlayList().c_str());
  DeleteFileA((ExeFolder() + "settings.ini").c_str());
  SendMessageA(p.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.Terminated());
  EXPECT_TRUE(Exists(DefPlayList()));
  EXPECT_EQ(test::IniSections(ExeFolder() + "settings.ini").size(), 15u);
}

TEST_F(PanelTest, ClosingBeforeTheStartUpSequenceEndsTheProgramAndKeepsTheStoredFiles) {
  std::string stored = PlaylistText({Pic("a.jpg")});
  WriteTextFile(DefPlayList(), stored);
  Ini().WriteInteger("Last Wallpaper Index", "Value", 2);
  const std::string settings = ReadTextFile(ExeFolder() + "settings.ini");
  TMainForm& p = Panel();
  // The panel has never been shown: its close is the program's end, not a
  // trip to the tray with the start-up sequence still to come.
  SendMessageA(p.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(ReadTextFile(DefPlayList()), stored);
  EXPECT_EQ(ReadTextFile(ExeFolder() + "settings.ini"), settings);
}

TEST_F(PanelTest, OkSavesAndHides) {
  TMainForm& p = StartUp();
  p.Show();
  p.Playlist->AppendEntry(Pic("z.jpg"));
  SendMessageA(p.OkButton.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(p.Visible());
  EXPECT_TRUE(p.CloseMeansExit);
  EXPECT_EQ(ReadTextFile(DefPlayList()), PlaylistText({dir.file("z.jpg")}));
}

TEST_F(PanelTest, ShowingSetsTheCaptionFromTheTitle) {
  app.Title = "Pellimox Free Wallpaper Changer";
  TMainForm& p = StartUp();
  EXPECT_EQ(p.Caption(), "Control panel");
  p.Show();
  EXPECT_EQ(p.Caption(), "Pellimox Free Wallpaper Changer - Control Panel");
}

TEST_F(PanelTest, ThePanelCannotBeResized) {
  TMainForm& p = StartUp();
  p.Show();
  RECT before, after;
  GetWindowRect(p.Handle(), &before);
  SetWindowPos(p.Handle(), nullptr, 0, 0, 900, 900, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(p.Handle(), &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_EQ(p.ClientWidth(), 600);
}

TEST_F(PanelTest, TheRunValueQuotesThePathAndIsRemovedAgain) {
  std::string folder = dir.file("Program Files");
  CreateDirectoryA(folder.c_str(), nullptr);
  app.SetExeName(folder + "\\WallpaperChanger.exe");
  TMainForm& p = Panel();
  p.SetRunAtStartup(true);
  char value[1024] = {};
  DWORD size = sizeof value;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Wallpaper Manager",
                         RRF_RT_REG_SZ, nullptr, value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::string(value), "\"" + folder + "\\WallpaperChanger.exe\" -startup");
  p.SetRunAtStartup(false);
  size = sizeof value;
  EXPECT_NE(RegGetValueA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Wallpaper Manager",
                         RRF_RT_REG_SZ, nullptr, value, &size),
            ERROR_SUCCESS);
}

// ---- the playlist and its file buttons

TEST_F(PanelTest, RowsShowExistingEntriesOnly) {
  std::string a = Pic("a.jpg"), gone = dir.file("gone.jpg"), c = Pic("c.jpg");
  WriteTextFile(DefPlayList(), PlaylistText({a, gone, c}) + "odd line");
  TMainForm& p = StartUp();
  EXPECT_EQ(p.Playlist->LineCount(), 7u);  // the odd line is kept
  EXPECT_EQ(p.MainListBox.Items(), (std::vector<std::string>{"a", "c"}));
  p.ShowFullPathItemClick(p.ShowFullPathItem);
  EXPECT_EQ(p.MainListBox.Items(), (std::vector<std::string>{a, c}));
  EXPECT_TRUE(Ini().ReadBool("Show Full Path", "Checked", false));
  p.Close();
  EXPECT_EQ(ReadTextFile(DefPlayList()), PlaylistText({a, gone, c}) + "odd line\r\n");
}

TEST_F(PanelTest, SaveAddsTheExtensionOnlyWhenThereIsNone) {
  TMainForm& p = StartUp();
  p.AddFilesToPlaylist({Pic("a.jpg"), Pic("b.jpg")});
  prompts.AnswerSave(dir.file("mine"));
  p.MainSaveClick(p.MainSave);
  EXPECT_EQ(ReadTextFile(dir.file("mine.qvl")), PlaylistText({dir.file("a.jpg"), dir.file("b.jpg")}));
  ASSERT_EQ(prompts.saveCalls.size(), 1u);
  EXPECT_EQ(prompts.saveCalls[0].filter, "Playlist|*.qvl");
  EXPECT_FALSE(prompts.saveCalls[0].overwritePrompt);
  prompts.AnswerSave(dir.file("mine.lst"));
  p.MainSaveClick(p.MainSave);
  EXPECT_TRUE(Exists(dir.file("mine.lst")));
  EXPECT_FALSE(Exists(dir.file("mine.lst.qvl")));
}

TEST_F(PanelTest, LoadReplacesAndAppendAddsEveryLine) {
  std::string a = Pic("a.jpg"), b = Pic("b.jpg");
  std::string list = dir.file("list.qvl");
  WriteTextFile(list, PlaylistText({b, dir.file("missing.jpg")}));
  TMainForm& p = StartUp();
  p.AddFilesToPlaylist({a});
  prompts.AnswerOpen({list});
  p.MainLoadClick(p.MainLoad);
  EXPECT_EQ(prompts.openCalls.back().filter, "Image Play List|*.qvl");
  EXPECT_EQ(p.Playlist->EntryCount(), 2u);
  EXPECT_EQ(p.MainListBox.Items(), (std::vector<std::string>{"b"}));
  prompts.AnswerOpen({list});
  p.MainAppendClick(p.MainAppend);
  EXPECT_EQ(p.Playlist->EntryCount(), 4u);
  EXPECT_EQ(p.MainListBox.Items(), (std::vector<std::string>{"b", "b"}));
  p.MainNewClick(p.MainNew);
  EXPECT_EQ(p.Playlist->LineCount(), 0u);
  EXPECT_EQ(p.MainListBox.Count(), 0);
}

TEST_F(PanelTest, AFailedLoadLeavesAnEmptyListAndAFailedAppendChangesNothing) {
  TMainForm& p = StartUp();
  p.AddOneFile(Pic("a.jpg"));
  std::string locked = dir.file("locked.qvl");
  WriteTextFile(locked, "x\r\n");
  {
    // Held open without sharing: it exists but cannot be read.
    ui::FileHandle hold(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(hold);
    prompts.AnswerOpen({locked});
    p.MainAppendClick(p.MainAppend);
    EXPECT_EQ(p.Playlist->EntryCount(), 1u);
    prompts.AnswerOpen({locked});
    p.MainLoadClick(p.MainLoad);
  }
  EXPECT_EQ(prompts.MessageTexts(), (std::vector<std::string>{"ERROR Reading from Disk", "ERROR Reading from Disk"}));
  EXPECT_EQ(p.Playlist->LineCount(), 0u);
  EXPECT_EQ(p.MainListBox.Count(), 0);
  prompts.AnswerOpen({dir.file("nothing-here.qvl")});
  p.MainLoadClick(p.MainLoad);  // a name that does not exist changes nothing
  EXPECT_EQ(prompts.messages.size(), 2u);
}

TEST_F(PanelTest, DroppedFilesFollowTheExtensionRules) {
  TMainForm& p = StartUp();
  p.SetPlaylistDragDrop(true);
  p.SetPlaylistDragDrop(true);  // a second switch-on must not chain the procedure to itself
  // A camera's upper-case name and a PNG are pictures like any other; a
  // page and a text file are not.
  std::string upper = Pic("IMG_0001.JPG"), page = Pic("page.html"), pic = Pic("pic.jpg"), movie = Pic("clip.MPEG");
  std::string png = Pic("shot.Png"), text = Pic("notes.txt");
  std::string odd = dir.file("odd.qvl");
  WriteTextFile(odd, "C:\\one.jpg\r\none\r\nC:\\half.jpg");
  HDROP drop =
      static_cast<HDROP>(test::MakeDropHandle({upper, page, pic, dir.file("absent.jpg"), odd, movie, png, text}));
  SendMessageA(p.MainListBox.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(p.Playlist->Lines(), (std::vector<std::string>{upper, "IMG_0001", pic, "pic", "C:\\one.jpg", "one",
                                                           "C:\\half.jpg", movie, "clip", png, "shot"}));
  p.SetPlaylistDragDrop(false);
  EXPECT_FALSE(p.PlaylistDragDrop());
  HDROP ignored = static_cast<HDROP>(test::MakeDropHandle({pic}));
  SendMessageA(p.MainListBox.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(ignored), 0);
  DragFinish(ignored);
  EXPECT_EQ(p.Playlist->LineCount(), 11u);
}

// ---- the playlist file on disk

class PlaylistFileTest : public test::GuiTest {};

TEST_F(PlaylistFileTest, NEntriesAreWrittenAsTwoNLinesAndReadBack) {
  std::vector<std::string> lines = {"C:\\a.jpg", "a", "C:\\b b\\c.jpg", "c", "", ""};
  std::string path = dir.file("p.qvl");
  WritePlaylistFile(path, lines);
  EXPECT_EQ(ReadTextFile(path), "C:\\a.jpg\r\na\r\nC:\\b b\\c.jpg\r\nc\r\n\r\n\r\n");
  EXPECT_EQ(ReadPlaylistFile(path), lines);
  WritePlaylistFile(path, {});
  EXPECT_EQ(ReadTextFile(path), "");
}

TEST_F(PlaylistFileTest, AFailedWriteLeavesTheOldFileWhole) {
  std::string path = dir.file("p.qvl");
  WriteTextFile(path, "old\r\nlines\r\n");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  try {
    WritePlaylistFile(path, {"new"});
    ADD_FAILURE() << "a read-only playlist was replaced";
  } catch (const ui::Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + path + "\". ", 0), 0u) << e.what();
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadTextFile(path), "old\r\nlines\r\n");
  EXPECT_FALSE(Exists(path + ".new"));
  EXPECT_THROW(WritePlaylistFile(dir.file("no such folder\\p.qvl"), {"x"}), ui::Error);
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

class LongPlaylistTest : public PanelTest {
 protected:
  // `count` entries, every third file missing; returns the rows expected.
  std::vector<std::string> MakeLongPlaylist(int count) {
    std::string text;
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) {
      std::string path = dir.file("p" + std::to_string(i) + ".jpg");
      if (i % 3 != 1) {
        MakeFile(path);
        rows.push_back("p" + std::to_string(i));
      }
      text += path + "\r\n" + DisplayName(path) + "\r\n";
    }
    WriteTextFile(DefPlayList(), text);
    return rows;
  }
};

TEST_F(LongPlaylistTest, TheStartUpFillAnswersMessagesAndKeepsThePlaylistOrder) {
  const std::vector<std::string> expected = MakeLongPlaylist(4000);
  bool answered = false;
  bool sequenceDone = false;
  app.Post([&] { answered = !sequenceDone; });
  TMainForm& p = StartUp();
  sequenceDone = true;
  EXPECT_TRUE(answered) << "the program did not answer while the list was filled";
  EXPECT_EQ(p.MainListBox.Items(), expected);
  EXPECT_EQ(p.Playlist->EntryCount(), 4000u);  // the missing files keep their entries
  EXPECT_TRUE(p.FolderReaderTimer.Enabled());   // the change at start-up comes after the fill
  EXPECT_FALSE(p.StartupTimer.Enabled());
}

// What the user had stored, none of it the controls' layout defaults.
const char* const kStoredSettings =
    "[Last Wallpaper Index]\r\nValue=1234\r\n[Shuffle Wallpapers]\r\nChecked=1\r\n"
    "[Timer interval]\r\nvalue=2\r\n[Interval Value]\r\nValue=7\r\n[Wallpaper style]\r\nvalue=1\r\n"
    "[Functioning mode]\r\nvalue=1\r\n[Automatic mode location]\r\nvalue=D:\\Holidays\r\n"
    "[movie width]\r\nValue=320\r\n";

TEST_F(LongPlaylistTest, ClosingWhileTheListIsFilledKeepsEveryEntryAndEverySetting) {
  MakeLongPlaylist(3000);
  const std::string before = ReadTextFile(DefPlayList());
  WriteTextFile(ExeFolder() + "settings.ini", kStoredSettings);
  app.Post([&] { Panel().Close(); });  // the hidden panel: the close ends the program
  TMainForm& p = StartUp();
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(p.Playlist, nullptr);
  EXPECT_FALSE(p.FolderReaderTimer.Enabled());  // the rest of the sequence did not run
  EXPECT_EQ(ReadTextFile(DefPlayList()), before);
  EXPECT_EQ(ReadTextFile(ExeFolder() + "settings.ini"), kStoredSettings);
}

TEST_F(PanelTest, ClosingBeforeTheStartUpSequenceWritesNoSettings) {
  WriteTextFile(ExeFolder() + "settings.ini", kStoredSettings);
  TMainForm& p = Panel();
  p.Show();
  SendMessageA(p.OkButton.Handle(), BM_CLICK, 0, 0);  // "OK" hides the panel
  p.Close();
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(ReadTextFile(ExeFolder() + "settings.ini"), kStoredSettings);
}

}  // namespace
}  // namespace wc
