// A different wallpaper on each monitor: one change takes as many entries
// as there are monitors and composes them into one tiled bitmap.
#include <windows.h>

#include <algorithm>

#include "app/panel/main_form.h"
#include "common/bmp.h"
#include "common/ini_file.h"
#include "common/paths.h"
#include "common/random.h"
#include "playlist/playlist_file.h"
#include "settings/settings_form.h"
#include "ui/application.h"
#include "ui/monitors.h"
#include "wallpaper/monitor_wallpaper.h"
#include "wallpaper/picture_reader.h"
#include "wallpaper/screen_fit.h"

namespace wc {

namespace {

// The panel's style for one monitor; a custom position has no meaning
// there and centres.
MonitorStyle StyleOf(int styleIndex) {
  switch (styleIndex) {
    case 0: return MonitorStyle::Tile;
    case 2: return MonitorStyle::Stretch;
    case TMainForm::kStyleFill: return MonitorStyle::Fill;
    case TMainForm::kStyleFit: return MonitorStyle::Fit;
    default: return MonitorStyle::Center;
  }
}

}  // namespace

bool TMainForm::DifferentWallpaperPerMonitor() const {
  if (auto* settings = ui::Application::FindForm<TSettings>("Settings")) return settings->EachMonitorCheckBox.Checked();
  return IniFile(SettingsPath()).ReadBool(TSettings::kEachMonitorSection, "Checked", false);
}

bool TMainForm::ApplyToEachMonitor(int row) {
  const int rows = MainListBox.Count();
  if (!Playlist || rows == 0 || row < 0 || row >= rows || !DifferentWallpaperPerMonitor()) return false;
  std::vector<ui::Monitor> monitors = ui::Monitors();
  if (monitors.size() < 2) return false;
  // Left to right, then top to bottom: the first entry goes leftmost.
  std::sort(monitors.begin(), monitors.end(), [](const ui::Monitor& a, const ui::Monitor& b) {
    return a.area.left != b.area.left ? a.area.left < b.area.left : a.area.top < b.area.top;
  });
  std::vector<std::string> paths;
  for (size_t k = 0; k < monitors.size(); ++k) {
    const int r = k == 0 || !CheckBox2.Checked() ? int((size_t(row) + k) % size_t(rows))
                                                  : int(ProgramRandom().Next(uint32_t(rows)));
    std::optional<size_t> entry = EntryOfRow(r);
    if (!entry) return false;
    const std::string path = Playlist->Path(*entry);
    if (!IsPictureEntry(path) || !FileExists(path)) return false;
    paths.push_back(path);
  }

  const uint32_t background = DesktopBackground();
  std::vector<ui::Bitmap> pictures;
  for (const std::string& path : paths) pictures.push_back(ReadPictureBitmap(path, background));
  const RECT screen = ui::VirtualScreen();
  std::vector<MonitorPicture> parts;
  for (size_t k = 0; k < monitors.size(); ++k) {
    const ui::Bitmap& p = pictures[k];
    const RECT& a = monitors[k].area;
    parts.push_back(MonitorPicture{PixelView{p.Bits(), p.Width(), p.Height(), size_t(p.Width())}, int(a.left),
                                   int(a.top), int(a.right - a.left), int(a.bottom - a.top),
                                   StyleOf(ComboBox1.ItemIndex())});
  }
  const Image32 desktop =
      ComposeDesktop(parts, int(screen.right - screen.left), int(screen.bottom - screen.top), background);
  if (!ProgramFolderReadOnly) WriteBmpFile(ExeFolder + "wallpaper.bmp", desktop, 24);

  // A file per monitor where the system takes one (Windows 8 and later);
  // elsewhere one bitmap, tiled from the primary monitor's corner.
  std::vector<Image32> own;
  for (const MonitorPicture& part : parts) own.push_back(RenderForMonitor(part, background));
  std::vector<MonitorBitmap> perMonitor;
  for (size_t k = 0; k < monitors.size(); ++k) perMonitor.push_back(MonitorBitmap{monitors[k].area, &own[k]});
  if (!GiveEachMonitorItsPicture(perMonitor, WPChanger1.PreparedBitmapFolder(), 24)) {
    WriteDesktopStyle(WPChanger1.BitmapPath(), "1", 0, 0, 0);
    WPChanger1.ChangeWallpaperComposed(desktop);
  }

  // The next change goes on after the last entry taken.
  if (!CheckBox2.Checked()) CurrentIndex = int32_t((size_t(row) + monitors.size() - 1) % size_t(rows));
  else CurrentIndex = row;
  MainListBox.SetItemIndex(CurrentIndex);
  return true;
}

}  // namespace wc
