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

TMainForm::FileOperationScope::FileOperationScope(TMainForm& panel) : panel_(panel), pinned_(!panel.fileOperation_) {
  if (!pinned_) return;
  PinnedEntry pin;
  pin.entry = panel.EntryOfRow(panel.MainListBox.ItemIndex());
  if (pin.entry) pin.path = panel.Playlist->Path(*pin.entry);
  panel.fileOperation_ = std::move(pin);
}

TMainForm::FileOperationScope::~FileOperationScope() {
  if (pinned_) panel_.fileOperation_.reset();
}

std::optional<size_t> TMainForm::FileOperationEntry() const {
  if (!fileOperation_) return EntryOfRow(MainListBox.ItemIndex());
  const std::optional<size_t>& entry = fileOperation_->entry;
  if (!entry || !Playlist || *entry >= Playlist->EntryCount() || Playlist->Path(*entry) != fileOperation_->path) {
    return std::nullopt;
  }
  return entry;
}

void TMainForm::CopyFilesItemClick(ui::Component& sender) {
  FileOperationScope scope(*this);
  if (!FileOperationEntry()) return;
  TRMCForm* target = ui::Application::FindForm<TRMCForm>("RMCForm");
  if (!target) return;
  // Told apart by the item, so a translated caption still copies or moves.
  target->ShowFor(&sender == &MoveFilesItem ? TRMCForm::Operation::Move : TRMCForm::Operation::Copy);
}

void TMainForm::DeleteFilesItemClick(ui::Component&) { DeleteSelectedFile(); }

void TMainForm::DeleteSelectedFile() {
  FileOperationScope scope(*this);
  if (!FileOperationEntry()) return;
  const int answer =
      App().prompts().Message(Handle(), Say(texts::kDeleteFile), Say(texts::kConfirmTitle), MB_OKCANCEL | MB_ICONQUESTION);
  if (answer != IDOK) return;
  // The box let other messages run: the entry is looked up again, and its
  // row found anew.
  std::optional<size_t> entry = FileOperationEntry();
  if (!entry) return;
  // A file that cannot be deleted (write-protected, gone) still leaves the
  // playlist: the user asked for the entry to go.
  DeleteOneFile(Playlist->Path(*entry));
  if (std::optional<size_t> row = Rows.RowOf(*entry); row && int(*row) < MainListBox.Count()) {
    RemoveRowAndEntry(int(*row));
  } else {
    Playlist->RemoveEntry(*entry);
    Rows.RemoveEntryWithoutRow(*entry);
  }
  CurrentIndex = CurrentIndex > 0 ? CurrentIndex - 1 : 0;
}

void TMainForm::RenameFilesItemClick(ui::Component&) {
  FileOperationScope scope(*this);
  if (!FileOperationEntry()) return;
  if (TRenameForm* rename = ui::Application::FindForm<TRenameForm>("RenameForm")) rename->ShowModal();
}

}  // namespace wc
