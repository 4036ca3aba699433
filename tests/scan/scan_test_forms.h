#pragma once
// The control panel and the three dialogs of a folder read, made in the
// program's order, for the tests of the folder picker and the filter dialogs.
#include <windows.h>

#include "app/panel/main_form.h"
#include "gui_test.h"
#include "scan/add_folder_form.h"
#include "scan/edit_filter_form.h"
#include "scan/filter_form.h"

namespace wc::test {

class ScanDialogsTest : public GuiTest {
 protected:
  ScanDialogsTest() {
    // The start-up sequence would set the extension table of its own.
    panel.StartupTimer.SetEnabled(false);
  }

  static void Click(ui::Control& c) { SendMessageA(c.Handle(), BM_CLICK, 0, 0); }

  TMainForm& panel = app.CreateForm<TMainForm>();
  TAddFolderForm& picker = app.CreateForm<TAddFolderForm>();
  TFilterForm& options = app.CreateForm<TFilterForm>();
  TEditFilterForm& editor = app.CreateForm<TEditFilterForm>();
};

}  // namespace wc::test
