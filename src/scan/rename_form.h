#pragma once
// Asks for the new name of a playlist entry's file.
#include "ui/form.h"

namespace wc {

class TRenameForm : public ui::Form {
 public:
  explicit TRenameForm(ui::Application& app);
};

}  // namespace wc
