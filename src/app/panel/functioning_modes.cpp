// The two functioning modes: manual (the user edits the playlist) and
// automatic (the playlist is the pictures of one folder).
#include "app/panel/main_form.h"
#include "ui/application.h"
#include "app/shorten_path.h"
#include "scan/add_folder_form.h"
#include "scan/filter_form.h"
#include "lang/program_texts.h"

namespace wc {

void TMainForm::AutomaticModeRadioClick(ui::Component&) {
  FunctioningMode = FunctioningMode::Automatic;
  ShowFunctioningMode();
}

void TMainForm::ManualModeRadioClick(ui::Component&) {
  FunctioningMode = FunctioningMode::Manual;
  ShowFunctioningMode();
}

std::string TMainForm::PlaylistBoxCaption() const {
  return Say(FunctioningMode == FunctioningMode::Automatic ? texts::kPlaylistDisabled : texts::kPlaylistManagement);
}

void TMainForm::ShowFunctioningMode() {
  if (FunctioningMode == FunctioningMode::Automatic) {
    ManualModeRadio.SetChecked(false);
    PlaylistBox.SetEnabled(false);
    PlaylistBox.SetCaption(PlaylistBoxCaption());
    AutomaticModeRadio.SetChecked(true);
    BrowseFolderButton.SetEnabled(true);
    ReloadFolderButton.SetEnabled(true);
  } else {
    ManualModeRadio.SetChecked(true);
    PlaylistBox.SetEnabled(true);
    PlaylistBox.SetCaption(PlaylistBoxCaption());
    AutomaticModeRadio.SetChecked(false);
    BrowseFolderButton.SetEnabled(false);
    ReloadFolderButton.SetEnabled(false);
  }
  AutomaticFolderLabel.SetCaption(ShortenPath(AutomaticFolder));
}

void TMainForm::BrowseFolderButtonClick(ui::Component&) {
  TAddFolderForm* picker = ui::Application::FindForm<TAddFolderForm>("AddFolderForm");
  if (!picker) return;
  // Only "OK" chose a folder: the close box leaves FolderToRead as it was,
  // and that is no choice to read.
  if (picker->ShowModal() != ui::mrOk || FolderToRead.empty()) return;
  ReadAutomaticFolder();
}

void TMainForm::ReloadFolderButtonClick(ui::Component&) {
  SetAuxState(AuxState::Running);
  FolderToRead = AutomaticFolder;
  ReadAutomaticFolder();
  MainListBox.Repaint();
}

void TMainForm::ReadAutomaticFolder() {
  MainListBox.Clear();
  if (Playlist) Playlist->Clear();
  MainPreview.ClearPicture();
  MainPreview.Repaint();
  // The options' "OK" without the window: the filters and the tick box as
  // they stand.
  if (TFilterForm* options = ui::Application::FindForm<TFilterForm>("FilterForm")) options->Button1Click(options->Button1);
  StartFolderReader();
  // The reader hands its files over only once this handler has returned, so
  // the list is filled from the still empty playlist before the first one.
  MainListBox.Clear();
  FillPlaylistBox(IsShowFullPath());
  AutomaticFolder = FolderToRead;
  AutomaticFolderLabel.SetCaption(ShortenPath(AutomaticFolder));
}

}  // namespace wc
