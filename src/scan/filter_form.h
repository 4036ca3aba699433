#pragma once
// Which file types a folder read takes, and whether it descends into subfolders.
#include "ui/form.h"

namespace wc {

class TFilterForm : public ui::Form {
 public:
  explicit TFilterForm(ui::Application& app);
};

}  // namespace wc
