#include "capture/selection_form.h"

#include "ui/application.h"

namespace wc {

TSelectionForm::TSelectionForm(ui::Application& app) : Form(app, "SelectionForm") {
  CreateWindowFrom({.caption = "Crop image",
                    .clientWidth = 862,
                    .clientHeight = 613,
                    .border = ui::BorderStyle::Dialog,
                    .icons = 0});
}

}  // namespace wc
