#include "scan/filter_form.h"

#include "ui/application.h"

namespace wc {

TFilterForm::TFilterForm(ui::Application& app) : Form(app, "FilterForm") {
  CreateWindowFrom({.caption = "Add Folder Options",
                    .clientWidth = 297,
                    .clientHeight = 141,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
}

}  // namespace wc
