#pragma once
// Edits the list of file types of the folder options.
#include "ui/form.h"

namespace wc {

class TEditFilterForm : public ui::Form {
 public:
  explicit TEditFilterForm(ui::Application& app);
};

}  // namespace wc
