#include "settings/settings_form.h"

#include "ui/application.h"

namespace wc {

TSettings::TSettings(ui::Application& app) : Form(app, "Settings") {
  CreateWindowFrom({.caption = "Settings",
                    .clientWidth = 450,
                    .clientHeight = 325,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
}

}  // namespace wc
