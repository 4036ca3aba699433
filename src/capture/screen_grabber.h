#pragma once
// The screen-capture component: the whole desktop, the active window, a
// window picked with the mouse or a rectangle dragged on a frozen picture of
// the screen. Before a capture it can take the program off the screen and
// wait for the screen to repaint; afterwards it can copy the picture to the
// clipboard and tell its owner.
//
// It keeps the last capture; every capture hands the caller a copy of its
// own, or nothing (null) when the user leaves a picking overlay without
// choosing.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/component.h"
#include "ui/graphics.h"
#include "ui/handle.h"

namespace wc {

class TScreenGrabber : public ui::Component {
 public:
  TScreenGrabber(ui::Component* owner, std::string name);

  // Copy every capture to the clipboard.
  bool Auto = true;
  // Milliseconds to wait before capturing, and again after a picking
  // overlay closes.
  int Delay = 500;
  // Take the program's windows off the screen during a capture.
  bool Minimize = true;
  // After every successful capture.
  ui::NotifyEvent OnCapture;

  std::string Version() const { return "TScreenGrabber v1.0"; }

  std::unique_ptr<ui::Bitmap> CaptureDesktop();
  std::unique_ptr<ui::Bitmap> CaptureActiveWindow();
  // Null when the object overlay is left without a click.
  std::unique_ptr<ui::Bitmap> CaptureObject();
  // Null when the area overlay is left without a drag; an empty bitmap after
  // a drag that did not go right and down.
  std::unique_ptr<ui::Bitmap> CaptureArea();

  // Puts the last capture on the clipboard (with its palette on a palette
  // screen).
  void CopyToClipboard();

 private:
  enum class Outcome { Captured, Cancelled };
  // The frame every capture shares: off the screen, wait, capture, back on
  // the screen whatever happened, then copy, clipboard and event.
  template <class Capture>
  std::unique_ptr<ui::Bitmap> Frame(Capture capture);
  // Copies `area` of the device context into FBitmap.
  void TakeFrom(HDC dc, const RECT& area, POINT from);
  // On a palette screen the system palette goes with the picture.
  void TakePalette(HDC dc);

  ui::Bitmap FBitmap;
  ui::PaletteHandle palette_;
};

// A copy of the system palette when `dc` is a palette device; null otherwise.
ui::PaletteHandle SystemPaletteOf(HDC dc);

// Empties the clipboard and puts the bitmap on it (with the palette, when
// one is given); an empty bitmap leaves the clipboard as it was.
void PutBitmapOnClipboard(const ui::Bitmap& bitmap, HPALETTE palette = nullptr);

// A pixel-for-pixel copy (empty for an empty bitmap).
ui::Bitmap CopyBitmap(const ui::Bitmap& from);

}  // namespace wc
