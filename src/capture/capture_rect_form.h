#pragma once
// The area overlay (window name "CaptureRectForm"): a borderless window over
// the whole screen showing a picture of the screen frozen when it was made,
// on which the user drags a rectangle, drawn as a crawling dashed band. A
// release of the left button ends it with OK; the selection is the dragged
// part of the frozen picture, or empty when the drag did not go right and
// down. Esc (or a close by the window manager) ends it without OK.
#include <windows.h>

#include "capture/band.h"
#include "capture/screen_overlay.h"
#include "ui/graphics.h"
#include "ui/timer.h"

namespace wc {

class TCaptureRectForm : public TScreenOverlay {
 public:
  explicit TCaptureRectForm(ui::Application& app);

  // The selection, handed over (empty until a valid drag ends).
  ui::Bitmap TakeSelection() { return std::move(selection_); }
  const ui::Bitmap& Frozen() const { return frozen_; }
  POINT Anchor() const { return {x1, y1}; }
  POINT Corner() const { return {x2, y2}; }
  static BandPattern& Pattern() { return pattern_; }

  void FormPaint(HDC dc);
  void FormMouseDown(ui::Component& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void FormMouseMove(ui::Component& sender, ui::ShiftState shift, int x, int y);
  void FormMouseUp(ui::Component& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void Timer1Timer(ui::Component& sender);

  void DrawBand();
  void EraseBand();

  ui::Timer Timer1{this, "Timer1", 100, false};

 protected:
  HCURSOR Pointer() const override { return LoadCursor(nullptr, IDC_CROSS); }

 private:
  ui::Bitmap frozen_;
  ui::Bitmap selection_;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  RECT final_{};
  // Shared by every area overlay.
  static BandPattern pattern_;
};

}  // namespace wc
