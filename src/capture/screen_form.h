#pragma once
// The capture viewer: every capture and every opened picture in a tab of its own.
#include "ui/form.h"

namespace wc {

class TScreenForm : public ui::Form {
 public:
  explicit TScreenForm(ui::Application& app);

  // The viewer's four capture commands, also run from the tray menu and the
  // capture hotkey. Capturing itself arrives with the capture engine; until
  // then they only bring the viewer forward.
  void Desktop1Click(ui::Component& sender);
  void Selection1Click(ui::Component& sender);
  void Window1Click(ui::Component& sender);
  void Object1Click(ui::Component& sender);
};

}  // namespace wc
