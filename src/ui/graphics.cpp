#include "ui/graphics.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "ui/dpi.h"

#include <cstring>

#include "common/bmp.h"
#include "ui/error.h"

namespace ui {

Bitmap::Bitmap(int width, int height) : Bitmap(width, height, true) {}

Bitmap Bitmap::ForWriting(int width, int height) { return Bitmap(width, height, false); }

Bitmap::Bitmap(int width, int height, bool clear) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) {
    width_ = height_ = 0;
    return;
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  handle_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!handle_) throw Error("Out of system resources: cannot make a bitmap of " + std::to_string(width) + " x " +
                            std::to_string(height) + " pixels");
  bits_ = static_cast<uint32_t*>(bits);
  if (clear) std::memset(bits_, 0, size_t(width) * size_t(height) * 4);
}

Bitmap Bitmap::FromImage(const wc::Image32& image) {
  const size_t count = size_t(std::max(image.width, 0)) * size_t(std::max(image.height, 0));
  Bitmap b(image.width, image.height, image.pixels.size() < count);
  if (!b.Empty()) std::memcpy(b.bits_, image.pixels.data(), std::min(image.pixels.size(), count) * 4);
  return b;
}

wc::Image32 Bitmap::ToImage() const {
  wc::Image32 image;
  image.width = width_;
  image.height = height_;
  GdiFlush();
  if (bits_) image.pixels.assign(bits_, bits_ + size_t(width_) * size_t(height_));
  return image;
}

void Bitmap::Draw(HDC dc, const RECT& dest) const {
  if (Empty()) return;
  MemoryDC mem(CreateCompatibleDC(dc));
  SelectGuard sel(mem.get(), handle_.get());
  int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
  if (dw == width_ && dh == height_) {
    BitBlt(dc, dest.left, dest.top, dw, dh, mem.get(), 0, 0, SRCCOPY);
  } else {
    int old = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, dest.left, dest.top, dw, dh, mem.get(), 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dc, old);
  }
}

void Bitmap::DrawPart(HDC dc, const RECT& dest, const RECT& visible) const {
  if (Empty()) return;
  RECT part{};
  if (!IntersectRect(&part, &dest, &visible)) return;
  const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
  if (dw <= 0 || dh <= 0) return;
  MemoryDC mem(CreateCompatibleDC(dc));
  SelectGuard sel(mem.get(), handle_.get());
  if (dw == width_ && dh == height_) {
    BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, mem.get(), part.left - dest.left,
           part.top - dest.top, SRCCOPY);
    return;
  }
  // Whole source pixels that cover the part, and where they land.
  const double fx = double(width_) / dw, fy = double(height_) / dh;
  const int sx0 = std::max(0, int(std::floor((part.left - dest.left) * fx)));
  const int sx1 = std::min(width_, int(std::ceil((part.right - dest.left) * fx)));
  const int sy0 = std::max(0, int(std::floor((part.top - dest.top) * fy)));
  const int sy1 = std::min(height_, int(std::ceil((part.bottom - dest.top) * fy)));
  if (sx1 <= sx0 || sy1 <= sy0) return;
  const int dx0 = dest.left + int(std::lround(sx0 / fx)), dx1 = dest.left + int(std::lround(sx1 / fx));
  const int dy0 = dest.top + int(std::lround(sy0 / fy)), dy1 = dest.top + int(std::lround(sy1 / fy));
  int old = SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, dx0, dy0, dx1 - dx0, dy1 - dy0, mem.get(), sx0, sy0, sx1 - sx0, sy1 - sy0, SRCCOPY);
  SetStretchBltMode(dc, old);
}

void Bitmap::SaveToFile(const std::string& path, int bitsPerPixel) const {
  GdiFlush();
  try {
    wc::WriteBmpFile(path, bits_, width_, height_, bitsPerPixel);
  } catch (const std::exception& e) {
    throw Error(e.what());
  }
}

