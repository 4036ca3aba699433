// The Wallpaper List page's files never shown again. "Show again" takes the
// chosen ones off the page's list; Apply gives them back to the rotation,
// and until then they wait here, as every choice of the dialog does.
#include <algorithm>

#include "settings/settings_form.h"
#include "settings/settings_target.h"

namespace wc {

void TSettings::ShowExcludedFiles() {
  excludedShown_.clear();
  if (SettingsTarget* panel = ControlPanel()) {
    for (const std::string& path : panel->ExcludedFileList()) {
      if (std::find(showAgain_.begin(), showAgain_.end(), path) == showAgain_.end()) excludedShown_.push_back(path);
    }
  }
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
