#include "scan/edit_filter_form.h"

#include "ui/application.h"

namespace wc {

TEditFilterForm::TEditFilterForm(ui::Application& app) : Form(app, "EditFilterForm") {
  CreateWindowFrom({.caption = "Filter Edit",
                    .clientWidth = 217,
                    .clientHeight = 179,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
}

}  // namespace wc
