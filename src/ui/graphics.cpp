#include "ui/graphics.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/error.h"

namespace ui {

Bitmap::Bitmap(int width, int height) : width_(width), height_(height) {
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
  std::memset(bits_, 0, size_t(width) * size_t(height) * 4);
}

Bitmap Bitmap::FromImage(const wc::Image32& image) {
  Bitmap b(image.width, image.height);
  if (!b.Empty()) std::memcpy(b.bits_, image.pixels.data(), image.pixels.size() * 4);
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

void Bitmap::SaveToFile(const std::string& path, int bitsPerPixel) const {
  if (bitsPerPixel != 24 && bitsPerPixel != 32) throw Error("Bitmaps are written with 24 or 32 bits per pixel");
  GdiFlush();
  // Rows go out one by one from the pixels themselves: a wallpaper-sized
  // picture is large, and a second copy of it in memory buys nothing.
  const size_t stride = bitsPerPixel == 32 ? size_t(width_) * 4 : (size_t(width_) * 3 + 3) & ~size_t(3);
  const size_t imageSize = stride * size_t(height_);
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = DWORD(fh.bfOffBits + imageSize);
  ih.biSize = sizeof ih;
  ih.biWidth = width_;
  ih.biHeight = height_;  // bottom-up, as most readers expect
  ih.biPlanes = 1;
  ih.biBitCount = WORD(bitsPerPixel);
  ih.biCompression = BI_RGB;
  ih.biSizeImage = DWORD(imageSize);
  ih.biXPelsPerMeter = ih.biYPelsPerMeter = 3780;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    DWORD code = GetLastError();
    throw Error("Cannot create file \"" + path + "\". " + SystemErrorText(code));
  }
  auto put = [&](const void* data, size_t size) {
    DWORD done = 0;
    if (!WriteFile(file.get(), data, DWORD(size), &done, nullptr) || done != size) {
      DWORD code = GetLastError();
      file.reset();
      DeleteFileA(path.c_str());
      throw Error("Cannot write file \"" + path + "\". " + SystemErrorText(code));
    }
  };
  put(&fh, sizeof fh);
  put(&ih, sizeof ih);
  const size_t rowsPerChunk = std::max<size_t>(1, (1 << 20) / std::max<size_t>(stride, 1));
  std::vector<uint8_t> chunk(stride * rowsPerChunk, 0);
  size_t filled = 0;
  for (int y = height_ - 1; y >= 0; --y) {
    const uint32_t* row = bits_ + size_t(y) * size_t(width_);
    uint8_t* out = chunk.data() + filled * stride;
    if (bitsPerPixel == 32) {
      std::memcpy(out, row, size_t(width_) * 4);
    } else {
      for (int x = 0; x < width_; ++x) {
        uint32_t p = row[x];
        out[0] = uint8_t(p);
        out[1] = uint8_t(p >> 8);
        out[2] = uint8_t(p >> 16);
        out += 3;
      }
    }
    if (++filled == rowsPerChunk || y == 0) {
      put(chunk.data(), filled * stride);
      filled = 0;
    }
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

Picture Picture::LoadFromFile(const std::string& path) {
  std::string data = ReadSharedFile(path);
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
    ole_->Render(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, h, w, -h, nullptr);
  }
}

Bitmap Picture::ToBitmap() const {
  Bitmap b(width_, height_);
  if (b.Empty()) return b;
  if (bitmap_) {
    std::memcpy(b.Bits(), bitmap_->Bits(), size_t(width_) * size_t(height_) * 4);
    return b;
  }
  MemoryDC dc(CreateCompatibleDC(nullptr));
  SelectGuard sel(dc.get(), b.Handle());
  RECT all{0, 0, width_, height_};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  Draw(dc.get(), all);
  GdiFlush();
  return b;
}

HICON LoadIconResource(const char* name, int size) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size, size, 0));
}

}  // namespace ui
