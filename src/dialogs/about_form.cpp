#include "dialogs/about_form.h"

#include "ui/application.h"

namespace wc {

TAboutForm::TAboutForm(ui::Application& app) : Form(app, "AboutForm") {
  CreateWindowFrom({.caption = app.Title + " - About",
                    .clientWidth = 423,
                    .clientHeight = 215,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
}

}  // namespace wc
