#pragma once
// The target folder of copying or moving a playlist entry's file (window
// name "RMCForm"): the folder tree of the folder picker, from the desktop
// down, with "OK" and "Cancel". The command that opens it says whether OK
// copies or moves; the caption only tells the user.
#include <string>

#include "scan/add_folder_form.h"

namespace wc {

class TRMCForm : public TAddFolderForm {
 public:
  enum class Operation { None, Copy, Move };

  explicit TRMCForm(ui::Application& app);

  // Shows the dialog modally for copying or moving the file of the control
  // panel's current row.
  int ShowFor(Operation operation);
  // The title of the operation in the language now in use.
  void TextsReplaced() override;

  void Button1Click(ui::Component& sender);  // "OK"
  void Button2Click(ui::Component& sender);  // "Cancel"

  // What OK does; None only closes.
  Operation operation = Operation::None;
};

}  // namespace wc
