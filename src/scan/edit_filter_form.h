#pragma once
// The filter list editor (window name "EditFilterForm"), opened from the
// folder options: adds and removes file types; "Apply" shows the list in the
// options' FilterEdit. The options' "OK" reads the list itself.
#include <string>
#include <string_view>

#include "ui/controls.h"
#include "ui/form.h"

namespace wc {

// What "Add" takes: one or more letters A to Z, in either case.
bool IsFilterName(std::string_view text);

class TEditFilterForm : public ui::Form {
 public:
  explicit TEditFilterForm(ui::Application& app);

  void Button1Click(ui::Component& sender);  // "Add"
  void Button2Click(ui::Component& sender);  // "Remove"
  void ApplyClick(ui::Component& sender);

  // The list as the options' FilterEdit shows it: every entry followed by ";".
  std::string FilterText() const;

  ui::ListBox FilterListBox{this, "FilterListBox"};
  ui::Edit Edit1{this, "Edit1"};
  ui::Button Button1{this, "Button1"};
  ui::Button Button2{this, "Button2"};
  ui::Button Apply{this, "Apply"};
};

}  // namespace wc
