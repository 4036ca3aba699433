#include "app/main_form.h"

namespace wc {

TMainForm::TMainForm(ui::Application& app) : Form(app, "MainForm") {
  CreateWindowFrom({.caption = "Control panel", .clientWidth = 600, .clientHeight = 547,
                    .border = ui::BorderStyle::Single, .icons = ui::biSystemMenu | ui::biMinimize});
}

void TMainForm::ProgramStarted() {}

}  // namespace wc
