#include "wallpaper/monitor_wallpaper.h"

#include <shobjidl.h>

#include "common/bmp.h"
#include "ui/handle.h"
#include "ui/wide_text.h"

namespace wc {

namespace {

// Defined here: <initguid.h> would put every GUID of the header into the program.
constexpr GUID kDesktopWallpaper = {0xc2cf3110, 0x460e, 0x4fc1, {0xb9, 0xd0, 0x8a, 0x1c, 0x0c, 0x9c, 0xc4, 0xbd}};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The system's id of the monitor at `area`; empty when none is there.
std::wstring MonitorAt(IDesktopWallpaper* wallpaper, const RECT& area) {
  UINT count = 0;
  if (FAILED(wallpaper->GetMonitorDevicePathCount(&count))) return {};
  for (UINT i = 0; i < count; ++i) {
    LPWSTR id = nullptr;
    if (FAILED(wallpaper->GetMonitorDevicePathAt(i, &id)) || !id) continue;
    std::wstring found(id);
    CoTaskMemFree(id);
    RECT r{};
    if (SUCCEEDED(wallpaper->GetMonitorRECT(found.c_str(), &r)) && SameRect(r, area)) return found;
  }
  return {};
}

ui::ComPtr<IDesktopWallpaper> DesktopWallpaper() {
  ui::ComPtr<IDesktopWallpaper> wallpaper;
  if (FAILED(CoCreateInstance(kDesktopWallpaper, nullptr, CLSCTX_ALL, __uuidof(IDesktopWallpaper),
                              wallpaper.put_void()))) {
    return {};
  }
  return wallpaper;
}

}  // namespace

bool SystemHasMonitorWallpapers() {
  ui::ComInit com;
  return bool(DesktopWallpaper());
}

bool GiveEachMonitorItsPicture(const std::vector<MonitorBitmap>& monitors, const std::string& folder,
                               int bitsPerPixel) {
  ui::ComInit com;
  ui::ComPtr<IDesktopWallpaper> wallpaper = DesktopWallpaper();
  if (!wallpaper) return false;
  // Every monitor found first: a half-done change would mix two playlists' turns.
  std::vector<std::wstring> ids;
  for (const MonitorBitmap& m : monitors) {
    ids.push_back(MonitorAt(wallpaper.get(), m.area));
    if (ids.back().empty() || !m.picture) return false;
  }
  wallpaper->SetPosition(DWPOS_CENTER);
  for (size_t i = 0; i < monitors.size(); ++i) {
    const std::string file = folder + "WPCWallpaper-" + std::to_string(i + 1) + ".bmp";
    WriteBmpFile(file, *monitors[i].picture, bitsPerPixel);
    if (FAILED(wallpaper->SetWallpaper(ids[i].c_str(), ui::Widen(file).c_str()))) return false;
  }
  return true;
}

}  // namespace wc
