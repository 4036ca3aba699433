#include "capture/delay_form.h"

#include "capture/screen_form.h"
#include "capture/screen_grabber.h"
#include "ui/application.h"
#include "ui/binding.h"

namespace wc {

namespace {

const ui::LayoutItem kLayout[] = {
    {"GroupBox1", "", 8, 4, 269, 55, "Delay"},
    {"Label1", "GroupBox1", 10, 24, 170, 16, "Enter Screen Refresh Delay: "},
    {"SpinEdit1", "GroupBox1", 184, 20, 75, 23, ""},
    {"Button1", "", 121, 67, 75, 25, "OK"},
    {"Button2", "", 202, 67, 75, 25, "Cancel"},
};

// What each control runs.
const ui::Binding<TDelayForm> kBindings[] = {
    {"Button1", ui::Event::Click, &TDelayForm::Button1Click},
    {"Button2", ui::Event::Click, &TDelayForm::Button2Click},
};

}  // namespace

TDelayForm::TDelayForm(ui::Application& app) : Form(app, "DelayForm") {
  CreateWindowFrom({.caption = "Screen Delay",
                    .clientWidth = 285,
                    .clientHeight = 99,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
  BuildLayout(kLayout);
  SpinEdit1.SetValue(500);
  Button1.SetDefault(true);
  ui::Bind(*this, kBindings);
}

void TDelayForm::Button1Click(ui::Component&) {
  TScreenGrabber* grabber = grabber_;
  if (!grabber) {
    if (auto* viewer = ui::Application::FindForm<TScreenForm>("ScreenForm")) grabber = &viewer->ScreenGrabber1;
  }
  if (grabber) grabber->Delay = SpinEdit1.Value();
  SetModalResult(ui::mrOk);
  Close();
}

void TDelayForm::Button2Click(ui::Component&) {
  SetModalResult(ui::mrCancel);
  Close();
}

}  // namespace wc