Picture::Picture(Bitmap bitmap) {
  if (bitmap.Empty()) return;
  width_ = bitmap.Width();
  height_ = bitmap.Height();
  bitmap_ = std::make_shared<Bitmap>(std::move(bitmap));
}

std::string ReadSharedFile(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    DWORD code = GetLastError();
    throw Error("Cannot open file \"" + path + "\". " + SystemErrorText(code));
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) ThrowLastError("Cannot read file \"" + path + "\"");
  if (size.QuadPart > 0x7FFFFFFF) throw Error("The file \"" + path + "\" is too large");
  std::string data(size_t(size.QuadPart), '\0');
  DWORD done = 0;
  if (!data.empty() && (!ReadFile(file.get(), data.data(), DWORD(data.size()), &done, nullptr) || done != data.size())) {
    ThrowLastError("Cannot read file \"" + path + "\"");
  }
  return data;
}

namespace {
int HimetricToPixels(OLE_XSIZE_HIMETRIC hm, int axis) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, axis);
  ReleaseDC(nullptr, screen);
  return MulDiv(hm, dpi, 2540);
}
}  // namespace

Picture Picture::LoadFromFile(const std::string& path) { return LoadFromBytes(ReadSharedFile(path), path); }

Picture Picture::LoadFromBytes(const std::string& data, const std::string& path) {
  GlobalMemory mem(GlobalAlloc(GMEM_MOVEABLE, data.size() ? data.size() : 1));
  if (!mem) throw Error("Out of memory loading \"" + path + "\"");
  if (!data.empty()) {
    void* p = GlobalLock(mem.get());
    std::memcpy(p, data.data(), data.size());
    GlobalUnlock(mem.get());
  }
  ComPtr<IStream> stream;
  // The stream frees the memory when it is released.
  if (FAILED(CreateStreamOnHGlobal(mem.get(), TRUE, stream.put()))) throw Error("Out of memory loading \"" + path + "\"");
  mem.release();
  Picture pic;
  HRESULT hr = OleLoadPicture(stream.get(), LONG(data.size()), FALSE, IID_IPicture, pic.ole_.put_void());
  if (FAILED(hr) || !pic.ole_) {
    throw Error("Cannot load the picture \"" + path + "\": " + SystemErrorText(DWORD(hr)));
  }
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  pic.ole_->get_Width(&w);
  pic.ole_->get_Height(&h);
  pic.width_ = HimetricToPixels(w, LOGPIXELSX);
  pic.height_ = HimetricToPixels(h, LOGPIXELSY);
  return pic;
}

Picture Picture::FromResource(const char* name) {
  HBITMAP h = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!h) throw Error(std::string("The program's picture ") + name + " is missing");
  BitmapHandle owned(h);
  BITMAP info{};
  GetObjectA(h, sizeof info, &info);
  Bitmap b(info.bmWidth, info.bmHeight);
  MemoryDC src(CreateCompatibleDC(nullptr));
  MemoryDC dst(CreateCompatibleDC(nullptr));
  SelectGuard s1(src.get(), h);
  SelectGuard s2(dst.get(), b.Handle());
  BitBlt(dst.get(), 0, 0, info.bmWidth, info.bmHeight, src.get(), 0, 0, SRCCOPY);
  return Picture(std::move(b));
}

void Picture::Draw(HDC dc, const RECT& dest) const {
  if (bitmap_) {
    bitmap_->Draw(dc, dest);
  } else if (ole_) {
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    ole_->get_Width(&w);
    ole_->get_Height(&h);
    // Shrinking a photo with the default mode drops whole rows and bands skies.
    int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    ole_->Render(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, h, w, -h, nullptr);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
  }
}

void Picture::DrawPart(HDC dc, const RECT& dest, const RECT& visible) const {
  if (bitmap_) {
    bitmap_->DrawPart(dc, dest, visible);
  } else {
    Draw(dc, dest);
  }
}

