#pragma once
// The settings dialog as the program makes it: the control panel first,
// then the dialog, which reads settings.ini in its creation.
#include <windows.h>

#include <string>

#include "app/panel/main_form.h"
#include "common/ini_file.h"
#include "gui_test.h"
#include "settings/settings_form.h"

namespace wc::test {

class SettingsTest : public GuiTest {
 protected:
  IniFile Ini() const { return IniFile(ExeFolder() + "settings.ini"); }
  TMainForm& Panel() {
    if (!panel_) panel_ = &app.CreateForm<TMainForm>();
    return *panel_;
  }
  // Makes the dialog (once) from whatever settings.ini holds now.
  TSettings& Settings() {
    Panel();
    if (!settings_) settings_ = &app.CreateForm<TSettings>();
    return *settings_;
  }

  TMainForm* panel_ = nullptr;
  TSettings* settings_ = nullptr;
};

}  // namespace wc::test
