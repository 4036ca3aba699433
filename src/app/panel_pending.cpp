// Seams filled by the entry-application, preview and folder-reader code.
#include "app/main_form.h"

namespace wc {
void TMainForm::MainListBoxClick(ui::Component&) {}
void TMainForm::MainChPreviewClick(ui::Component&) {}
void TMainForm::StartFolderReader() { SetAuxState("1"); }
}  // namespace wc
