#include "wallpaper/picture_shape.h"

#include <cstdio>
#include <exception>
#include <vector>

#include "common/jpeg.h"
#include "common/picture_formats.h"

namespace wc {

namespace {

int32_t Little32(std::span<const uint8_t> b, size_t at) {
  return int32_t(uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24);
}
int16_t Little16(std::span<const uint8_t> b, size_t at) { return int16_t(uint16_t(b[at] | b[at + 1] << 8)); }

// A Windows bitmap's size: after the 14-byte file header, an info header of
// 40 bytes or more (32-bit sizes, a negative height for rows top down) or
// an OS/2 core header of 12 (16-bit sizes).
std::optional<Shape> BitmapShape(std::span<const uint8_t> head) {
  if (head.size() < 26) return std::nullopt;
  const int32_t headerSize = Little32(head, 14);
  int64_t width = 0, height = 0;
  if (headerSize == 12) {
    width = Little16(head, 18);
    height = Little16(head, 20);
  } else if (headerSize >= 40) {
    width = Little32(head, 18);
    height = Little32(head, 22);
  } else {
    return std::nullopt;
  }
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0) return std::nullopt;
  return ShapeOf(width, height);
}

}  // namespace

std::optional<Shape> ShapeFromHeader(std::span<const uint8_t> head) {
  switch (SniffPicture(head)) {
    case PictureSignature::Bitmap:
      return BitmapShape(head);
    case PictureSignature::Jpeg:
      try {
        const JpegInfo info = ReadJpegInfoBytes(head, "");
        if (info.width > 0 && info.height > 0) return ShapeOf(info.width, info.height);
      } catch (const std::exception&) {
        // The size lies beyond these bytes, or the header is damaged.
      }
      return std::nullopt;
    default:
      if (const std::optional<ClaimedSize> size = ClaimedPictureSize(head); size && size->width > 0 && size->height > 0) {
        return ShapeOf(size->width, size->height);
      }
      return std::nullopt;
  }
}

std::optional<Shape> ShapeOfPictureFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::vector<uint8_t> head(4096);
  head.resize(std::fread(head.data(), 1, head.size(), file));
  std::fclose(file);
  if (const std::optional<Shape> shape = ShapeFromHeader(head)) return shape;
  // A JPEG whose size comes after a long Exif block: its header read from
  // the file, which stops at the size.
  if (SniffPicture(head) == PictureSignature::Jpeg) {
    try {
      const JpegInfo info = ReadJpegInfo(path);
      if (info.width > 0 && info.height > 0) return ShapeOf(info.width, info.height);
    } catch (const std::exception&) {
      // Damaged: no shape.
    }
  }
  return std::nullopt;
}

}  // namespace wc
