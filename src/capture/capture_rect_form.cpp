#include "capture/capture_rect_form.h"

#include "capture/screen_grabber.h"
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/handle.h"
#include "ui/monitors.h"

namespace wc {

BandPattern TCaptureRectForm::pattern_;

namespace {

// What the window runs (it has no layout table).
const ui::Binding<TCaptureRectForm> kBindings[] = {
    {"Timer1", ui::Event::Timer, &TCaptureRectForm::Timer1Timer},
};

}  // namespace

TCaptureRectForm::TCaptureRectForm(ui::Application& app) : TScreenOverlay(app, "CaptureRectForm", "") {
  // Every monitor, frozen as one picture whose 0,0 is the virtual screen's
  // top-left corner, as the overlay's client area is.
  const RECT screenArea = ui::VirtualScreen();
  const int w = screenArea.right - screenArea.left, h = screenArea.bottom - screenArea.top;
  frozen_ = ui::Bitmap(w, h);
  {
    ui::WindowDC screen(nullptr);
    // On a palette screen the frozen picture is read through the system
    // palette, as the screen shows it.
    ui::PaletteHandle palette = SystemPaletteOf(screen.get());
    ui::MemoryDC mem(CreateCompatibleDC(screen.get()));
    ui::SelectGuard select(mem.get(), frozen_.Handle());
    if (palette) {
      SelectPalette(mem.get(), palette.get(), FALSE);
      RealizePalette(mem.get());
    }
    BitBlt(mem.get(), 0, 0, w, h, screen.get(), screenArea.left, screenArea.top, SRCCOPY);
    if (palette) SelectPalette(mem.get(), HPALETTE(GetStockObject(DEFAULT_PALETTE)), FALSE);
  }
  CoverScreen(screenArea);
  pattern_.phase = 128;
  OnPaint = [this](HDC dc) { FormPaint(dc); };
  OnMouseDown = [this](ui::Component& s, ui::MouseButton b, ui::ShiftState sh, int x, int y) { FormMouseDown(s, b, sh, x, y); };
  OnMouseMove = [this](ui::Component& s, ui::ShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
  OnMouseUp = [this](ui::Component& s, ui::MouseButton b, ui::ShiftState sh, int x, int y) { FormMouseUp(s, b, sh, x, y); };
  ui::Bind(*this, kBindings);
  Timer1.SetEnabled(true);
}

void TCaptureRectForm::FormPaint(HDC dc) {
  // The whole picture every time: the ring the band leaves behind is clipped
  // to what was invalidated.
  RECT all{0, 0, frozen_.Width(), frozen_.Height()};
  frozen_.Draw(dc, all);
}

void TCaptureRectForm::DrawBand() {
  ui::WindowDC dc(Handle());
  wc::DrawBand(dc.get(), pattern_, POINT{x1, y1}, POINT{x2, y2});
}

void TCaptureRectForm::EraseBand() { wc::EraseBand(Handle(), POINT{x1, y1}, POINT{x2, y2}); }

void TCaptureRectForm::FormMouseDown(ui::Component&, ui::MouseButton, ui::ShiftState, int x, int y) {
  EraseBand();
  x1 = x2 = x;
  y1 = y2 = y;
  final_ = RECT{x, y, x, y};
  SetCapture(Handle());
}

void TCaptureRectForm::FormMouseMove(ui::Component&, ui::ShiftState shift, int x, int y) {
  if (!(shift & ui::ssLeft)) return;
  EraseBand();
  x2 = x;
  y2 = y;
  DrawBand();
}

void TCaptureRectForm::FormMouseUp(ui::Component&, ui::MouseButton button, ui::ShiftState, int, int) {
  if (button != ui::MouseButton::Left) return;
  ReleaseCapture();
  final_ = RECT{x1, y1, x2, y2};
  if (x1 < x2 && y1 < y2) {
    EraseBand();
    // What the screen shows there is the frozen picture without the band:
    // taken from the picture itself, so nothing painted over the overlay
    // meanwhile can get in.
    selection_ = ui::Bitmap(x2 - x1, y2 - y1);
    ui::MemoryDC from(CreateCompatibleDC(nullptr));
    ui::MemoryDC to(CreateCompatibleDC(nullptr));
    ui::SelectGuard selectFrom(from.get(), frozen_.Handle());
    ui::SelectGuard selectTo(to.get(), selection_.Handle());
    BitBlt(to.get(), 0, 0, x2 - x1, y2 - y1, from.get(), x1, y1, SRCCOPY);
  }
  Timer1.SetEnabled(false);
  SetModalResult(ui::mrOk);
}

void TCaptureRectForm::Timer1Timer(ui::Component&) {
  pattern_.Crawl();
  DrawBand();
}

}  // namespace wc
