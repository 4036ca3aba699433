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

void TScreenForm::Keep(std::unique_ptr<ui::Bitmap> capture) {
  lastCapture_ = std::move(capture);
  BringToFront();
}

void TScreenForm::Desktop1Click(ui::Component&) { Keep(ScreenGrabber1.CaptureDesktop()); }
void TScreenForm::Selection1Click(ui::Component&) { Keep(ScreenGrabber1.CaptureArea()); }
void TScreenForm::Window1Click(ui::Component&) { Keep(ScreenGrabber1.CaptureActiveWindow()); }
void TScreenForm::Object1Click(ui::Component&) { Keep(ScreenGrabber1.CaptureObject()); }

}  // namespace wc
