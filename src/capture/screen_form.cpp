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

void TScreenForm::Desktop1Click(ui::Component&) { BringToFront(); }
void TScreenForm::Selection1Click(ui::Component&) { BringToFront(); }
void TScreenForm::Window1Click(ui::Component&) { BringToFront(); }
void TScreenForm::Object1Click(ui::Component&) { BringToFront(); }

}  // namespace wc
