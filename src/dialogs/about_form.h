#pragma once
// The about box: title, version and the two web links.
#include "ui/form.h"

namespace wc {

class TAboutForm : public ui::Form {
 public:
  explicit TAboutForm(ui::Application& app);
};

}  // namespace wc
