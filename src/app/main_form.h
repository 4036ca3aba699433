#pragma once
// The control panel, the program's main window.
#include "ui/form.h"

namespace wc {

class TMainForm : public ui::Form {
 public:
  explicit TMainForm(ui::Application& app);
  // The entry's last step before the message loop.
  void ProgramStarted();
};

}  // namespace wc
