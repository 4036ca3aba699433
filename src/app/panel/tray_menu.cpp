// The tray icon's click and the tray menu's window commands (control panel,
// settings, screen capture, help, about, exit), the speed buttons beside them
// and the small desktop commands. The menu's wallpaper commands are those of
// the panel: Next, Previous and Reload in rotation.cpp, the styles and
// "Clear Wallpaper" in styles.cpp; the menu's order is in main_form_layout.cpp.
#include <windows.h>

#include "app/panel/main_form.h"
#include "capture/screen_form.h"
#include "dialogs/about_form.h"
#include "settings/settings_form.h"
#include "ui/application.h"
#include "ui/prompts.h"

namespace wc {

void TMainForm::TrayClick(ui::Component& sender) {
  NextWallpaperItemClick(sender);
  MainListBoxClick(sender);
}

void TMainForm::ControlPanelItemClick(ui::Component&) { ShowControlPanel(); }

void TMainForm::SettingsItemClick(ui::Component&) {
  if (auto* settings = ui::Application::FindForm<TSettings>("Settings")) settings->Show();
}

namespace {
TScreenForm* ShownViewer() {
  auto* viewer = ui::Application::FindForm<TScreenForm>("ScreenForm");
  if (viewer) viewer->Show();
  return viewer;
}
}  // namespace

void TMainForm::CaptureDesktopItemClick(ui::Component&) { CaptureDesktop(); }

void TMainForm::CaptureDesktop() {
  if (auto* v = ShownViewer()) v->Desktop1Click(*v);
}
void TMainForm::CaptureAreaItemClick(ui::Component&) {
  if (auto* v = ShownViewer()) v->Selection1Click(*v);
}
void TMainForm::CaptureWindowItemClick(ui::Component&) {
  if (auto* v = ShownViewer()) v->Window1Click(*v);
}
void TMainForm::CaptureObjectItemClick(ui::Component&) {
  if (auto* v = ShownViewer()) v->Object1Click(*v);
}

void TMainForm::DisplayPropertiesItemClick(ui::Component&) {
  App().prompts().ShellOpen(Handle(), "open", "rundll32.exe", "shell32.dll,Control_RunDLL desk.cpl", "", SW_SHOW);
}

void TMainForm::ScreenSaverItemClick(ui::Component&) {
  // Switches the screen saver on for this logon only; it is not started.
  SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
}

void TMainForm::HideDesktopIconsItemClick(ui::Component&) {
  HWND desktop = FindWindowA(nullptr, "Program Manager");
  if (desktop) ShowWindow(desktop, HideDesktopIconsItem.Checked() ? SW_SHOW : SW_HIDE);
  HideDesktopIconsItem.SetChecked(!HideDesktopIconsItem.Checked());
}

void TMainForm::HelpItemClick(ui::Component&) {
  // Relative on purpose: the tray's help follows the working folder.
  App().prompts().ShellOpen(nullptr, "open", "help.chm", "", "", SW_SHOWNORMAL);
}

void TMainForm::HelpButtonClick(ui::Component&) {
  App().prompts().ShellOpen(nullptr, "open", ExeFolder + "help.chm", "", "", SW_SHOWNORMAL);
}

void TMainForm::AboutItemClick(ui::Component&) {
  if (auto* about = ui::Application::FindForm<TAboutForm>("AboutForm")) about->Show();
}

void TMainForm::OtherProgramsItemClick(ui::Component&) {
  App().prompts().ShellOpen(nullptr, "open", SiteUrl, "", "", SW_SHOWNORMAL);
}

void TMainForm::DonateItemClick(ui::Component&) {
  if (!DonateUrl.empty()) App().prompts().ShellOpen(nullptr, "open", DonateUrl, "", "", SW_SHOWNORMAL);
}

void TMainForm::ExitItemClick(ui::Component&) {
  CloseMeansExit = true;
  Close();
}

void TMainForm::ScreenCaptureButtonClick(ui::Component&) {
  if (auto* viewer = ui::Application::FindForm<TScreenForm>("ScreenForm")) viewer->Show();
}

void TMainForm::SettingsButtonClick(ui::Component&) {
  auto* settings = ui::Application::FindForm<TSettings>("Settings");
  if (!settings) return;
  // Already open from the tray: brought forward rather than made modal.
  if (settings->Visible()) {
    settings->BringToFront();
  } else {
    settings->ShowModal();
  }
}

std::span<const char* const> TMainForm::HintedControls() {
  static const char* const kControls[] = {
      "MainForm.MainBitBtn1", "MainForm.MainBitBtn2", "MainForm.MainBitBtn3", "MainForm.MainBitBtn4",
      "MainForm.MainBitBtn5", "MainForm.MainNew", "MainForm.MainAppend", "MainForm.MainLoad", "MainForm.MainSave",
      "MainForm.MainPrint", "MainForm.MainPreview", "MainForm.ColorBox1", "MainForm.ComboBox1",
      "MainForm.MainChPreview",
      "Settings.CheckBox1", "Settings.CheckBox2", "Settings.CheckBox3", "Settings.CheckBox4", "Settings.CheckBox5",
      "Settings.CheckBox7", "Settings.CheckBox6", "Settings.CheckBox8", "Settings.CheckBox9", "Settings.CheckBox10",
      "Settings.CheckBox11", "Settings.CheckBox17", "Settings.CheckBox12", "Settings.PlaySoundCheckBox", "Settings.BitBtn2", "Settings.MainNew",
      "Settings.MainAppend", "Settings.MainLoad", "Settings.MainSave", "Settings.ShuffleCheckBox", "Settings.Button1",
      "Settings.MainBitBtn1", "Settings.MainBitBtn2", "Settings.MainBitBtn3", "Settings.BitBtn1",
      "ScreenForm.OpenButton", "ScreenForm.CloseButton", "ScreenForm.CloseAllButton", "ScreenForm.SaveAsButton",
      "ScreenForm.PrintButton", "ScreenForm.CopyButton", "ScreenForm.CropButton", "ScreenForm.CaptureDesktopButton",
      "ScreenForm.CaptureSelectionButton", "ScreenForm.CaptureWindowButton", "ScreenForm.CaptureObjectButton",
      "ScreenForm.Click100Button", "ScreenForm.ExitButton",
  };
  return kControls;
}

void TMainForm::SetHintsShown(bool on) {
  // Every name is a control of the program's windows (a test holds them to
  // it); a window not made yet, as in a test of one window, is passed over.
  for (const char* path : HintedControls()) {
    if (auto* c = dynamic_cast<ui::Control*>(ui::ResolveComponentPath(App(), path))) c->SetShowHint(on);
  }
}

}  // namespace wc
