#include "scan/scan_disk_form.h"

#include <chrono>
#include <exception>

#include "scan/playlist_target.h"
#include "common/product.h"
#include "common/entry_kind.h"
#include "common/fit.h"
#include "common/paths.h"
#include "common/picture_formats.h"
#include "common/text.h"
#include "scan/add_folder_form.h"
#include "scan/scan_disk_thread.h"
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/prompts.h"
#include "wallpaper/picture_reader.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

const ui::LayoutItem kLayout[] = {
    {"Label1", "", 8, 8, 200, 16, "Search Directory :"},
    {"SearchDirectoryEdit", "", 8, 26, 457, 23, "C:\\"},
    {"Button1", "", 471, 26, 32, 23, "..."},
    {"Label2", "", 8, 56, 200, 16, "File Mask :"},
    {"FileMaskEdit", "", 8, 74, 457, 23, ""},
    {"Button2", "", 471, 74, 32, 23, "..."},
    {"CheckBox1", "", 8, 106, 260, 19, "Recursive Search Subdirectories"},
    {"Button3", "", 8, 132, 130, 25, "Start Searching"},
    {"Animate1", "", 278, 102, 225, 60, ""},
    {"Label3", "", 8, 168, 84, 16, "Files Found : "},
    {"CountLabel", "", 96, 168, 160, 16, "0"},
    {"SearchListBox", "", 8, 188, 357, 197, ""},
    {"Button4", "", 373, 168, 130, 25, "Add to ShowList"},
    {"Button5", "", 373, 198, 130, 25, "Remove Selected"},
    {"SearchPreviewCheckBox", "", 373, 231, 130, 19, "Preview"},
    {"Bevel3", "", 373, 256, 121, 121, ""},
    {"SearchImage", "", 377, 260, 113, 113, ""},
};

// What each control runs.
const ui::Binding<TScanDiskForm> kBindings[] = {
    {"Button1", ui::Event::Click, &TScanDiskForm::Button1Click},
    {"Button2", ui::Event::Click, &TScanDiskForm::Button2Click},
    {"Button3", ui::Event::Click, &TScanDiskForm::Button3Click},
    {"Button4", ui::Event::Click, &TScanDiskForm::Button4Click},
    {"Button5", ui::Event::Click, &TScanDiskForm::Button5Click},
    {"AllImageFiles1", ui::Event::Click, &TScanDiskForm::AllImageFiles1Click},
    {"AllMovieFiles1", ui::Event::Click, &TScanDiskForm::AllMovieFiles1Click},
    {"HTMLFiles1", ui::Event::Click, &TScanDiskForm::HTMLFiles1Click},
    {"AllSupportedFiles1", ui::Event::Click, &TScanDiskForm::AllSupportedFiles1Click},
    {"AddAllFiles1", ui::Event::Click, &TScanDiskForm::AddAllFiles1Click},
    {"AddSelectedFilesOnly1", ui::Event::Click, &TScanDiskForm::AddSelectedFilesOnly1Click},
    {"AddAllButSelectedFiles1", ui::Event::Click, &TScanDiskForm::AddAllButSelectedFiles1Click},
    {"SearchListBox", ui::Event::Click, &TScanDiskForm::SearchListBoxClick},
    {"SearchPreviewCheckBox", ui::Event::Click, &TScanDiskForm::SearchPreviewCheckBoxClick},
};

// The preview's frame and the longer side of a picture in it.
constexpr int kPreviewSide = 113;

}  // namespace

void TScanDiskForm::TextsReplaced() { SetCaption(Say(texts::kScanTitle, {kProductName})); }

