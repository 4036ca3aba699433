#include "capture/delay_form.h"

#include "ui/application.h"

namespace wc {

TDelayForm::TDelayForm(ui::Application& app) : Form(app, "DelayForm") {
  CreateWindowFrom({.caption = "Screen Delay",
                    .clientWidth = 285,
                    .clientHeight = 99,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
}

}  // namespace wc