Bitmap Picture::ToBitmap() const {
  Bitmap b(width_, height_);
  if (b.Empty()) return b;
  if (bitmap_) {
    std::memcpy(b.Bits(), bitmap_->Bits(), size_t(width_) * size_t(height_) * 4);
    return b;
  }
  // A bitmap picture hands over its pixels directly; drawing is for icons
  // and metafiles.
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  if (SUCCEEDED(ole_->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(ole_->get_Handle(&handle)) && handle) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), 0, UINT(height_), b.Bits(),
                         &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows == height_) return b;
  }
  MemoryDC dc(CreateCompatibleDC(nullptr));
  SelectGuard sel(dc.get(), b.Handle());
  RECT all{0, 0, width_, height_};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  Draw(dc.get(), all);
  GdiFlush();
  return b;
}

void Picture::SaveToBitmapFile(const std::string& path, int bitsPerPixel) const {
  if (bitmap_) {
    bitmap_->SaveToFile(path, bitsPerPixel);
    return;
  }
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  DIBSECTION ds{};
  if (ole_ && SUCCEEDED(ole_->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(ole_->get_Handle(&handle)) &&
      GetObjectA(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof ds, &ds) == sizeof ds &&
      ds.dsBm.bmBits && ds.dsBmih.biBitCount == 32 && ds.dsBm.bmWidth == width_ && ds.dsBm.bmHeight == height_) {
    // The loader keeps its pixels in a DIB section of its own: write from there.
    GdiFlush();
    const auto* bits = static_cast<const uint8_t*>(ds.dsBm.bmBits);
    const size_t stride = size_t(ds.dsBm.bmWidthBytes);
    const bool bottomUp = ds.dsBmih.biHeight > 0;
    try {
      wc::WriteBmpFile(path, width_, height_, bitsPerPixel, [&](int y) {
        size_t line = bottomUp ? size_t(height_ - 1 - y) : size_t(y);
        return reinterpret_cast<const uint32_t*>(bits + line * stride);
      });
    } catch (const std::exception& e) {
      throw Error(e.what());
    }
    return;
  }
  ToBitmap().SaveToFile(path, bitsPerPixel);
}

void DrawIconDisabled(HDC dc, int x, int y, HICON icon, int size, COLORREF background) {
  if (!icon || size <= 0) return;
  Bitmap glyph(size, size);
  MemoryDC mem(CreateCompatibleDC(dc));
  if (glyph.Empty() || !mem) {
    DrawIconEx(dc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
    return;
  }
  SelectGuard keep(mem.get(), glyph.Handle());
  const int bgRed = GetRValue(background), bgGreen = GetGValue(background), bgBlue = GetBValue(background);
  std::fill_n(glyph.Bits(), size_t(size) * size_t(size), wc::MakePixel(uint8_t(bgRed), uint8_t(bgGreen), uint8_t(bgBlue)));
  DrawIconEx(mem.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  GdiFlush();
  // Luminance in greys, then halfway to the background: a grey background
  // keeps the result grey.
  const int bgGrey = (bgRed * 30 + bgGreen * 59 + bgBlue * 11) / 100;
  for (uint32_t& pixel : std::span(glyph.Bits(), size_t(size) * size_t(size))) {
    const int grey = (wc::PixelRed(pixel) * 30 + wc::PixelGreen(pixel) * 59 + wc::PixelBlue(pixel) * 11) / 100;
    const auto faded = uint8_t((grey + bgGrey + 1) / 2);
    pixel = wc::MakePixel(faded, faded, faded);
  }
  BitBlt(dc, x, y, size, size, mem.get(), 0, 0, SRCCOPY);
}

IconHandle LoadIconResource(const char* name, int size) {
  return IconHandle(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size, size, 0)));
}

bool ScaledIcon::Load(int dpi) {
  if (resource_.empty()) return false;
  pixels_ = ScaleToDpi(size_, dpi);
  icon_ = LoadIconResource(resource_.c_str(), pixels_);
  return bool(icon_);
}

}  // namespace ui
