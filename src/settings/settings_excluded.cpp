// The Wallpaper List page's files never shown again. "Show again" takes the
// chosen ones off the page's list; Apply gives them back to the rotation.
#include "settings/settings_form.h"
#include "settings/settings_target.h"

namespace wc {

void TSettings::ShowExcludedFiles() {
  // Each showing starts from the list as it is: a "Show again" not applied
  // before the dialog was closed is forgotten, so that it can never undo a
  // later exclusion unseen.
  showAgain_.clear();
  excludedShown_.clear();
  if (SettingsTarget* panel = ControlPanel()) excludedShown_ = panel->ExcludedFileList();
  ExcludedListBox.SetItems(excludedShown_);
}

void TSettings::ShowAgainButtonClick(ui::Component&) {
  for (int row = ExcludedListBox.Count() - 1; row >= 0; --row) {
    if (!ExcludedListBox.Selected(row) || size_t(row) >= excludedShown_.size()) continue;
    showAgain_.push_back(excludedShown_[size_t(row)]);
    excludedShown_.erase(excludedShown_.begin() + row);
    ExcludedListBox.DeleteItem(row);
  }
}

void TSettings::StoreShowAgain() {
  if (showAgain_.empty()) return;
  if (SettingsTarget* panel = ControlPanel()) panel->ShowAgain(showAgain_);
  showAgain_.clear();
}

}  // namespace wc
