// Several monitors: a different wallpaper on each (one change takes as many
// entries as there are monitors), or one picture filled or fitted to each
// monitor's own size. Both compose the monitors' parts the same way.
#include <windows.h>

#include <algorithm>

#include "app/panel/main_form.h"
#include "common/bmp.h"
#include "common/entry_kind.h"
#include "common/paths.h"
#include "common/random.h"
#include "playlist/playlist_file.h"
#include "ui/application.h"
#include "ui/monitors.h"
#include "wallpaper/monitor_assignment.h"
#include "wallpaper/monitor_wallpaper.h"
#include "wallpaper/picture_reader.h"
#include "wallpaper/picture_shape.h"
#include "wallpaper/screen_fit.h"
#include "wallpaper/wallpaper_style.h"

namespace wc {

using ui::MonitorsLeftToRight;

bool TMainForm::DifferentWallpaperPerMonitor() const {
  return DialogOptions().eachMonitor;
}

std::optional<std::string> TMainForm::MonitorPictureOfRow(int row) const {
  std::optional<size_t> entry = EntryOfRow(row);
  if (!entry) return std::nullopt;
  std::string path = Playlist->Path(*entry);
  if (KindOfEntry(path) != EntryKind::Picture || !FileExists(path)) return std::nullopt;
  return path;
}

std::optional<std::string> TMainForm::RotationPictureOfRow(int row) const {
  if (IsExcludedRow(row)) return std::nullopt;
  return MonitorPictureOfRow(row);
}

bool TMainForm::ApplyToEachMonitor(int row) {
  const int rows = MainListBox.Count();
  if (!Playlist || rows == 0 || row < 0 || row >= rows || !DifferentWallpaperPerMonitor()) return false;
  // Span is one picture over every monitor, whatever the option says.
  if (const std::optional<WallpaperStyle> style = ChosenStyle(); style && RowOf(*style).spansMonitors) return false;
  const std::vector<ui::Monitor> monitors = MonitorsLeftToRight();
  if (monitors.size() < 2) return false;
  std::optional<std::string> first = MonitorPictureOfRow(row);
  if (!first) return false;
  // The rows after `row` in order, or under shuffle the others drawn at
  // random without replacement, so no two monitors show one entry; a page,
  // a movie or a missing file is passed over, as a single change passes
  // over a missing file. Each row is looked at once at most, and only as
  // far as the monitors need.
  struct Candidate {
    int row;
    std::string path;
    bool taken = false;
    std::optional<std::optional<Shape>> shape;  // read from the header when first asked
  };
  std::vector<Candidate> pool{{row, *first}};
  std::vector<int> others;
  for (int k = 1; k < rows; ++k) others.push_back(int((size_t(row) + size_t(k)) % size_t(rows)));
  size_t drawn = 0;
  const auto drawNext = [&] {
    while (drawn < others.size()) {
      const size_t i = drawn++;
      // The next draw comes from the rows not drawn yet.
      if (ShuffleCheck.Checked()) std::swap(others[i], others[i + ProgramRandom().Next(uint32_t(others.size() - i))]);
      if (std::optional<std::string> path = RotationPictureOfRow(others[i])) {
        pool.push_back({others[i], *path});
        return true;
      }
    }
    return false;
  };
  // With the option, a monitor takes the first picture of its own shape
  // when there is one, else the first picture left.
  const bool byShape = DialogOptions().preferShapedPictures;
  const auto fits = [&](Candidate& c, const ui::Monitor& m) {
    if (!byShape) return true;
    if (!c.shape) c.shape = ShapeOfPictureFile(c.path);
    return *c.shape == ShapeOf(m.area.right - m.area.left, m.area.bottom - m.area.top);
  };
  // A monitor with a source of its own takes that source's next picture,
  // in its own style; the others share the playlist's pictures.
  const WallpaperStyle panelStyle = ChosenStyle().value_or(WallpaperStyle::Center);
  std::vector<std::string> paths(monitors.size());
  std::vector<WallpaperStyle> styles(monitors.size(), panelStyle);
  std::vector<bool> ownPicture(monitors.size(), false);
  for (size_t k = 0; k < monitors.size(); ++k) {
    const MonitorSource source = SourceOfMonitor(monitors[k]);
    styles[k] = StyleOfMonitor(source, panelStyle);
    if (source.kind == MonitorSourceKind::Playlist) continue;
    if (std::optional<std::string> own = NextOfOwnSource(monitors[k], paths)) {
      paths[k] = *own;
      ownPicture[k] = true;
    }
    // A source with no picture left: the monitor shows the playlist.
  }
  size_t farthest = 0;
  for (size_t k = 0; k < monitors.size(); ++k) {
    if (ownPicture[k]) continue;
    const ui::Monitor& m = monitors[k];
    std::optional<size_t> chosen;
    for (size_t p = 0; !chosen && (p < pool.size() || drawNext()); ++p) {
      if (!pool[p].taken && fits(pool[p], m)) chosen = p;
    }
    for (size_t p = 0; !chosen && p < pool.size(); ++p) {
      if (!pool[p].taken) chosen = p;
    }
    // Fewer pictures than monitors: the usual change shows one everywhere.
    if (!chosen) return false;
    pool[*chosen].taken = true;
    paths[k] = pool[*chosen].path;
    farthest = std::max(farthest, *chosen);
  }
  const int last = pool[farthest].row;

  const Image32 desktop = ShowFilesOnMonitors(monitors, paths, styles);
  NowShowing(paths);
  if (!ProgramFolderReadOnly) WriteBmpFile(ExeFolder + "wallpaper.bmp", desktop, 24);

  // The next change goes on after the last entry taken.
  CurrentIndex = ShuffleCheck.Checked() ? row : last;
  MainListBox.SetItemIndex(CurrentIndex);
  return true;
}

bool TMainForm::FitOnEachMonitor(const std::string& path, WallpaperStyle style, const ui::Bitmap* decoded) {
  if (!RowOf(style).drawnToScreen) return false;
  if (KindOfEntry(path) != EntryKind::Picture) return false;
  const std::vector<ui::Monitor> monitors = MonitorsLeftToRight();
  if (monitors.size() < 2) return false;
  const uint32_t background = DesktopBackground();
  ui::Bitmap read;
  if (!decoded) {
    read = ReadPictureBitmap(path, background);
    decoded = &read;
  }
  ShowOnMonitors(monitors, std::vector<const ui::Bitmap*>(monitors.size(), decoded),
                 std::vector<WallpaperStyle>(monitors.size(), style), background);
  Shown = {{path}, {}, {style}, LayoutOf(monitors)};
  return true;
}

void TMainForm::RelayOutEachMonitor(const ShownWallpaper& shown) {
  const std::vector<ui::Monitor> monitors = MonitorsLeftToRight();
  std::vector<std::string> paths;
  std::vector<WallpaperStyle> styles;
  for (size_t k : ShownForMonitors(shown.paths.size(), shown.monitors, DevicePathsOf(monitors))) {
    paths.push_back(shown.paths[k]);
    styles.push_back(shown.styles[k]);
  }
  ShowFilesOnMonitors(monitors, paths, styles);
}

std::vector<TMainForm::LaidOutMonitor> TMainForm::LayoutOf(const std::vector<ui::Monitor>& monitors) {
  std::vector<LaidOutMonitor> layout;
  for (const ui::Monitor& m : monitors) layout.push_back({m.devicePath, m.area});
  return layout;
}

std::vector<std::string> TMainForm::DevicePathsOf(const std::vector<ui::Monitor>& monitors) {
  std::vector<std::string> devicePaths;
  for (const ui::Monitor& m : monitors) devicePaths.push_back(m.devicePath);
  return devicePaths;
}

Image32 TMainForm::ShowFilesOnMonitors(const std::vector<ui::Monitor>& monitors,
                                       const std::vector<std::string>& files,
                                       const std::vector<WallpaperStyle>& styles) {
  const uint32_t background = DesktopBackground();
  // Each file read once, however many monitors show it.
  std::vector<std::pair<std::string, ui::Bitmap>> read;
  read.reserve(files.size());
  std::vector<const ui::Bitmap*> pictures;
  for (const std::string& path : files) {
    auto found = std::find_if(read.begin(), read.end(), [&](const auto& r) { return r.first == path; });
    if (found == read.end()) {
      read.emplace_back(path, ReadPictureBitmap(path, background));
      found = read.end() - 1;
    }
    pictures.push_back(&found->second);
  }
  Image32 desktop = ShowOnMonitors(monitors, pictures, styles, background);
  Shown = {files, DevicePathsOf(monitors), styles, LayoutOf(monitors)};
  return desktop;
}

Image32 TMainForm::ShowOnMonitors(const std::vector<ui::Monitor>& monitors, const std::vector<const ui::Bitmap*>& pictures,
                                  const std::vector<WallpaperStyle>& styles, uint32_t background) {
  const RECT screen = ui::VirtualScreen();
  std::vector<MonitorPicture> parts;
  for (size_t k = 0; k < monitors.size(); ++k) {
    const ui::Bitmap& p = *pictures[k];
    const RECT& a = monitors[k].area;
    parts.push_back(MonitorPicture{PixelView{p.Bits(), p.Width(), p.Height(), size_t(p.Width())}, int(a.left),
                                   int(a.top), int(a.right - a.left), int(a.bottom - a.top), styles[k]});
  }
  // Each monitor's picture is made once: it goes to the system alone where
  // the system takes a file per monitor (Windows 8 and later), and into the
  // one bitmap of the whole desktop, tiled from the primary monitor's
  // corner, that the program keeps and older systems show.
  std::vector<Image32> own;
  for (const MonitorPicture& part : parts) own.push_back(RenderForMonitor(part, background));
  Image32 desktop =
      PlaceOnDesktop(parts, own, int(screen.right - screen.left), int(screen.bottom - screen.top), background);
  std::vector<MonitorBitmap> perMonitor;
  for (size_t k = 0; k < monitors.size(); ++k) perMonitor.push_back(MonitorBitmap{monitors[k].area, &own[k]});
  if (!GiveEachMonitorItsPicture(perMonitor, WPChanger1.PreparedBitmapFolder(), 24)) {
    WPChanger1.ChangeWallpaperComposed(desktop);
  }
  return desktop;
}

}  // namespace wc
