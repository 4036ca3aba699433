// The folder reader: fills the playlist from a folder on a worker thread.
#include "app/main_form.h"

namespace wc {
void TMainForm::StartFolderReader() { SetAuxState("1"); }
}  // namespace wc
