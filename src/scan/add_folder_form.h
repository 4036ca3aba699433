#pragma once
// The folder picker: a tree of the shell's folders.
#include "ui/form.h"

namespace wc {

class TAddFolderForm : public ui::Form {
 public:
  explicit TAddFolderForm(ui::Application& app);
};

}  // namespace wc
