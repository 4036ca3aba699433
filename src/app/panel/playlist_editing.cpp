// The control panel's playlist editing: the five buttons beside the list,
// the two menus they open and the commands of those menus (the file
// operations are in file_ops.cpp).
#include <windows.h>

#include "app/panel/main_form.h"
#include "common/entry_kind.h"
#include "common/paths.h"
#include "common/picture_formats.h"
#include "common/random.h"
#include "common/random_win32.h"
#include "playlist/playlist_sort.h"
#include "scan/add_folder_form.h"
#include "scan/filter_form.h"
#include "ui/application.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

// Exchanges made by "Randomise Wallpaper List", whatever the list's length.
constexpr int kRandomExchanges = 10;

void PopupAtPointer(ui::PopupMenu& menu, HWND owner) {
  POINT at{};
  GetCursorPos(&at);
  menu.Popup(at.x, at.y, owner);
}

}  // namespace

// ---- rows and entries

std::optional<size_t> TMainForm::EntryOfRow(int row) const {
  if (!Playlist || row < 0 || row >= MainListBox.Count()) return std::nullopt;
  std::optional<size_t> entry = Rows.Entry(row);
  if (!entry || *entry >= Playlist->EntryCount()) return std::nullopt;
  return entry;
}

void TMainForm::AppendRow(const std::string& text, size_t entry) {
  // Rows the box lost (it was cleared) are forgotten first.
  Rows.Truncate(size_t(MainListBox.Count()));
  MainListBox.AddItem(text);
  Rows.Append(entry);
}

void TMainForm::RemoveRowAndEntry(int row) {
  std::optional<size_t> entry = EntryOfRow(row);
  if (!entry) return;
  Playlist->RemoveEntry(*entry);
  MainListBox.DeleteItem(row);
  Rows.RemoveRow(size_t(row));
}

// ---- the buttons

void TMainForm::MoveUpButtonClick(ui::Component&) {
  if (MainListBox.ItemIndex() < 0 && MainListBox.Count() > 0) MainListBox.SetItemIndex(0);
  const int i = MainListBox.ItemIndex();
  if (i <= 0) return;
  std::optional<size_t> above = EntryOfRow(i - 1), here = EntryOfRow(i);
  if (!above || !here) return;
  MainListBox.Exchange(i, i - 1);
  Playlist->SwapEntries(*above, *here);
  MainListBox.SetItemIndex(i - 1);
}

void TMainForm::MoveDownButtonClick(ui::Component&) {
  if (MainListBox.ItemIndex() < 0 && MainListBox.Count() > 0) MainListBox.SetItemIndex(0);
  const int i = MainListBox.ItemIndex();
  if (i < 0 || i >= MainListBox.Count() - 1) return;
  std::optional<size_t> here = EntryOfRow(i), below = EntryOfRow(i + 1);
  if (!here || !below) return;
  MainListBox.Exchange(i, i + 1);
  Playlist->SwapEntries(*here, *below);
  MainListBox.SetItemIndex(i + 1);
}

void TMainForm::RemoveEntryButtonClick(ui::Component&) {
  const int i = MainListBox.ItemIndex();
  if (i < 0 || !EntryOfRow(i)) return;
  RemoveRowAndEntry(i);
  const int rows = MainListBox.Count();
  MainListBox.SetItemIndex(i == rows && rows > 0 ? i - 1 : i);
  if (rows > 0) {
    MainListBoxClick(MainListBox);
  } else {
    MainPreview.ClearPicture();
    MainPreview.Repaint();
  }
}

void TMainForm::AddEntriesButtonClick(ui::Component&) { PopupAtPointer(AddMenu, Handle()); }
void TMainForm::PlaylistMenuButtonClick(ui::Component&) {
  // Its file operations act on the row selected now (see FileOperationScope).
  FileOperationScope scope(*this);
  PopupAtPointer(PlaylistMenu, Handle());
}

// ---- adding

