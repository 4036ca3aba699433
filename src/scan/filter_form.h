#pragma once
// The folder options (window name "FilterForm"): which file types a folder
// read takes and whether it descends into subfolders. "OK" hands the filter
// list of the editor ("EditFilterForm") and the tick box to the control
// panel; "Cancel" makes the next read take nothing; the close box changes
// nothing. Without a control panel the choice goes nowhere.
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"
#include "ui/form.h"

namespace wc {

// The folder reader's form of a filter: "*.jpg" becomes ".JPG" (first
// character dropped, ASCII letters upper-cased, at most 10 characters).
std::string FilterToExtension(std::string_view filter);

// The options' default filters: "*.jpg", "*.jpeg", ... for every picture
// extension the program reads; and the same joined by ";" as the options
// show them.
std::vector<std::string> PictureFilters();
std::string PictureFilterText();

class TFilterForm : public ui::Form {
 public:
  explicit TFilterForm(ui::Application& app);

  // The control panel's extension table has this many entries in use at most.
  static constexpr int kMaxFilters = 30;

  // "OK"; the automatic mode runs it without showing the window.
  void Button1Click(ui::Component& sender);
  void Button2Click(ui::Component& sender);  // "Cancel"
  void Button3Click(ui::Component& sender);  // "...": the filter list editor

  ui::Label Label1{this, "Label1"};
  ui::Edit FilterEdit{this, "FilterEdit"};
  ui::Button Button3{this, "Button3"};
  ui::CheckBox RecurseSubfoldersCheckBox{this, "RecurseSubfoldersCheckBox"};
  ui::Button Button1{this, "Button1"};
  ui::Button Button2{this, "Button2"};
};

}  // namespace wc
