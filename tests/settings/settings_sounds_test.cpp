// The Sound tab: adding, removing and moving through sounds, the sound-list
// files, the "Last Sound Playlist" rules and the sound played after every
// applied wallpaper.
#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "program_files.h"
#include "settings_test_support.h"

namespace wc {
namespace {

using test::MakeFile;
using test::ReadTextFile;
using test::WriteTextFile;

class SoundsTest : public test::SettingsTest {
 protected:
  std::string Wav(const std::string& name) { return MakeFile(dir.file(name), "RIFF"); }
  std::vector<std::string> Shown() { return Settings().SoundListBox.Items(); }
};

TEST_F(SoundsTest, AddedSoundsShowTheirNamesWithoutTheFirstExtensionAndMissingOnesAreSkipped) {
  TSettings& s = Settings();
  const std::string a = Wav("a.wav.wav"), b = Wav("my.wavfile.wav"), c = Wav("c.wav");
  prompts.AnswerOpen({a, dir.file("gone.wav"), b, c});
  s.AddSoundsButtonClick(s.AddSoundsButton);
  ASSERT_EQ(prompts.openCalls.size(), 1u);
  EXPECT_EQ(prompts.openCalls[0].filter, "WAV Sound Files (*.wav)|*.wav");
  EXPECT_TRUE(prompts.openCalls[0].multiSelect);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"a.wav", "myfile.wav", "c"}));
  EXPECT_EQ(s.SoundPaths, (std::vector<std::string>{a, b, c}));

  // Next and previous stop at the ends; with no selection both take the first.
  s.NextSoundButtonClick(s.NextSoundButton);
  EXPECT_EQ(s.SoundListBox.ItemIndex(), 0);
  s.NextSoundButtonClick(s.NextSoundButton);
  s.NextSoundButtonClick(s.NextSoundButton);
  s.NextSoundButtonClick(s.NextSoundButton);
  EXPECT_EQ(s.SoundListBox.ItemIndex(), 2);
  s.PreviousSoundButtonClick(s.PreviousSoundButton);
  EXPECT_EQ(s.SoundListBox.ItemIndex(), 1);
  // Removing takes the entry from both lists together.
  s.RemoveSoundButtonClick(s.RemoveSoundButton);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"a.wav", "c"}));
  EXPECT_EQ(s.SoundPaths, (std::vector<std::string>{a, c}));
  s.PreviousSoundButtonClick(s.PreviousSoundButton);
  s.PreviousSoundButtonClick(s.PreviousSoundButton);
  EXPECT_EQ(s.SoundListBox.ItemIndex(), 0);
}

TEST_F(SoundsTest, PlayingFollowsTheSoundAndShuffleOptions) {
  TSettings& s = Settings();
  const std::string a = Wav("a.wav"), b = Wav("b.wav");
  s.PlaySoundButtonClick(s.PlaySoundButton);  // an empty list: nothing at all
  EXPECT_TRUE(prompts.sounds.empty());
  prompts.AnswerOpen({a, b});
  s.AddSoundsButtonClick(s.AddSoundsButton);

  // Sound off: the first entry is selected and nothing plays.
  s.PlaySoundButtonClick(s.PlaySoundButton);
  EXPECT_EQ(s.SoundListBox.ItemIndex(), 0);
  EXPECT_TRUE(prompts.sounds.empty());

  s.PlaySoundCheckBox.SetChecked(true);
  s.SoundListBox.SetItemIndex(1);
  s.PlaySoundButtonClick(s.PlaySoundButton);
  s.PlaySoundButtonClick(s.PlaySoundButton);  // the selection does not advance
  ASSERT_EQ(prompts.sounds.size(), 2u);
  EXPECT_EQ(prompts.sounds[0].path, b);
  EXPECT_EQ(prompts.sounds[1].path, b);
  EXPECT_EQ(prompts.sounds[0].flags, DWORD(SND_FILENAME | SND_ASYNC));
  EXPECT_EQ(prompts.sounds[0].flags, 0x00020001u);

  // Shuffle draws from the whole list: both sounds come up.
  s.ShuffleCheckBox.SetChecked(true);
  bool sawA = false, sawB = false;
  for (int i = 0; i < 40; ++i) {
    s.PlaySoundButtonClick(s.PlaySoundButton);
    // What plays is the entry the draw selected.
    ASSERT_EQ(prompts.sounds.back().path, s.SoundPaths[size_t(s.SoundListBox.ItemIndex())]);
    sawA |= prompts.sounds.back().path == a;
    sawB |= prompts.sounds.back().path == b;
  }
  EXPECT_TRUE(sawA);
  EXPECT_TRUE(sawB);
}

TEST_F(SoundsTest, ALineLongerThanTheSoundServiceTakesIsKeptButNeverPlayed) {
  const std::string longLine = "C:\\" + std::string(1200, 'x') + ".wav";
  const std::string list = dir.file("long.krs");
  WriteTextFile(list, longLine + "\r\n" + dir.file("short.wav") + "\r\n");
  IniFile ini = Ini();
  ini.WriteString("Last Sound Playlist", "value", list);
  ini.WriteBool("PlaySoundCheckBox", "Checked", true);
  TSettings& s = Settings();
  ASSERT_EQ(s.SoundPaths.size(), 2u);
  EXPECT_EQ(s.SoundPaths[0], longLine);
  s.SoundListBox.SetItemIndex(0);
  s.PlaySoundButtonClick(s.PlaySoundButton);
  EXPECT_TRUE(prompts.sounds.empty());
  s.SoundListBox.SetItemIndex(1);
  s.PlaySoundButtonClick(s.PlaySoundButton);
  ASSERT_EQ(prompts.sounds.size(), 1u);
  EXPECT_EQ(prompts.sounds[0].path, dir.file("short.wav"));
}

