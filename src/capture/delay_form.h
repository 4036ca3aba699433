#pragma once
// How long a capture waits for the screen to repaint.
#include "ui/form.h"

namespace wc {

class TDelayForm : public ui::Form {
 public:
  explicit TDelayForm(ui::Application& app);
};

}  // namespace wc
