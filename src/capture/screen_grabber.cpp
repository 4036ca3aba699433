#include "capture/screen_grabber.h"

#include <cstring>
#include <vector>

#include "capture/capture_object_form.h"
#include "capture/capture_rect_form.h"
#include "ui/application.h"
#include "ui/monitors.h"

namespace wc {

namespace {

// Takes the program off the screen for the lifetime of the guard.
class ProgramOffScreen {
 public:
  explicit ProgramOffScreen(bool on) : app_(on ? ui::Application::Current() : nullptr) {
    if (app_) {
      wasMinimized_ = app_->Minimized();
      app_->Minimize();
    }
  }
  ~ProgramOffScreen() {
    if (app_ && !wasMinimized_) app_->Restore();
  }
  ProgramOffScreen(const ProgramOffScreen&) = delete;
  ProgramOffScreen& operator=(const ProgramOffScreen&) = delete;

 private:
  ui::Application* app_;
  bool wasMinimized_ = false;
};

void Wait(int ms) {
  if (ms > 0) Sleep(DWORD(ms));
}

// The clipboard may be held by another program for a moment.
bool OpenClipboardSoon(HWND owner) {
  for (int i = 0; i < 20; ++i) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

ui::PaletteHandle SystemPaletteOf(HDC dc) {
  if (!(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)) return {};
  // A logical palette of 256 entries: version, count, entries.
  std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY), 0);
  auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = WORD(GetSystemPaletteEntries(dc, 0, 256, lp->palPalEntry));
  if (lp->palNumEntries == 0) return {};
  return ui::PaletteHandle(CreatePalette(lp));
}

ui::Bitmap CopyBitmap(const ui::Bitmap& from) {
  if (from.Empty()) return {};
  ui::Bitmap to(from.Width(), from.Height());
  GdiFlush();
  std::memcpy(to.Bits(), from.Bits(), size_t(from.Width()) * size_t(from.Height()) * 4);
  return to;
}

TScreenGrabber::TScreenGrabber(ui::Component* owner, std::string name) : Component(owner, std::move(name)) {
  PublishBoolean("Auto", [this] { return Auto; }, [this](bool v) { Auto = v; });
  PublishInteger("Delay", [this] { return int64_t(Delay); }, [this](int64_t v) { Delay = int(v); });
  PublishBoolean("Minimize", [this] { return Minimize; }, [this](bool v) { Minimize = v; });
  // Read-only: writing it does nothing.
  PublishText("Version", [this] { return Version(); }, [](const std::string&) {});
}

template <class Capture>
std::unique_ptr<ui::Bitmap> TScreenGrabber::Frame(Capture capture) {
  {
    ProgramOffScreen off(Minimize);
    Wait(Delay);
    if (capture() == Outcome::Cancelled) return nullptr;
  }
  auto result = std::make_unique<ui::Bitmap>(CopyBitmap(FBitmap));
  // An empty picture (an area not dragged right and down) would only wipe
  // what the user had on the clipboard.
  if (Auto && !FBitmap.Empty()) CopyToClipboard();
  ui::Raise(OnCapture, *this);
  return result;
}

void TScreenGrabber::TakePalette(HDC dc) { palette_ = SystemPaletteOf(dc); }

void TScreenGrabber::TakeFrom(HDC dc, const RECT& area, POINT from) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (FBitmap.Width() != w || FBitmap.Height() != h) FBitmap = ui::Bitmap(w, h);
  if (FBitmap.Empty()) return;
  ui::MemoryDC mem(CreateCompatibleDC(dc));
  ui::SelectGuard select(mem.get(), FBitmap.Handle());
  BitBlt(mem.get(), 0, 0, w, h, dc, from.x, from.y, SRCCOPY);
}

std::unique_ptr<ui::Bitmap> TScreenGrabber::CaptureDesktop() {
  return Frame([this] {
    // Every monitor: the virtual screen, read through the screen's DC, whose
    // coordinates are the virtual screen's.
    ui::WindowDC dc(nullptr);
    const RECT r = ui::VirtualScreen();
    TakePalette(dc.get());
    TakeFrom(dc.get(), r, POINT{r.left, r.top});
    return Outcome::Captured;
  });
}

