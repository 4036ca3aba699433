#pragma once
// What the settings dialog changes in the rest of the program when an option
// takes effect, and what its global hotkeys run. The control panel
// implements it; the dialog knows the panel only through it.
#include <string>
#include <vector>

#include "settings/settings_model.h"
#include "ui/application.h"

namespace wc {

class SettingsTarget {
 public:
  // The running program's control panel (the window "MainForm"); nullptr
  // when there is none, as for a dialog made alone.
  static SettingsTarget* Find() { return ui::Application::FindForm<SettingsTarget>("MainForm"); }

  // The program's folder, with a trailing backslash: both keep one
  // settings file there.
  virtual std::string ProgramFolder() const = 0;

  // The settings both keep: the dialog reads and saves its options there,
  // and the panel reads them from there.
  virtual SettingsModel& SharedSettings() = 0;

  // Options.
  virtual void UseLanguage(const std::string& languageName) = 0;
  virtual void SetTrayIconCycling(bool on) = 0;
  virtual void SetHintsShown(bool on) = 0;
  virtual void SetRunAtStartup(bool on) = 0;
  virtual void SetPlaylistDragDrop(bool on) = 0;
  // Takes the playlist that suits Windows' light or dark mode now.
  virtual void FollowColourMode() = 0;

  // The hotkeys' commands.
  virtual void ShowControlPanel() = 0;
  virtual void NextWallpaper() = 0;
  virtual void PreviousWallpaper() = 0;
  // Clears the wallpaper and says so.
  virtual void ClearWallpaperAndSay() = 0;
  virtual void CaptureDesktop() = 0;
  virtual void NextWallpaperUnderPointer() = 0;
  // Pauses the changes, or resumes them when paused.
  virtual void TogglePause() = 0;
  virtual void AddToFavourites() = 0;
  // Never shows the wallpaper on the desktop again and shows another.
  virtual void NeverShowAgain() = 0;

  // The files never shown again, and taking some of them back.
  virtual std::vector<std::string> ExcludedFileList() const = 0;
  virtual void ShowAgain(const std::vector<std::string>& paths) = 0;

 protected:
  ~SettingsTarget() = default;
};

}  // namespace wc