void TMainForm::AddFilesItemClick(ui::Component&) { AddPictureFiles(); }
void TMainForm::ListAddFilesItemClick(ui::Component&) { AddPictureFiles(); }
void TMainForm::AddFolderItemClick(ui::Component&) { AddFromFolder(); }
void TMainForm::ListAddFolderItemClick(ui::Component&) { AddFromFolder(); }
void TMainForm::AddPagesItemClick(ui::Component&) { AddMovieAndHtmlFiles(); }
void TMainForm::ListAddPagesItemClick(ui::Component&) { AddMovieAndHtmlFiles(); }

void TMainForm::AddPictureFiles() {
  // "All pictures" holds every kind the system's decoders add as well.
  const std::string filter = Say(texts::kAllPicturesFilter) + "|" + ExtensionPattern(PictureExtensions()) + "|" +
                             Say(texts::kJpegFilter) + "|*.jpg;*.jpeg|" + Say(texts::kBitmapFilter) + "|*.bmp|" +
                             Say(texts::kPngFilter) + "|*.png|" + Say(texts::kGifFilter) + "|*.gif|" +
                             Say(texts::kTiffFilter) + "|*.tif;*.tiff|" + Say(texts::kIconFilter) + "|*.ico|" +
                             Say(texts::kEnhancedMetafileFilter) + "|*.emf|" + Say(texts::kMetafileFilter) + "|*.wmf";
  AddChosenFiles(filter, true);
}

void TMainForm::AddMovieAndHtmlFiles() {
  AddChosenFiles(Say(texts::kMovieFilter) + "|" + ExtensionPattern(MovieExtensions()) + "|" + Say(texts::kHtmlFilter) +
                     "|" + ExtensionPattern(PageExtensions()) + ";",
                 false);
}

void TMainForm::AddChosenFiles(const std::string& filter, bool picturePreview) {
  ui::FileDialogOptions o;
  o.filter = filter;
  o.multiSelect = true;
  o.fileMustExist = true;
  o.pathMustExist = true;
  o.picturePreview = picturePreview;
  auto r = App().prompts().OpenFile(Handle(), o);
  if (!r || r->files.empty() || !Playlist) return;
  AddEntries(r->files);
}

void TMainForm::AddFromFolder() {
  TAddFolderForm* picker = ui::Application::FindForm<TAddFolderForm>("AddFolderForm");
  TFilterForm* options = ui::Application::FindForm<TFilterForm>("FilterForm");
  if (!picker || !options) return;
  if (picker->ShowModal() != ui::mrOk || FolderToRead.empty()) return;
  // "Cancel" (and the close box) leave no extension to accept: nothing to read.
  if (options->ShowModal() != ui::mrOk || ExtensionCount == 0) return;
  StartFolderReader();
}

// ---- the playlist menu

void TMainForm::SetAsWallpaperItemClick(ui::Component&) { ApplyRow(MainListBox.ItemIndex(), RowChoice::ByHand); }

void TMainForm::EmptyListItemClick(ui::Component&) { EmptyPlaylist(); }

void TMainForm::SortListItemClick(ui::Component&) { SortPlaylist(); }

void TMainForm::SortPlaylist() {
  if (!Playlist || !SortPlaylistByPath(*Playlist)) return;
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
}

void TMainForm::RandomiseListItemClick(ui::Component&) { RandomisePlaylist(); }

void TMainForm::RandomisePlaylist() {
  if (!Playlist || Playlist->EntryCount() == 0) return;
  RandomizeProgramRandom();
  const uint32_t n = uint32_t(Playlist->EntryCount());
  for (int i = 0; i < kRandomExchanges; ++i) {
    const uint32_t a = ProgramRandom().Next(n);
    const uint32_t b = ProgramRandom().Next(n);
    Playlist->SwapEntries(a, b);
  }
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
}

void TMainForm::FindCurrentItemClick(ui::Component&) {
  if (MainListBox.Count() > 0) MainListBox.SetItemIndex(0);
}

// Selecting every row of a list that holds one selected row at a time.
void TMainForm::SelectAllItemClick(ui::Component&) {}

}  // namespace wc
