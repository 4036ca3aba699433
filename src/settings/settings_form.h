#pragma once
// The settings dialog: options, hotkeys, file type and the sound list.
#include "ui/form.h"

namespace wc {

class TSettings : public ui::Form {
 public:
  explicit TSettings(ui::Application& app);
};

}  // namespace wc
