#include "capture/band.h"

#include <algorithm>

namespace wc {

namespace {

struct BandStroke {
  HDC dc;
  BandPattern* pattern;
};

void CALLBACK BandPoint(int x, int y, LPARAM data) {
  auto* stroke = reinterpret_cast<BandStroke*>(data);
  SetPixelV(stroke->dc, x, y, stroke->pattern->NextIsRed() ? kBandRed : kBandWhite);
}

}  // namespace

RECT NormalizeRect(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

void DrawBand(HDC dc, BandPattern& pattern, POINT a, POINT c) {
  pattern.mask = pattern.phase;
  BandStroke stroke{dc, &pattern};
  const auto data = reinterpret_cast<LPARAM>(&stroke);
  // LineDDA leaves out each line's last point, which is the next one's first.
  LineDDA(a.x, a.y, c.x, a.y, BandPoint, data);
  LineDDA(c.x, a.y, c.x, c.y, BandPoint, data);
  LineDDA(c.x, c.y, a.x, c.y, BandPoint, data);
  LineDDA(a.x, c.y, a.x, a.y, BandPoint, data);
}

void EraseBand(HWND window, POINT a, POINT c, bool withChildren) {
  RECT r = NormalizeRect(RECT{a.x, a.y, c.x, c.y});
  InflateRect(&r, 1, 1);
  const UINT children = withChildren ? RDW_ALLCHILDREN : 0;
  RedrawWindow(window, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | children);
  InflateRect(&r, -2, -2);
  if (r.left < r.right && r.top < r.bottom) RedrawWindow(window, &r, nullptr, RDW_VALIDATE | RDW_NOERASE | children);
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | children);
}

}  // namespace wc
