#pragma once
// The capture viewer: every capture and every opened picture in a tab of its own.
#include "ui/form.h"

namespace wc {

class TScreenForm : public ui::Form {
 public:
  explicit TScreenForm(ui::Application& app);
};

}  // namespace wc
