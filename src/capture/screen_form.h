#pragma once
// The capture viewer: every capture and every opened picture in a tab of its own.
#include <memory>

#include "capture/screen_grabber.h"
#include "ui/form.h"
#include "ui/graphics.h"

namespace wc {

class TScreenForm : public ui::Form {
 public:
  explicit TScreenForm(ui::Application& app);

  // The viewer's four capture commands, also run from the tray menu and the
  // capture hotkey. The capture lands on the clipboard (when the engine's
  // Auto is on) and is kept as the last capture; its tab arrives with the
  // viewer's tabs.
  void Desktop1Click(ui::Component& sender);
  void Selection1Click(ui::Component& sender);
  void Window1Click(ui::Component& sender);
  void Object1Click(ui::Component& sender);

  TScreenGrabber ScreenGrabber1{this, "ScreenGrabber1"};

  // The last capture taken from the viewer's commands (null when the last
  // one was cancelled).
  const ui::Bitmap* LastCapture() const { return lastCapture_.get(); }

 private:
  void Keep(std::unique_ptr<ui::Bitmap> capture);
  std::unique_ptr<ui::Bitmap> lastCapture_;
};

}  // namespace wc
