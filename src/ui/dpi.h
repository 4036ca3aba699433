#pragma once
// Screen scaling, done once here.
//
// Layout tables, control bounds and font heights are written in the pixels of
// a 96-DPI screen ("layout units"). The layer turns them into the window's
// real pixels when it makes or moves a window, and again when the window
// lands on a screen of another scale (WM_DPICHANGED). Everything above the
// layer keeps working in layout units; mouse positions stay in real pixels.
//
// The calls that know a window's own scale (GetDpiForWindow and friends) came
// with Windows 10; on older systems every window has the system's scale, read
// from the screen's LOGPIXELSY.
#include <windows.h>

namespace ui {

constexpr int kLayoutDpi = 96;

// The scale windows are made at before they know their screen.
int SystemDpi();
// The scale of this window's screen.
int WindowDpi(HWND hwnd);

inline int ScaleToDpi(int layout, int dpi) { return MulDiv(layout, dpi, kLayoutDpi); }
inline int ScaleFromDpi(int pixels, int dpi) { return MulDiv(pixels, kLayoutDpi, dpi); }
// Scales the edges rather than position and size apart, so controls that
// touch in the layout still touch, and never overlap, at any scale.
RECT ScaleRectToDpi(const RECT& layout, int dpi);

// AdjustWindowRectEx for a window of this scale.
void AdjustWindowRectForDpi(RECT& r, DWORD style, bool menu, DWORD exStyle, int dpi);
// The system's message font as it is at this scale (a font the layer keeps;
// the caller must not delete it).
HFONT MessageFontForDpi(int dpi);
// A system metric (SM_CXSMICON, ...) at this scale.
int SystemMetricForDpi(int index, int dpi);

// For tests: windows made from now on take this scale as theirs, as if they
// sat on such a screen; 0 goes back to asking the system.
void SetDpiOverride(int dpi);
int DpiOverride();

}  // namespace ui
