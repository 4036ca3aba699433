// The control panel's way into the scan dialog.
#include "app/panel/main_form.h"
#include "ui/application.h"
#include "scan/scan_disk_form.h"

namespace wc {

void TMainForm::ShowScanDisk() {
  if (auto* scan = ui::Application::FindForm<TScanDiskForm>("ScanDiskForm")) scan->ShowModal();
}

void TMainForm::ScanDiskItemClick(ui::Component&) { ShowScanDisk(); }
void TMainForm::ListScanDiskItemClick(ui::Component&) { ShowScanDisk(); }

}  // namespace wc
