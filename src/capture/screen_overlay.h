#pragma once
// What the capture overlays have in common: a borderless, top-most window
// over every monitor (the whole virtual screen, whose left or top may be
// negative) that keeps the program hidden, shows its own pointer
// over its client area and ends without OK on Esc (or a close by the window
// manager).
#include <windows.h>

#include "ui/form.h"

namespace wc {

class TScreenOverlay : public ui::Form {
 protected:
  // Makes the window, 1 x 1 until CoverScreen.
  TScreenOverlay(ui::Application& app, const char* name, const char* caption);

  // Covers `screen` (the virtual screen unless told) in its real pixels,
  // whatever its scale: client coordinates are then screen coordinates less
  // the screen's top-left corner.
  void CoverScreen(const RECT& screen);
  void CoverScreen();

  // The pointer over the overlay (the arrow while it is being made).
  virtual HCURSOR Pointer() const { return LoadCursor(nullptr, IDC_ARROW); }

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
};

}  // namespace wc
