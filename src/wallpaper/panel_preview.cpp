// The preview and wallpaper information panel of the control panel.
#include "app/main_form.h"

namespace wc {
void TMainForm::MainListBoxClick(ui::Component&) {}
void TMainForm::MainChPreviewClick(ui::Component&) {}
}  // namespace wc
