// The playlist menu's file operations: copy, move, delete and rename the file
// behind the selected row. The row's entry follows the file where the file
// moved; the dialogs do the copying, moving and renaming.
#include "app/panel/main_form.h"
#include "scan/file_ops.h"
#include "scan/rename_form.h"
#include "scan/rmc_form.h"
#include "ui/application.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

void TMainForm::CopyFiles1Click(ui::Component& sender) {
  if (!EntryOfRow(MainListBox.ItemIndex())) return;
  TRMCForm* target = ui::Application::FindForm<TRMCForm>("RMCForm");
  if (!target) return;
  // Told apart by the item, so a translated caption still copies or moves.
  target->ShowFor(&sender == &MoveFiles2 ? TRMCForm::Operation::Move : TRMCForm::Operation::Copy);
}

void TMainForm::MoveFiles1Click(ui::Component&) { DeleteSelectedFile(); }

void TMainForm::DeleteSelectedFile() {
  if (!EntryOfRow(MainListBox.ItemIndex())) return;
  if (App().prompts().Message(Handle(), Say(texts::kDeleteFile), Say(texts::kConfirmTitle), MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  // The box let other messages run: the row is looked up again.
  const int row = MainListBox.ItemIndex();
  std::optional<size_t> entry = EntryOfRow(row);
  if (!entry) return;
  // A file that cannot be deleted (write-protected, gone) still leaves the
  // playlist: the user asked for the entry to go.
  DeleteOneFile(Playlist->Path(*entry));
  RemoveRowAndEntry(row);
  CurrentIndex = CurrentIndex > 0 ? CurrentIndex - 1 : 0;
}

void TMainForm::RenameFiles1Click(ui::Component&) {
  if (!EntryOfRow(MainListBox.ItemIndex())) return;
  if (TRenameForm* rename = ui::Application::FindForm<TRenameForm>("RenameForm")) rename->ShowModal();
}

}  // namespace wc
