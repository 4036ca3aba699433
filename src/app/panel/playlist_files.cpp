// The control panel's playlist: its rows, the playlist-file buttons and
// files dropped onto the list.
#include <windows.h>
#include <shellapi.h>

#include "app/panel/main_form.h"
#include "common/entry_kind.h"
#include "settings/settings_file.h"
#include "common/paths.h"
#include "common/picture_formats.h"
#include "common/text.h"
#include "playlist/playlist_file.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

// Pictures of every kind the program reads, and movies; file names on
// Windows ignore case, so "IMG_0001.JPG" is a picture too.
bool IsDroppablePicture(const std::string& path) {
  return KindOfEntry(path) == EntryKind::Movie || IsPictureExtension(ExtractFileExt(path));
}
}  // namespace

void TMainForm::FillPlaylistBox(bool showFullPath) {
  if (!Playlist) return;
  // A fill still on its way at start-up would add its rows to these.
  AbandonAnsweringFill();
  {
    ui::ListBox::UpdateGuard update(MainListBox);
    for (size_t k = 0; k < Playlist->EntryCount(); ++k) {
      if (FileExists(Playlist->Path(k))) AppendRow(showFullPath ? Playlist->Path(k) : Playlist->Name(k), k);
    }
  }
  if (MainChPreview.Checked() && MainListBox.Count() > 0) MainChPreviewClick(MainChPreview);
}

void TMainForm::AddFilesToPlaylist(const std::vector<std::string>& paths) {
  if (!Playlist) return;
  for (const std::string& p : paths) Playlist->AppendEntry(p);
}

void TMainForm::AddOneFile(const std::string& path) {
  if (!Playlist) return;
  Playlist->AppendEntry(path);
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
}

void TMainForm::HandleDroppedFiles(HDROP drop) {
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::string path(size_t(length) + 1, '\0');
    path.resize(DragQueryFileA(drop, i, path.data(), length + 1));
    std::string ext = ExtractFileExt(path);
    if (!FileExists(path)) continue;
    if (IsDroppablePicture(path)) {
      AddOneFile(path);
    } else if (ext == ".qvl" && Playlist) {
      AppendPlaylistFile(path);
    }
  }
  DragFinish(drop);
}

bool TMainForm::PlaylistBoxWindowProc(UINT msg, WPARAM w, LPARAM, LRESULT&) {
  if (msg == WM_DROPFILES) HandleDroppedFiles(reinterpret_cast<HDROP>(w));
  return false;  // the box goes on with every message, that one included
}

void TMainForm::SetPlaylistDragDrop(bool on) {
  HWND list = MainListBox.Handle();
  if (!list || on == PlaylistDragDrop()) return;
  if (on) {
    listHook_.Hook(list);
  } else {
    listHook_.Unhook();
  }
  DragAcceptFiles(list, on);
}

void TMainForm::MainNewClick(ui::Component&) { EmptyPlaylist(); }

void TMainForm::EmptyPlaylist() {
  MainListBox.Clear();
  Rows.Clear();
  if (Playlist) Playlist->Clear();
  MainPreview.ClearPicture();
  MainPreview.Repaint();
}

void TMainForm::MainSaveClick(ui::Component&) {
  ui::FileDialogOptions o;
  o.filter = Say(texts::kPlaylistFilter) + "|*.qvl";
  auto r = App().prompts().SaveFile(Handle(), o);
  if (!r || r->files.empty() || !Playlist) return;
  std::string path = r->files.front();
  if (ExtractFileExt(path).empty()) path += ".qvl";
  WritePlaylistFile(path, Playlist->Lines());
}

void TMainForm::MainLoadClick(ui::Component&) {
  ui::FileDialogOptions o;
  o.filter = Say(texts::kOpenPlaylistFilter) + "|*.qvl";
  auto r = App().prompts().OpenFile(Handle(), o);
  if (!r || r->files.empty() || !Playlist) return;
  const std::string& path = r->files.front();
  if (!FileExists(path)) return;
  Playlist->Clear();
  try {
    Playlist->Lines() = ReadPlaylistFile(path);
  } catch (const std::exception&) {
    ErrorBox(Say(texts::kReadError));
  }
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
}

void TMainForm::MainAppendClick(ui::Component&) {
  ui::FileDialogOptions o;
  o.filter = Say(texts::kOpenPlaylistFilter) + "|*.qvl";
  auto r = App().prompts().OpenFile(Handle(), o);
  if (!r || r->files.empty() || !Playlist) return;
  AppendPlaylistFile(r->files.front());
}

std::optional<std::vector<std::string>> TMainForm::ReadPlaylistOrSay(const std::string& path) {
  try {
    return ReadPlaylistFile(path);
  } catch (const std::exception&) {
    ErrorBox(Say(texts::kReadError));
    return std::nullopt;
  }
}

void TMainForm::AppendPlaylistFile(const std::string& path) {
  const std::optional<std::vector<std::string>> lines = ReadPlaylistOrSay(path);
  if (!lines) return;
  Playlist->AppendLines(*lines);
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
}

void TMainForm::ShowFullPathItemClick(ui::Component&) {
  ShowFullPathItem.SetChecked(!ShowFullPathItem.Checked());
  StoredSettings.values.showFullPath = ShowFullPathItem.Checked();
  SettingsFile file(SettingsPath());
  StoredSettings.Save(file, uint8_t(SettingsPart::PanelMenu));
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
}

}  // namespace wc
