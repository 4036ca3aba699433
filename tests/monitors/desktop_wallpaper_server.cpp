// A stand-in for the system's desktop wallpaper object (IDesktopWallpaper,
// Windows 8 and later), which Wine lacks: an in-process COM server the
// two-monitor tests register in their own Wine prefix, so that the program's
// path for a file per monitor runs. It answers for the monitors the system
// has and writes every call it is given, one line each, to the file named
// by WC_DESKTOP_WALLPAPER_LOG:
//   GetMonitorDevicePathAt <index>
//   SetPosition <DESKTOP_WALLPAPER_POSITION>
//   SetWallpaper <monitor id>|<file>
// Its monitor ids are the monitors' device names ("\\.\DISPLAY1").
#include <windows.h>
#include <shobjidl.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr GUID kDesktopWallpaper = {0xc2cf3110, 0x460e, 0x4fc1, {0xb9, 0xd0, 0x8a, 0x1c, 0x0c, 0x9c, 0xc4, 0xbd}};
std::atomic<long> objects{0};

void Record(const std::wstring& line) {
  char path[MAX_PATH] = "";
  if (!GetEnvironmentVariableA("WC_DESKTOP_WALLPAPER_LOG", path, sizeof path)) return;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(size_t(bytes > 0 ? bytes - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, text.data(), bytes, nullptr, nullptr);
  if (FILE* f = std::fopen(path, "ab")) {
    std::fprintf(f, "%s\n", text.c_str());
    std::fclose(f);
  }
}

struct Screen {
  std::wstring id;
  RECT area;
};

std::vector<Screen> Screens() {
  std::vector<Screen> all;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR m, HDC, LPRECT, LPARAM data) -> BOOL {
        MONITORINFOEXW info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(m, &info)) reinterpret_cast<std::vector<Screen>*>(data)->push_back({info.szDevice, info.rcMonitor});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

class DesktopWallpaper final : public IDesktopWallpaper {
 public:
  DesktopWallpaper() { ++objects; }
  ~DesktopWallpaper() { --objects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(IDesktopWallpaper))) {
      *out = static_cast<IDesktopWallpaper*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --refs_;
    if (left == 0) delete this;
    return ULONG(left);
  }

  HRESULT STDMETHODCALLTYPE SetWallpaper(LPCWSTR monitor, LPCWSTR file) override {
    Record(L"SetWallpaper " + std::wstring(monitor ? monitor : L"") + L"|" + (file ? file : L""));
    return file ? S_OK : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE GetWallpaper(LPCWSTR, LPWSTR* file) override {
    if (file) *file = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetMonitorDevicePathAt(UINT index, LPWSTR* id) override {
    Record(L"GetMonitorDevicePathAt " + std::to_wstring(index));
    const std::vector<Screen> screens = Screens();
    if (!id || index >= screens.size()) return E_INVALIDARG;
    const std::wstring& name = screens[index].id;
    *id = static_cast<LPWSTR>(CoTaskMemAlloc((name.size() + 1) * sizeof(wchar_t)));
    if (!*id) return E_OUTOFMEMORY;
    wcscpy(*id, name.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetMonitorDevicePathCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = UINT(Screens().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetMonitorRECT(LPCWSTR monitor, RECT* area) override {
    if (!monitor || !area) return E_POINTER;
    for (const Screen& s : Screens()) {
      if (s.id == monitor) {
        *area = s.area;
        return S_OK;
      }
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE SetBackgroundColor(COLORREF) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetBackgroundColor(COLORREF* colour) override {
    if (colour) *colour = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetPosition(DESKTOP_WALLPAPER_POSITION position) override {
    Record(L"SetPosition " + std::to_wstring(int(position)));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPosition(DESKTOP_WALLPAPER_POSITION* position) override {
    if (position) *position = DWPOS_CENTER;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSlideshow(IShellItemArray*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSlideshow(IShellItemArray**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSlideshowOptions(DESKTOP_SLIDESHOW_OPTIONS, UINT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSlideshowOptions(DESKTOP_SLIDESHOW_OPTIONS*, UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AdvanceSlideshow(LPCWSTR, DESKTOP_SLIDESHOW_DIRECTION) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetStatus(DESKTOP_SLIDESHOW_STATE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Enable(WINBOOL) override { return S_OK; }

 private:
  std::atomic<long> refs_{1};
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* object = new DesktopWallpaper;
    const HRESULT hr = object->QueryInterface(riid, out);
    object->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory factory;

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!IsEqualCLSID(clsid, kDesktopWallpaper)) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(riid, out);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return objects == 0 ? S_OK : S_FALSE; }
