#pragma once
// The new name of a playlist entry's file (window name "RenameForm"): the
// name is typed without the extension, which the file keeps. There is no
// Cancel button; the close box closes without renaming.
#include "ui/controls.h"
#include "ui/form.h"

namespace wc {

class TRenameForm : public ui::Form {
 public:
  explicit TRenameForm(ui::Application& app);

  void FormShow(ui::Component& sender);
  void Button1Click(ui::Component& sender);  // "OK"

  ui::Edit Edit1{this, "Edit1"};
  ui::Button Button1{this, "Button1"};
};

}  // namespace wc
