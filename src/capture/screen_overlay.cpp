#include "capture/screen_overlay.h"

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

void TScreenOverlay::CoverScreen(int width, int height) {
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, width, height, SWP_NOACTIVATE);
}

LRESULT TScreenOverlay::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_KEYDOWN && w == VK_ESCAPE) {
    // Leaving without a selection.
    Close();
    return 0;
  }
  if (msg == WM_SETCURSOR && LOWORD(l) == HTCLIENT) {
    SetCursor(Pointer());
    return TRUE;
  }
  return Form::WndProc(msg, w, l);
}

}  // namespace wc
