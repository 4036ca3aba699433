#include "scan/rename_form.h"

#include "scan/playlist_target.h"
#include "common/paths.h"
#include "scan/file_name_rules.h"
#include "scan/file_ops.h"
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/error.h"
#include "ui/prompts.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

const ui::LayoutItem kLayout[] = {
    {"Edit1", "", 8, 12, 347, 21},
    {"Button1", "", 280, 46, 75, 25, "OK"},
};

// What each control runs.
const ui::Binding<TRenameForm> kBindings[] = {
    {"", ui::Event::Show, &TRenameForm::FormShow},
    {"Button1", ui::Event::Click, &TRenameForm::Button1Click},
};

}  // namespace

TRenameForm::TRenameForm(ui::Application& app) : Form(app, "RenameForm") {
  CreateWindowFrom({.caption = "Rename",
                    .clientWidth = 363,
                    .clientHeight = 82,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
  BuildLayout(kLayout);
  Button1.SetDefault(true);
  ui::Bind(*this, kBindings);
}

void TRenameForm::FormShow(ui::Component&) {
  PlaylistTarget* playlist = PlaylistTarget::Find();
  Edit1.SetText(playlist ? ExtractFileName(playlist->SelectedRowText()) : "");
  Edit1.SelectAll();
  Edit1.SetFocus();
}

void TRenameForm::Button1Click(ui::Component&) {
  const std::string name = Edit1.Text();
  if (name.empty()) return;
  PlaylistTarget* playlist = PlaylistTarget::Find();
  std::optional<size_t> entry = playlist ? playlist->SelectedEntry() : std::nullopt;
  if (!entry) {
    Close();
    return;
  }
  const std::string oldPath = playlist->EntryPath(*entry);
  const std::string extension = ExtractFileExt(oldPath);
  // The typed text must stay a name in the file's own folder.
  if (std::optional<std::string> problem = FileNameProblem(name + extension)) {
    App().prompts().Message(Handle(), *problem, Say(texts::kRenameTitle), MB_OK | MB_ICONERROR);
    return;
  }
  const std::string newPath = JoinPath(ExtractFilePath(oldPath), name + extension);
  if (DWORD error = RenameOneFile(oldPath, newPath); error != ERROR_SUCCESS) {
    App().prompts().Message(Handle(), ui::SystemErrorText(error), Say(texts::kErrorTitle), MB_OK | MB_ICONERROR);
    return;
  }
  playlist->EntryRenamed(*entry, newPath, name);
  SetModalResult(ui::mrOk);
  Close();
}

}  // namespace wc
