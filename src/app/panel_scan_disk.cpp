// The control panel's way into the scan dialog.
#include "app/main_form.h"
#include "app/program.h"
#include "scan/scan_disk_form.h"

namespace wc {

void TMainForm::ShowScanDisk() {
  if (auto* scan = FindProgramWindow<TScanDiskForm>("ScanDiskForm")) scan->ShowModal();
}

void TMainForm::ScanDiskforWallpapers1Click(ui::Component&) { ShowScanDisk(); }
void TMainForm::ScanDiskForWallpapers2Click(ui::Component&) { ShowScanDisk(); }

}  // namespace wc
