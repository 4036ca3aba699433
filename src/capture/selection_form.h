#pragma once
// The crop window: a capture shown whole, on which the user drags the part to keep.
#include "ui/form.h"

namespace wc {

class TSelectionForm : public ui::Form {
 public:
  explicit TSelectionForm(ui::Application& app);
};

}  // namespace wc
