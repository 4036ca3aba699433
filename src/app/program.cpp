#include "app/program.h"

#include "app/panel/main_form.h"
#include "common/product.h"
#include "capture/delay_form.h"
#include "capture/screen_form.h"
#include "capture/selection_form.h"
#include "dialogs/about_form.h"
#include "scan/add_folder_form.h"
#include "scan/edit_filter_form.h"
#include "scan/filter_form.h"
#include "scan/rename_form.h"
#include "scan/rmc_form.h"
#include "scan/scan_disk_form.h"
#include "settings/settings_form.h"
#include "wallpaper/picture_reader.h"

namespace wc {

const char* const kApplicationTitle = kProductName;

void CreateProgramWindows(ui::Application& app) {
  // Starting the message loop must not show the control panel: the program
  // lives in the notification area.
  app.ShowMainForm = false;
  app.Title = kApplicationTitle;
  // Before any window: the dialogs' filters list what the decoders read.
  LearnSystemPictureExtensions();
  // The control panel first: it becomes the main window, and the windows
  // after it rely on it.
  app.CreateForm<TMainForm>();
  app.CreateForm<TScreenForm>();
  app.CreateForm<TSettings>();
  app.CreateForm<TAddFolderForm>();
  app.CreateForm<TFilterForm>();
  app.CreateForm<TEditFilterForm>();
  app.CreateForm<TScanDiskForm>();
  app.CreateForm<TSelectionForm>();
  app.CreateForm<TDelayForm>();
  app.CreateForm<TAboutForm>();
  app.CreateForm<TRenameForm>();
  app.CreateForm<TRMCForm>();
  // The settings dialog applied the stored language while the windows after
  // it did not exist yet: they show it from their first appearance too.
  auto& panel = *ui::Application::FindForm<TMainForm>("MainForm");
  if (!panel.Translator.LanguageFile().empty()) panel.Translator.ApplyLanguage();
}

}  // namespace wc
