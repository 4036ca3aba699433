#include "scan/rename_form.h"

#include "ui/application.h"

namespace wc {

TRenameForm::TRenameForm(ui::Application& app) : Form(app, "RenameForm") {
  CreateWindowFrom({.caption = "Rename",
                    .clientWidth = 363,
                    .clientHeight = 82,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
}

}  // namespace wc
