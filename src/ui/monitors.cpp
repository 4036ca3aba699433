#include "ui/monitors.h"

#include <algorithm>

#include "ui/wide_text.h"

namespace ui {

namespace {

// The monitor's device interface path, which names the same monitor across
// restarts and layout changes (it is the monitor id IDesktopWallpaper takes);
// the adapter output's name where the system gives no path.
std::string DevicePathOf(const MONITORINFOEXW& info) {
  DISPLAY_DEVICEW device{};
  device.cb = sizeof device;
  const std::wstring& name = info.szDevice;
  std::wstring path;
  if (EnumDisplayDevicesW(name.c_str(), 0, &device, EDD_GET_DEVICE_INTERFACE_NAME) && device.DeviceID[0]) {
    path = device.DeviceID;
  } else {
    path = name;
  }
  return Narrow(path);
}

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM data) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(handle, &info)) {
    reinterpret_cast<std::vector<Monitor>*>(data)->push_back(
        Monitor{info.rcMonitor, info.rcWork, (info.dwFlags & MONITORINFOF_PRIMARY) != 0, DevicePathOf(info)});
  }
  return TRUE;
}

}  // namespace

std::vector<Monitor> Monitors() {
  std::vector<Monitor> all;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&all));
  if (all.empty()) {
    Monitor primary;
    primary.area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary.work, 0);
    primary.primary = true;
    all.push_back(primary);
  }
  return all;
}

std::vector<Monitor> MonitorsLeftToRight() {
  std::vector<Monitor> monitors = Monitors();
  std::sort(monitors.begin(), monitors.end(), [](const Monitor& a, const Monitor& b) {
    return a.area.left != b.area.left ? a.area.left < b.area.left : a.area.top < b.area.top;
  });
  return monitors;
}

RECT VirtualScreen() {
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (w > 0 && h > 0) return RECT{x, y, x + w, y + h};
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

RECT WorkAreaNear(const RECT& around) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

RECT NotificationArea() {
  RECT r{};
  if (HWND bar = FindWindowA("Shell_TrayWnd", nullptr)) {
    if (HWND tray = FindWindowExA(bar, nullptr, "TrayNotifyWnd", nullptr); tray && GetWindowRect(tray, &r)) return r;
  }
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return RECT{r.right - 32, r.bottom - 32, r.right, r.bottom};
}

RECT KeepWithin(const RECT& window, const RECT& work) {
  const LONG w = window.right - window.left, h = window.bottom - window.top;
  if (window.left >= work.left && window.top >= work.top && window.right <= work.right &&
      window.bottom <= work.bottom) {
    return window;
  }
  const LONG x = work.left + std::max(0L, (work.right - work.left - w) / 2);
  const LONG y = work.top + std::max(0L, (work.bottom - work.top - h) / 2);
  return RECT{x, y, x + w, y + h};
}

}  // namespace ui