std::unique_ptr<ui::Bitmap> TScreenGrabber::CaptureActiveWindow() {
  return Frame([this] {
    // After the program left the screen: the window that became active.
    HWND active = GetForegroundWindow();
    ui::WindowDC dc(active, true);
    TakePalette(dc.get());
    RECT r{};
    GetWindowRect(active, &r);
    TakeFrom(dc.get(), r, POINT{0, 0});
    return Outcome::Captured;
  });
}

std::unique_ptr<ui::Bitmap> TScreenGrabber::CaptureObject() {
  return Frame([this] {
    {
      // Made for this capture and gone before the screen is read.
      TCaptureObjectForm overlay(*ui::Application::Current());
      if (overlay.ShowModal() != ui::mrOk) return Outcome::Cancelled;
    }
    Wait(Delay);
    POINT at{};
    GetCursorPos(&at);
    RECT r{};
    GetWindowRect(WindowFromPoint(at), &r);
    ui::WindowDC screen(nullptr);
    TakePalette(screen.get());
    TakeFrom(screen.get(), r, POINT{r.left, r.top});
    return Outcome::Captured;
  });
}

std::unique_ptr<ui::Bitmap> TScreenGrabber::CaptureArea() {
  return Frame([this] {
    ui::Bitmap selection;
    {
      TCaptureRectForm overlay(*ui::Application::Current());
      if (overlay.ShowModal() != ui::mrOk) return Outcome::Cancelled;
      selection = overlay.TakeSelection();
    }
    Wait(Delay);
    FBitmap = std::move(selection);
    palette_.reset();
    return Outcome::Captured;
  });
}

void TScreenGrabber::CopyToClipboard() { PutBitmapOnClipboard(FBitmap, palette_.get()); }

void PutBitmapOnClipboard(const ui::Bitmap& bitmap, HPALETTE palette) {
  // Nothing to copy: whatever the clipboard holds stays there.
  if (bitmap.Empty()) return;
  ui::Application* app = ui::Application::Current();
  if (!OpenClipboardSoon(app ? app->UtilityWindow() : nullptr)) return;
  EmptyClipboard();
  if (!bitmap.Empty()) {
    // A packed device-independent bitmap: the system offers it in the other
    // bitmap formats too.
    const int w = bitmap.Width(), h = bitmap.Height();
    const size_t bytes = size_t(w) * size_t(h) * 4;
    ui::GlobalMemory mem(GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + bytes));
    if (auto* header = static_cast<BITMAPINFOHEADER*>(mem ? GlobalLock(mem.get()) : nullptr)) {
      *header = BITMAPINFOHEADER{};
      header->biSize = sizeof(BITMAPINFOHEADER);
      header->biWidth = w;
      header->biHeight = h;  // bottom-up, as readers expect
      header->biPlanes = 1;
      header->biBitCount = 32;
      header->biCompression = BI_RGB;
      header->biSizeImage = DWORD(bytes);
      GdiFlush();
      auto* rows = reinterpret_cast<uint32_t*>(header + 1);
      for (int y = 0; y < h; ++y) std::memcpy(rows + size_t(h - 1 - y) * w, bitmap.Bits() + size_t(y) * w, size_t(w) * 4);
      GlobalUnlock(mem.get());
      if (SetClipboardData(CF_DIB, mem.get())) mem.release();
    }
    if (palette) {
      // The clipboard takes a palette of its own.
      PALETTEENTRY entries[256];
      UINT n = GetPaletteEntries(palette, 0, 256, entries);
      std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY), 0);
      auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
      lp->palVersion = 0x300;
      lp->palNumEntries = WORD(n);
      std::memcpy(lp->palPalEntry, entries, n * sizeof(PALETTEENTRY));
      if (n) {
        ui::PaletteHandle copy(CreatePalette(lp));
        if (SetClipboardData(CF_PALETTE, copy.get())) copy.release();
      }
    }
  }
  CloseClipboard();
}

}  // namespace wc