TScanDiskForm::TScanDiskForm(ui::Application& app) : Form(app, "ScanDiskForm") {
  CreateWindowFrom({.caption = Say(texts::kScanTitle, {kProductName}),
                    .clientWidth = 511,
                    .clientHeight = 393,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
  FileMaskEdit.SetReadOnly(true);
  SearchListBox.SetMultiSelect(true);
  SearchImage.Stretch = true;
  BuildLayout(kLayout);

  for (ui::MenuItem* item : {&AllImageFiles1, &AllMovieFiles1, &HTMLFiles1, &N1, &AllSupportedFiles1}) {
    FileMaskPopupMenu.Add(*item);
  }
  for (ui::MenuItem* item : {&AddAllFiles1, &AddSelectedFilesOnly1, &AddAllButSelectedFiles1}) AddPopupMenu.Add(*item);

  ui::Bind(*this, kBindings);

  SetKinds(SupportedKinds());
}

void TScanDiskForm::SetKinds(const KindList& kinds) {
  kinds_ = kinds;
  if (kinds_.size() > kMaxKinds) kinds_.resize(kMaxKinds);
  FileMaskEdit.SetText(KindMaskText(kinds_));
}

void TScanDiskForm::AllImageFiles1Click(ui::Component&) { SetKinds(ImageKinds()); }
void TScanDiskForm::AllMovieFiles1Click(ui::Component&) { SetKinds(MovieKinds()); }
void TScanDiskForm::HTMLFiles1Click(ui::Component&) { SetKinds(HtmlKinds()); }
void TScanDiskForm::AllSupportedFiles1Click(ui::Component&) { SetKinds(SupportedKinds()); }

void TScanDiskForm::ShowMenuAtPointer(ui::PopupMenu& menu) {
  POINT at{};
  GetCursorPos(&at);
  menu.Popup(at.x, at.y, Handle());
}

void TScanDiskForm::Button1Click(ui::Component&) {
  auto* picker = ui::Application::FindForm<TAddFolderForm>("AddFolderForm");
  PlaylistTarget* playlist = PlaylistTarget::Find();
  if (!picker || !playlist) return;
  picker->ShowModal();
  if (const std::string folder = playlist->FolderForReading(); !folder.empty()) SearchDirectoryEdit.SetText(folder);
}

void TScanDiskForm::Button2Click(ui::Component&) { ShowMenuAtPointer(FileMaskPopupMenu); }
void TScanDiskForm::Button4Click(ui::Component&) { ShowMenuAtPointer(AddPopupMenu); }

// ---- the search

void TScanDiskForm::SetSearchButtons(bool enabled) {
  Button3.SetEnabled(enabled);
  Button4.SetEnabled(enabled);
  Button5.SetEnabled(enabled);
}

void TScanDiskForm::Button3Click(ui::Component&) {
  if (searching_) return;
  CountLabel.SetCaption("0");
  SetSearchButtons(false);
  searching_ = true;
  // Started here, on the GUI thread, rather than by the worker.
  Animate1.SetActive(true);
  // The folder, the kinds and the recursion box as they are now: changes
  // made during the search apply to the next one.
  ClearResultsThenSearch({SearchDirectoryEdit.Text(), kinds_, CheckBox1.Checked()});
}

void TScanDiskForm::ClearResultsThenSearch(ScanDisk::TMyThread::Setup setup) {
  // Emptying a list of a hundred thousand rows at once keeps the window from
  // answering for a fifth of a second: a long list goes in slices, from its
  // end, between which the window answers.
  constexpr auto kSliceTime = std::chrono::milliseconds(15);
  const auto start = std::chrono::steady_clock::now();
  if (SearchListBox.Count() > 0) {
    {
      ui::ListBox::UpdateGuard quiet(SearchListBox);
      for (int i = SearchListBox.Count() - 1; i >= 0; --i) {
        SearchListBox.DeleteItem(i);
        if ((i & 255) == 0 && std::chrono::steady_clock::now() - start >= kSliceTime) break;
      }
    }
    if (SearchListBox.Count() > 0) {
      App().Post([this, setup = std::move(setup)]() mutable { ClearResultsThenSearch(std::move(setup)); });
      return;
    }
  }
  try {
    ScanDisk::TMyThread::Start(*this, std::move(setup));
  } catch (...) {
    SearchFinished();
    throw;
  }
}

void TScanDiskForm::AppendResults(const std::vector<std::string>& paths, int foundCount) {
  SearchListBox.Reserve(paths.size());
  ui::ListBox::UpdateGuard quiet(SearchListBox);
  SearchListBox.AddItems(paths);
  CountLabel.SetCaption(IntToText(foundCount));
}

void TScanDiskForm::SearchFinished() {
  searching_ = false;
  SetSearchButtons(true);
  Animate1.SetActive(false);
}

void TScanDiskForm::Button5Click(ui::Component&) {
  ui::ListBox::UpdateGuard quiet(SearchListBox);
  for (int i = SearchListBox.Count() - 1; i >= 0; --i) {
    if (SearchListBox.Selected(i)) SearchListBox.DeleteItem(i);
  }
}

// ---- adding to the playlist

void TScanDiskForm::AddAllFiles1Click(ui::Component&) { ScanDisk::TAddThread::Start(*this, 1); }
void TScanDiskForm::AddSelectedFilesOnly1Click(ui::Component&) { ScanDisk::TAddThread::Start(*this, 2); }
void TScanDiskForm::AddAllButSelectedFiles1Click(ui::Component&) { ScanDisk::TAddThread::Start(*this, 3); }

void TScanDiskForm::AddResults(int mode) {
  PlaylistTarget* playlist = PlaylistTarget::Find();
  if (!playlist || mode < 1 || mode > 3) return;
  if (mode == 1) {
    // Every result, without looking for the files; the refill shows those
    // that exist.
    playlist->AddEntries(SearchListBox.Items());
    return;
  }
  // The chosen results that still exist, one entry and one row each.
  const bool wantSelected = mode == 2;
  std::vector<std::string> chosen;
  const int count = SearchListBox.Count();
  for (int i = 0; i < count; ++i) {
    if (SearchListBox.Selected(i) == wantSelected) chosen.push_back(SearchListBox.Item(i));
  }
  playlist->AddFoundFiles(chosen);
}

// ---- the preview

void TScanDiskForm::SearchListBoxClick(ui::Component&) {
  if (SearchListBox.Count() == 0) return;
  if (SearchListBox.ItemIndex() < 0) SearchListBox.SetItemIndex(0);
  if (!SearchPreviewCheckBox.Checked()) return;
  PreviewCurrent();
}

void TScanDiskForm::SearchPreviewCheckBoxClick(ui::Component&) {
  if (SearchPreviewCheckBox.Checked()) {
    if (SearchListBox.Count() == 0) return;
    if (SearchListBox.ItemIndex() < 0) SearchListBox.SetItemIndex(0);
    PreviewCurrent();
  } else {
    SearchImage.ClearPicture();
    SearchImage.Repaint();
  }
}

void TScanDiskForm::PreviewCurrent() {
  const int index = SearchListBox.ItemIndex();
  if (index < 0 || index >= SearchListBox.Count()) return;
  const std::string path = SearchListBox.Item(index);
  const std::string ext = UpperCaseText(ExtractFileExt(path));
  PlaylistTarget* playlist = PlaylistTarget::Find();
  const std::string exeFolder = playlist ? playlist->ProgramFolder() : ExtractFilePath(App().ExeName());
  const EntryKind kind = KindOfEntry(path);
  if (kind == EntryKind::Movie) {
    ShowPreview(exeFolder + "moviepreview.bmp");
  } else if (kind == EntryKind::Page) {
    ShowPreview(exeFolder + "htmlpreview.bmp");
  } else if (IsPictureExtension(ext)) {
    ShowPreview(path);
  }
  // Anything else is no kind the search finds: the last preview stays.
}

void TScanDiskForm::ShowPreview(const std::string& file) {
  ui::Picture picture;
  try {
    picture = ReadPictureFile(file, DesktopBackground());
  } catch (const std::exception& e) {
    // The previous preview stays.
    App().prompts().Message(Handle(), e.what(), Say(texts::kErrorTitle), MB_OK | MB_ICONERROR);
    return;
  }
  const FitResult fit = FitPicture(picture.Width(), picture.Height(), kPreviewSide, Bevel3.Left(), Bevel3.Top(),
                                   Bevel3.Width(), Bevel3.Height());
  SearchImage.SetBounds(fit.left, fit.top, fit.width, fit.height);
  SearchImage.SetPicture(std::move(picture));
}

}  // namespace wc
