#pragma once
// Icons of one solid colour, so a test can tell which image is shown.
#include <windows.h>

#include <vector>

#include "ui/handle.h"

namespace wc::test {

inline ui::IconHandle MakeSolidIcon(COLORREF color, int size = 16) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  ui::BitmapHandle colour(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour) return {};
  auto* px = static_cast<uint32_t*>(bits);
  uint32_t bgra = 0xFF000000u | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  for (int i = 0; i < size * size; ++i) px[i] = bgra;
  std::vector<uint8_t> maskBits(size_t(size) * size / 8 + 16, 0);  // all opaque
  ui::BitmapHandle mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
  ICONINFO ii{};
  ii.fIcon = TRUE;
  ii.hbmColor = colour.get();
  ii.hbmMask = mask.get();
  return ui::IconHandle(CreateIconIndirect(&ii));
}

struct IconFacts {
  int width = 0;
  int height = 0;
  COLORREF centre = CLR_INVALID;
};

// Size and centre colour of an icon; an empty result for no icon.
inline IconFacts ReadIcon(HICON icon) {
  IconFacts f;
  ICONINFO ii{};
  if (!icon || !GetIconInfo(icon, &ii)) return f;
  ui::BitmapHandle colour(ii.hbmColor);
  ui::BitmapHandle mask(ii.hbmMask);
  BITMAP bm{};
  if (!colour || !GetObjectA(colour.get(), sizeof bm, &bm)) return f;
  f.width = bm.bmWidth;
  f.height = bm.bmHeight;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> px(size_t(bm.bmWidth) * bm.bmHeight);
  HDC dc = GetDC(nullptr);
  int lines = GetDIBits(dc, colour.get(), 0, bm.bmHeight, px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (lines != bm.bmHeight) return f;
  uint32_t c = px[size_t(bm.bmHeight / 2) * bm.bmWidth + bm.bmWidth / 2];
  f.centre = RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
  return f;
}

}  // namespace wc::test
