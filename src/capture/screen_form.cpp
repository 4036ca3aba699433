#include "capture/screen_form.h"

#include "ui/application.h"

namespace wc {

TScreenForm::TScreenForm(ui::Application& app) : Form(app, "ScreenForm") {
  CreateWindowFrom({.caption = app.Title + " - Screen Capture",
                    .clientWidth = 790,
                    .clientHeight = 507,
                    .border = ui::BorderStyle::Sizeable,
                    .icons = ui::biSystemMenu | ui::biMaximize});
}

}  // namespace wc
