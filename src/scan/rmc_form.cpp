#include "scan/rmc_form.h"

#include "scan/playlist_target.h"
#include "common/paths.h"
#include "scan/file_ops.h"
#include "ui/application.h"
#include "ui/binding.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

const ui::LayoutItem kLayout[] = {
    {"ShellTreeView1", "", 8, 8, 347, 374},
    {"Button1", "", 199, 392, 75, 25, "OK"},
    {"Button2", "", 280, 392, 75, 25, "Cancel"},
};

// What each control runs.
const ui::Binding<TRMCForm> kBindings[] = {
    {"Button1", ui::Event::Click, &TRMCForm::Button1Click},
    {"Button2", ui::Event::Click, &TRMCForm::Button2Click},
};

}  // namespace

TRMCForm::TRMCForm(ui::Application& app)
    : TAddFolderForm(app, "RMCForm",
                     {.caption = "Rename/Move/Copy",
                      .clientWidth = 363,
                      .clientHeight = 427,
                      .border = ui::BorderStyle::Dialog,
                      .icons = ui::biSystemMenu},
                     kLayout) {
  ui::Bind(*this, kBindings);
}

int TRMCForm::ShowFor(Operation op) {
  operation = op;
  TextsReplaced();
  return ShowModal();
}

void TRMCForm::TextsReplaced() {
  SetCaption(operation == Operation::Copy   ? Say(texts::kCopyFilesTitle)
             : operation == Operation::Move ? Say(texts::kMoveFilesTitle)
                                            : Say(texts::kRenameMoveCopyTitle));
}

void TRMCForm::Button1Click(ui::Component&) {
  // A folder without a file-system path (the desktop's virtual folders)
  // holds no files.
  const std::string folder = WithoutTrailingSeparator(SelectedPath());
  PlaylistTarget* playlist = PlaylistTarget::Find();
  if (playlist && !folder.empty() && folder.find("::") != 0) {
    if (std::optional<size_t> entry = playlist->SelectedEntry()) {
      const std::string source = playlist->EntryPath(*entry);
      const std::string target = JoinPath(folder, ExtractFileName(source));
      if (operation == Operation::Copy) {
        CopyWithoutOverwriting(source, target);
      } else if (operation == Operation::Move) {
        // The row keeps its text until the next fill, as with every move.
        if (MoveOneFile(source, target)) playlist->EntryMoved(*entry, target);
      }
    }
  }
  SetModalResult(ui::mrOk);
  Close();
}

void TRMCForm::Button2Click(ui::Component&) {
  SetModalResult(ui::mrCancel);
  Close();
}

}  // namespace wc
