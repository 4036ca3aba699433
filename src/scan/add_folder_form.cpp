#include "scan/add_folder_form.h"

#include "ui/application.h"

namespace wc {

TAddFolderForm::TAddFolderForm(ui::Application& app) : Form(app, "AddFolderForm") {
  CreateWindowFrom({.caption = "Browse for Folder",
                    .clientWidth = 318,
                    .clientHeight = 306,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
}

}  // namespace wc
