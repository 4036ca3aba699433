// What the control panel keeps in settings.ini between runs. The start-up
// sequence reads the same keys (main_form.cpp).
#include "app/panel/main_form.h"
#include "common/ini_file.h"

namespace wc {

void TMainForm::SavePanelSettings() {
  // Before the start-up sequence has read the file the controls hold their
  // layout defaults: writing them would replace the user's stored values.
  if (!PanelSettingsRead || ProgramFolderReadOnly) return;
  // Written together after every change of wallpaper, in this order: a
  // refused write stops at that key with the keys before it stored.
  IniFile file(SettingsPath());
  IniFile::Batch ini(file);
  ini.WriteBool("Show Preview", "Checked", MainChPreview.Checked());
  ini.WriteBool("Change at Startup", "Checked", CheckBox1.Checked());
  ini.WriteInteger("Last Wallpaper Index", "Value", CurrentIndex);
  ini.WriteBool("Shuffle Wallpapers", "Checked", CheckBox2.Checked());
  ini.WriteInteger("Timer interval", "value", MainComboBox.ItemIndex());
  ini.WriteBool("Enable Timer", "Checked", CheckBox3.Checked());
  ini.WriteInteger("Interval Value", "Value", MainTime.Value());
  ini.WriteInteger("Wallpaper style", "value", ComboBox1.ItemIndex());
  ini.WriteInteger("Custom position X", "value", SpinEdit1.Value());
  ini.WriteInteger("Custom position Y", "value", SpinEdit2.Value());
  ini.WriteInteger("ColorBox1", "Color", ColorBoxColor);
  ini.WriteInteger("Functioning mode", "value", int(FunctioningMode));
  ini.WriteString("Automatic mode location", "value", AutomaticFolder);
  ini.WriteInteger("movie width", "Value", moviewidthspin.Value());
  ini.WriteInteger("movie height", "Value", movieheightspin.Value());
  ini.Commit();
}

}  // namespace wc
