#pragma once
// Searches a folder tree for wallpaper files and adds them to the playlist.
#include "ui/form.h"

namespace wc {

class TScanDiskForm : public ui::Form {
 public:
  explicit TScanDiskForm(ui::Application& app);
};

}  // namespace wc
