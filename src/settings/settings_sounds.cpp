// The Sound tab: the list of wave sounds played when a wallpaper is applied,
// and the sound-list files it is kept in.
#include <windows.h>
#include <mmsystem.h>

#include "common/paths.h"
#include "common/random.h"
#include "common/product.h"
#include "common/text_encoding_win32.h"
#include "playlist/playlist_file.h"
#include "settings/settings_form.h"
#include "settings/sound_list.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/graphics.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

void TSettings::TextsReplaced() {
  if (CurrentSoundList == "Default") NamePanel.SetCaption(Say(texts::kDefaultSoundList));
  // The monitors' captions say "landscape" and "portrait" in the language.
  ShowMonitorCaptions();
}

namespace {

std::string SoundListFilter() { return Say(texts::kSoundListFilter, {kProductName}) + "|*.krs"; }
}  // namespace

void TSettings::ClearSoundList() {
  SoundListBox.Clear();
  SoundPaths.clear();
}

void TSettings::AddSound(const std::string& path) {
  SoundListBox.AddItem(DisplayName(path));
  SoundPaths.push_back(path);
}

void TSettings::ReadLastSoundList() {
  CurrentSoundList = Model().values.soundList;
  if (CurrentSoundList == "Default") return;
  if (!FileExists(CurrentSoundList)) {
    CurrentSoundList = "Default";
    return;
  }
  ClearSoundList();
  NamePanel.SetCaption(ExtractFileName(CurrentSoundList));
  LoadSoundList(CurrentSoundList);
}

void TSettings::LoadSoundList(const std::string& file) {
  std::vector<std::string> lines;
  try {
    lines = ParseSoundListText(ui::ReadSharedFile(file), &LegacyAnsiToUtf8);
  } catch (const std::exception& e) {
    App().prompts().Message(Handle(), e.what(), Say(texts::kErrorTitle), MB_OK | MB_ICONERROR);
    return;
  }
  ui::ListBox::UpdateGuard update(SoundListBox);
  for (const std::string& line : lines) AddSound(line);
}

void TSettings::AddSoundsButtonClick(ui::Component&) {
  ui::FileDialogOptions options;
  options.filter = Say(texts::kWaveFilter) + "|*.wav";
  options.multiSelect = true;
  auto chosen = App().prompts().OpenFile(Handle(), options);
  if (!chosen) return;
  for (const std::string& file : chosen->files) {
    if (FileExists(file)) AddSound(file);
  }
}

void TSettings::RemoveSoundButtonClick(ui::Component&) {
  const int i = SoundListBox.ItemIndex();
  if (i < 0 || size_t(i) >= SoundPaths.size()) return;
  SoundListBox.DeleteItem(i);
  SoundPaths.erase(SoundPaths.begin() + i);
}

void TSettings::PreviousSoundButtonClick(ui::Component&) {
  const int i = SoundListBox.ItemIndex();
  if (i < 0) {
    if (SoundListBox.Count() > 0) SoundListBox.SetItemIndex(0);
  } else if (i > 0) {
    SoundListBox.SetItemIndex(i - 1);
  }
}

void TSettings::NextSoundButtonClick(ui::Component&) {
  const int i = SoundListBox.ItemIndex();
  if (i < 0) {
    if (SoundListBox.Count() > 0) SoundListBox.SetItemIndex(0);
  } else if (i < SoundListBox.Count() - 1) {
    SoundListBox.SetItemIndex(i + 1);
  }
}

void TSettings::PlaySoundButtonClick(ui::Component&) { PlayChangeSound(); }

void TSettings::SoundListBoxDblClick(ui::Component&) { PlayChangeSound(); }

void TSettings::PlayChangeSound() {
  const int count = SoundListBox.Count();
  if (count == 0) return;
  if (SoundListBox.ItemIndex() < 0) SoundListBox.SetItemIndex(0);
  if (!PlaySoundCheckBox.Checked()) return;
  if (ShuffleCheckBox.Checked()) SoundListBox.SetItemIndex(int(ProgramRandom().Next(uint32_t(count))));
  const size_t i = size_t(SoundListBox.ItemIndex());
  if (i >= SoundPaths.size()) return;
  // A path too long for the sound service's buffer is kept in the list but
  // not played: cut short, it would name another file.
  if (auto path = PlayableSoundPath(SoundPaths[i])) App().prompts().PlaySoundFile(*path, SND_FILENAME | SND_ASYNC);
}

void TSettings::NewSoundListButtonClick(ui::Component&) {
  // The sound-list file in use stays named: the next Apply stores it again.
  ClearSoundList();
  NamePanel.SetCaption(Say(texts::kDefaultSoundList));
}

void TSettings::LoadSoundListButtonClick(ui::Component&) {
  ui::FileDialogOptions options;
  options.filter = SoundListFilter();
  auto chosen = App().prompts().OpenFile(Handle(), options);
  if (!chosen || chosen->files.empty() || !FileExists(chosen->files.front())) return;
  const std::string file = chosen->files.front();
  ClearSoundList();
  NamePanel.SetCaption(ExtractFileName(file));
  LoadSoundList(file);
  CurrentSoundList = file;
}

void TSettings::AppendSoundListButtonClick(ui::Component&) {
  ui::FileDialogOptions options;
  options.filter = SoundListFilter();
  auto chosen = App().prompts().OpenFile(Handle(), options);
  if (!chosen || chosen->files.empty() || !FileExists(chosen->files.front())) return;
  LoadSoundList(chosen->files.front());
}

void TSettings::SaveSoundListButtonClick(ui::Component&) {
  ui::FileDialogOptions options;
  options.filter = SoundListFilter();
  options.fileName = "Default.krs";
  options.overwritePrompt = true;
  auto chosen = App().prompts().SaveFile(Handle(), options);
  if (!chosen || chosen->files.empty()) return;
  std::string file = chosen->files.front();
  if (ExtractFileExt(file).empty()) file += ".krs";
  // The same safe writer as the playlist: CR LF after every line, and a
  // failed write leaves the old file whole (and the list named as before).
  WritePlaylistFile(file, SoundPaths);
  NamePanel.SetCaption(ExtractFileName(file));
  CurrentSoundList = file;
}

}  // namespace wc
