#pragma once
// The object overlay (window name "CaptureObjectForm"): a borderless,
// see-through window over the whole screen that catches the mouse and shows
// the pointing hand. A release of any button ends it with OK (the engine then
// takes the window under the pointer); Esc (or a close by the window manager)
// ends it without OK.
#include <windows.h>

#include "capture/screen_overlay.h"

namespace wc {

// The program's own cursors by number, as the overlay registers the hand.
void SetProgramCursor(int id, HCURSOR cursor);
// Null when none is registered under that number.
HCURSOR ProgramCursor(int id);

class TCaptureObjectForm : public TScreenOverlay {
 public:
  // The number the pointing hand is registered under.
  static constexpr int kHandCursor = -18;

  explicit TCaptureObjectForm(ui::Application& app);
  ~TCaptureObjectForm() override;

  void FormActivate(ui::Component& sender);
  void FormMouseUp(ui::Component& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);

 protected:
  HCURSOR Pointer() const override { return cursor_; }

 private:
  void TakeHandCursor();
  HCURSOR cursor_ = nullptr;
};

}  // namespace wc
