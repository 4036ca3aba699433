#pragma once
// Asks for the folder a playlist entry's file is copied or moved to.
#include "ui/form.h"

namespace wc {

class TRMCForm : public ui::Form {
 public:
  explicit TRMCForm(ui::Application& app);
};

}  // namespace wc
