#include "scan/rmc_form.h"

#include "ui/application.h"

namespace wc {

TRMCForm::TRMCForm(ui::Application& app) : Form(app, "RMCForm") {
  CreateWindowFrom({.caption = "Rename/Move/Copy",
                    .clientWidth = 363,
                    .clientHeight = 427,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
}

}  // namespace wc
