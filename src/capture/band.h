#pragma once
// The dashed selection band of the capture overlays and the crop window: a
// repeating run of five white and three red pixels along the rectangle's
// outline, drawn with LineDDA and erased by repainting only a 1-pixel ring.
#include <windows.h>

#include <cstdint>

namespace wc {

// The pattern state of one kind of window that draws bands: where the run
// starts (the phase) and where it stands while a band is drawn (the mask).
struct BandPattern {
  uint8_t phase = 128;
  uint8_t mask = 0;

  // The next point's colour: the mask moves one bit to the left (back to 1
  // past the top bit); its three top bits are red.
  bool NextIsRed() {
    mask = uint8_t(mask << 1);
    if (mask == 0) mask = 1;
    return mask >= 32;
  }
  // One step of the crawl: 128, 32, 8, 2, 128, ...
  void Crawl() {
    phase = uint8_t(phase >> 2);
    if (phase == 0) phase = 128;
  }
};

inline constexpr COLORREF kBandRed = RGB(255, 0, 0);
inline constexpr COLORREF kBandWhite = RGB(255, 255, 255);

// left <= right and top <= bottom.
RECT NormalizeRect(RECT r);

// Draws the band along anchor-corner, edge by edge from the anchor's top
// edge clockwise; the pattern runs on from edge to edge.
void DrawBand(HDC dc, BandPattern& pattern, POINT anchor, POINT corner);

// Repaints the ring one pixel either side of the band's outline from what
// the window shows beneath it (children included when asked), at once.
void EraseBand(HWND window, POINT anchor, POINT corner, bool withChildren = false);

}  // namespace wc