TEST_F(SoundsTest, SaveNewLoadAndAppendKeepTheFileAndTheStoredPathInStep) {
  TSettings& s = Settings();
  const std::string a = Wav("a.wav"), b = Wav("b.wav");
  prompts.AnswerOpen({a, b});
  s.AddSoundsButtonClick(s.AddSoundsButton);

  // A name without extension gets ".krs".
  prompts.AnswerSave(dir.file("mine"));
  s.SaveSoundListButtonClick(s.SaveSoundListButton);
  ASSERT_EQ(prompts.saveCalls.size(), 1u);
  EXPECT_EQ(prompts.saveCalls[0].fileName, "Default.krs");
  EXPECT_EQ(prompts.saveCalls[0].filter, "Pellimox Free Wallpaper Changer Sound List (*.krs)|*.krs");
  EXPECT_TRUE(prompts.saveCalls[0].overwritePrompt);
  const std::string mine = dir.file("mine.krs");
  EXPECT_EQ(ReadTextFile(mine), a + "\r\n" + b + "\r\n");
  EXPECT_FALSE(test::Exists(dir.file("mine")));
  EXPECT_EQ(s.NamePanel.Caption(), "mine.krs");
  EXPECT_EQ(s.CurrentSoundList, mine);

  // New empties the lists but keeps the file in use for the next Apply.
  s.NewSoundListButtonClick(s.NewSoundListButton);
  EXPECT_TRUE(Shown().empty());
  EXPECT_TRUE(s.SoundPaths.empty());
  EXPECT_EQ(s.NamePanel.Caption(), "Default");
  s.ApplyButtonClick(s.ApplyButton);
  EXPECT_EQ(Ini().ReadString("Last Sound Playlist", "value", ""), mine);

  // Load replaces and names; Append adds and names nothing.
  const std::string other = dir.file("other.krs");
  WriteTextFile(other, "C:\\x\\one.wav\nC:\\x\\two.wav");
  prompts.AnswerOpen({other});
  s.LoadSoundListButtonClick(s.LoadSoundListButton);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(s.NamePanel.Caption(), "other.krs");
  EXPECT_EQ(s.CurrentSoundList, other);
  prompts.AnswerOpen({mine});
  s.AppendSoundListButtonClick(s.AppendSoundListButton);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"one", "two", "a", "b"}));
  EXPECT_EQ(s.NamePanel.Caption(), "other.krs");
  EXPECT_EQ(s.CurrentSoundList, other);
  // A chosen file that is gone changes nothing.
  prompts.AnswerOpen({dir.file("gone.krs")});
  s.LoadSoundListButtonClick(s.LoadSoundListButton);
  EXPECT_EQ(Shown().size(), 4u);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SoundsTest, TheLastSoundListIsLoadedAtStartWithAnyLineEndsAndLegacyText) {
  const std::string list = dir.file("start.krs");
  // CR LF, a lone LF, an empty line, a lone CR, and a line in the legacy code
  // page ("\xE9" is é in Windows-1252).
  WriteTextFile(list, "C:\\s\\one.wav\r\nC:\\s\\two.wav\n\nC:\\s\\caf\xE9.wav\rC:\\s\\last.wav");
  Ini().WriteString("Last Sound Playlist", "value", list);
  TSettings& s = Settings();
  EXPECT_EQ(s.SoundPaths, (std::vector<std::string>{"C:\\s\\one.wav", "C:\\s\\two.wav", "", "C:\\s\\caf\xC3\xA9.wav",
                                                     "C:\\s\\last.wav"}));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"one", "two", "", "caf\xC3\xA9", "last"}));
  EXPECT_EQ(s.NamePanel.Caption(), "start.krs");
  EXPECT_EQ(s.CurrentSoundList, list);
}

TEST_F(SoundsTest, ADeletedLastSoundListBecomesDefaultAndIsStoredSo) {
  Ini().WriteString("Last Sound Playlist", "value", dir.file("deleted.krs"));
  TSettings& s = Settings();
  EXPECT_EQ(s.CurrentSoundList, "Default");
  EXPECT_EQ(s.NamePanel.Caption(), "Default");
  EXPECT_TRUE(s.SoundPaths.empty());
  EXPECT_TRUE(prompts.messages.empty());
  s.ApplyButtonClick(s.ApplyButton);
  EXPECT_EQ(Ini().ReadString("Last Sound Playlist", "value", ""), "Default");
}

TEST_F(SoundsTest, ASoundPlaysAfterEveryAppliedWallpaper) {
  test::SavedDesktop savedDesktop;
  const std::string wav = Wav("change.wav");
  const std::string list = dir.file("change.krs");
  WriteTextFile(list, wav + "\r\n");
  IniFile ini = Ini();
  ini.WriteString("Last Sound Playlist", "value", list);
  ini.WriteBool("PlaySoundCheckBox", "Checked", true);
  TSettings& s = Settings();
  TMainForm& p = Panel();
  p.StartupTimerTick(p.StartupTimer);
  p.FolderReaderTimer.SetEnabled(false);
  const std::string picture = test::MakePicture(dir.file("p.bmp"));
  p.AddFilesToPlaylist({picture});
  p.MainListBox.Clear();
  p.FillPlaylistBox(false);
  p.MainListBox.SetItemIndex(0);
  p.MainListBoxDblClick(p.MainListBox);
  ASSERT_EQ(prompts.sounds.size(), 1u);
  EXPECT_EQ(prompts.sounds[0].path, wav);
  EXPECT_EQ(s.SoundListBox.ItemIndex(), 0);
}

}  // namespace
}  // namespace wc
