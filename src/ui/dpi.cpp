#include "ui/dpi.h"

#include <map>
#include <mutex>

#include "ui/handle.h"

namespace ui {

namespace {

// The per-monitor calls, where the system has them.
struct DpiCalls {
  UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
  UINT(WINAPI* getDpiForSystem)() = nullptr;
  BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
};

template <class F>
void Find(HMODULE m, const char* name, F& f) {
  f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

const DpiCalls& Calls() {
  static const DpiCalls calls = [] {
    DpiCalls c;
    if (HMODULE user = GetModuleHandleA("user32.dll")) {
      Find(user, "GetDpiForWindow", c.getDpiForWindow);
      Find(user, "GetDpiForSystem", c.getDpiForSystem);
      Find(user, "AdjustWindowRectExForDpi", c.adjustWindowRectExForDpi);
      Find(user, "GetSystemMetricsForDpi", c.getSystemMetricsForDpi);
    }
    return c;
  }();
  return calls;
}

int override_ = 0;

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kLayoutDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLayoutDpi;
}

}  // namespace

void SetDpiOverride(int dpi) { override_ = dpi; }
int DpiOverride() { return override_; }

// The scale the system itself runs at, whatever a test asked for.
int RealSystemDpi() {
  static const int dpi = [] {
    int d = Calls().getDpiForSystem ? int(Calls().getDpiForSystem()) : ScreenDpi();
    return d > 0 ? d : kLayoutDpi;
  }();
  return dpi;
}

int SystemDpi() { return override_ ? override_ : RealSystemDpi(); }

int WindowDpi(HWND hwnd) {
  if (override_) return override_;
  if (hwnd && Calls().getDpiForWindow) {
    if (int dpi = int(Calls().getDpiForWindow(hwnd)); dpi > 0) return dpi;
  }
  return SystemDpi();
}

RECT ScaleRectToDpi(const RECT& r, int dpi) {
  return RECT{ScaleToDpi(r.left, dpi), ScaleToDpi(r.top, dpi), ScaleToDpi(r.right, dpi), ScaleToDpi(r.bottom, dpi)};
}

void AdjustWindowRectForDpi(RECT& r, DWORD style, bool menu, DWORD exStyle, int dpi) {
  if (Calls().adjustWindowRectExForDpi && Calls().adjustWindowRectExForDpi(&r, style, menu, exStyle, UINT(dpi))) return;
  AdjustWindowRectEx(&r, style, menu, exStyle);
}

int SystemMetricForDpi(int index, int dpi) {
  if (Calls().getSystemMetricsForDpi) return Calls().getSystemMetricsForDpi(index, UINT(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, RealSystemDpi());
}

HFONT MessageFontForDpi(int dpi) {
  static std::mutex m;
  static std::map<int, FontHandle> fonts;
  std::lock_guard lock(m);
  auto& slot = fonts[dpi];
  if (!slot) {
    // The system's font is made for the system's scale; other scales get it
    // in proportion, as the system's own per-scale metrics do.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    bool ok = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (ok) metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, RealSystemDpi());
    slot.reset(ok ? CreateFontIndirectW(&metrics.lfMessageFont) : nullptr);
    if (!slot) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  return slot.get();
}

}  // namespace ui
