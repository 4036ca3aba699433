#pragma once
// Pictures: a 32-bit bitmap of our own, or whatever the system's OLE picture
// loader decodes (icons and metafiles among them), drawn and converted the
// same way.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <string>

#include "common/image32.h"
#include "ui/handle.h"

namespace ui {

// A top-down 32-bit DIB section (byte 0 blue, 1 green, 2 red).
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height);  // black
  static Bitmap FromImage(const wc::Image32& image);
  // A bitmap whose every pixel the caller is about to write (a picture
  // decoded into it): its memory is not cleared first, which on a large
  // picture costs as much as writing it.
  static Bitmap ForWriting(int width, int height);
  wc::Image32 ToImage() const;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return !handle_; }
  HBITMAP Handle() const { return handle_.get(); }
  uint32_t* Bits() const { return bits_; }

  // Draws the bitmap stretched into `dest`.
  void Draw(HDC dc, const RECT& dest) const;
  // The same, only as far as it falls into `visible`: a large picture
  // zoomed in costs what the window shows of it, not the whole picture.
  void DrawPart(HDC dc, const RECT& dest, const RECT& visible) const;
  // Writes an uncompressed Windows bitmap file of 24 or 32 bits per pixel.
  void SaveToFile(const std::string& path, int bitsPerPixel = 24) const;

 private:
  Bitmap(int width, int height, bool clear);

  BitmapHandle handle_;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

class Picture {
 public:
  Picture() = default;
  explicit Picture(Bitmap bitmap);

  // Opens the file for reading (others may go on reading and writing it) and
  // decodes it with the system's OLE picture loader.
  static Picture LoadFromFile(const std::string& path);
  // The same for a file's bytes; `path` names it in errors.
  static Picture LoadFromBytes(const std::string& data, const std::string& path);
  // A bitmap from a bitmap resource of the program.
  static Picture FromResource(const char* name);

  bool Empty() const { return !bitmap_ && !ole_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  void Draw(HDC dc, const RECT& dest) const;
  // Draws the part of the picture stretched into `dest` that falls into
  // `visible` (bitmaps; other pictures are drawn whole).
  void DrawPart(HDC dc, const RECT& dest, const RECT& visible) const;
  // The picture as a bitmap at its own size (a copy for bitmaps).
  Bitmap ToBitmap() const;
  // Writes the picture as an uncompressed bitmap file (24 or 32 bits per
  // pixel) without an intermediate copy where the pixels are at hand.
  void SaveToBitmapFile(const std::string& path, int bitsPerPixel) const;
  const Bitmap* AsBitmap() const { return bitmap_.get(); }

 private:
  std::shared_ptr<Bitmap> bitmap_;
  ComPtr<IPicture> ole_;
  int width_ = 0;
  int height_ = 0;
};

// Reads a whole file, opened with sharing for reading and writing. Throws
// ui::Error("Cannot open file ...") when it cannot be opened.
std::string ReadSharedFile(const std::string& path);

// Draws an icon the way a disabled command shows it: in greys, faded
// halfway into `background`, so that it reads as "not now" at a glance.
void DrawIconDisabled(HDC dc, int x, int y, HICON icon, int size, COLORREF background);

// An icon of the program's resources at the given size in pixels; empty
// when the program has no such icon.
IconHandle LoadIconResource(const char* name, int size);

// An icon of the program's resources that a control shows at a size in
// layout units: loaded again at the right pixel size when the scale changes.
class ScaledIcon {
 public:
  ScaledIcon() = default;
  ScaledIcon(std::string resource, int layoutSize) : resource_(std::move(resource)), size_(layoutSize) {}
  // (Re)loads the icon for this scale; false when there is no icon.
  bool Load(int dpi);
  HICON Get() const { return icon_.get(); }
  int PixelSize() const { return pixels_; }
  explicit operator bool() const { return bool(icon_); }

 private:
  std::string resource_;
  int size_ = 0;
  int pixels_ = 0;
  IconHandle icon_;
};

}  // namespace ui
