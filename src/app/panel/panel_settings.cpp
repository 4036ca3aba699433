// What the control panel keeps in settings.ini between runs. The start-up
// sequence reads the same values (main_form.cpp).
#include "app/panel/main_form.h"
#include "settings/settings_file.h"

namespace wc {

void TMainForm::SavePanelSettings() {
  // Before the start-up sequence has read the file the controls hold their
  // layout defaults: writing them would replace the user's stored values.
  if (!PanelSettingsRead || ProgramFolderReadOnly) return;
  SettingsValues& v = StoredSettings.values;
  v.showPreview = MainChPreview.Checked();
  v.changeAtStartup = ChangeAtStartupCheck.Checked();
  v.lastWallpaperIndex = DarkMode.active ? DarkMode.ownIndex : CurrentIndex;
  v.shuffleWallpapers = ShuffleCheck.Checked();
  v.timerInterval = IntervalUnitBox.ItemIndex();
  v.enableTimer = UseTimerCheck.Checked();
  v.intervalValue = IntervalValueEdit.Value();
  v.wallpaperStyle = StyleBox.ItemIndex();
  v.customX = OriginXEdit.Value();
  v.customY = OriginYEdit.Value();
  v.backgroundColour = ColorBoxColor;
  v.functioningMode = int(FunctioningMode);
  v.automaticFolder = AutomaticFolder;
  v.movieWidth = MovieWidthEdit.Value();
  v.movieHeight = MovieHeightEdit.Value();
  // Written together after every change of wallpaper: a refused write stops
  // at that key with the keys before it stored.
  SettingsFile file(SettingsPath());
  StoredSettings.Save(file, uint8_t(SettingsPart::Panel));
}

SettingsValues TMainForm::DialogOptions() const {
  if (StoredSettings.Holds(SettingsPart::Dialog)) return StoredSettings.values;
  SettingsModel fromFile;
  fromFile.Load(SettingsFile(SettingsPath()), uint8_t(SettingsPart::Dialog), ExeFolder);
  return fromFile.values;
}

}  // namespace wc
