#include "scan/scan_disk_form.h"

#include "ui/application.h"

namespace wc {

TScanDiskForm::TScanDiskForm(ui::Application& app) : Form(app, "ScanDiskForm") {
  CreateWindowFrom({.caption = "Vantorel Wallpaper Changer - Scan Disk for Wallpapers",
                    .clientWidth = 511,
                    .clientHeight = 393,
                    .border = ui::BorderStyle::Dialog,
                    .icons = ui::biSystemMenu});
}

}  // namespace wc
