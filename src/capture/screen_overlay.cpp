#include "capture/screen_overlay.h"

#include "ui/monitors.h"

namespace wc {

TScreenOverlay::TScreenOverlay(ui::Application& app, const char* name, const char* caption) : Form(app, name) {
  CreateWindowFrom({.caption = caption,
                    .clientWidth = 1,
                    .clientHeight = 1,
                    .border = ui::BorderStyle::None,
                    .icons = 0,
                    .position = ui::FormPosition::Designed,
                    .topMost = true,
                    .keepsProgramHidden = true,
                    .mirrors = false});
}

void TScreenOverlay::CoverScreen(const RECT& screen) {
  SetWindowPos(Handle(), HWND_TOPMOST, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
               SWP_NOACTIVATE);
}

void TScreenOverlay::CoverScreen() { CoverScreen(ui::VirtualScreen()); }

LRESULT TScreenOverlay::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_KEYDOWN && w == VK_ESCAPE) {
    // Leaving without a selection.
    Close();
    return 0;
  }
  // Spanning monitors of different scales, the overlay hears of a scale
  // change whenever the system thinks most of it moved: it stays where its
  // frozen picture is, in real pixels, rather than be moved and scaled.
  if (msg == WM_DPICHANGED) return 0;
  if (msg == WM_SETCURSOR && LOWORD(l) == HTCLIENT) {
    SetCursor(Pointer());
    return TRUE;
  }
  return Form::WndProc(msg, w, l);
}

}  // namespace wc
