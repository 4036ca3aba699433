#include "common/bmp.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "common/file_write.h"
#include "common/picture_formats.h"

namespace wc {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;  // OS/2: 16-bit sizes, 3-byte palette entries
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;

// biCompression values the system draws.
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
// A compressed picture may take this many pixels whatever the size of its
// data (a 4096 x 4096 picture), else 256 per byte of data: a run covers at
// most 255 pixels with two bytes, and only skipped pixels go further.
constexpr uint64_t kRlePixelsAlways = uint64_t(1) << 24;
constexpr uint64_t kRlePixelsPerByte = 256;

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  Put16(out, at, v);
  Put16(out, at + 2, v >> 16);
}
uint32_t Get16(std::span<const uint8_t> in, size_t at) { return in[at] | (in[at + 1] << 8); }
uint32_t Get32(std::span<const uint8_t> in, size_t at) { return Get16(in, at) | (Get16(in, at + 2) << 16); }

uint64_t RowBytes(uint64_t width, int bitsPerPixel) { return (width * static_cast<uint64_t>(bitsPerPixel) + 31) / 32 * 4; }

[[noreturn]] void Bad(const char* why) { throw std::runtime_error(std::string("Bitmap: ") + why); }

// Both writers: a known depth, at least one row and one column, and a file
// within the 4 GB its 32-bit size fields can describe. Checked before
// anything is allocated or any file touched.
void CheckWritable(int width, int height, int bitsPerPixel) {
  if (bitsPerPixel != 24 && bitsPerPixel != 32) throw std::invalid_argument("Bitmap: only 24 or 32 bits per pixel");
  if (width <= 0 || height <= 0) {
    throw std::invalid_argument("Bitmap: a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                                " pixels has nothing to write");
  }
  const uint64_t imageSize = RowBytes(static_cast<uint64_t>(width), bitsPerPixel) * static_cast<uint64_t>(height);
  if (imageSize + kPixelOffset > 0xFFFFFFFFu) throw std::invalid_argument("Bitmap: the picture is too large for a bitmap file");
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const Image32& image, int bitsPerPixel) {
  CheckWritable(image.width, image.height, bitsPerPixel);
  const int width = image.width;
  const int height = image.height;
  if (image.pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
    throw std::invalid_argument("Bitmap: pixel data does not match the picture's size");
  const size_t row = static_cast<size_t>(RowBytes(static_cast<uint64_t>(width), bitsPerPixel));
  const size_t imageSize = row * static_cast<size_t>(height);

  std::vector<uint8_t> out(kPixelOffset + imageSize, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<uint32_t>(out.size()));
  Put32(out, 10, kPixelOffset);
  Put32(out, 14, kInfoHeaderSize);
  Put32(out, 18, static_cast<uint32_t>(width));
  Put32(out, 22, static_cast<uint32_t>(height));  // positive: bottom-up
  Put16(out, 26, 1);                               // planes
  Put16(out, 28, static_cast<uint32_t>(bitsPerPixel));
  Put32(out, 30, 0);  // BI_RGB
  Put32(out, 34, static_cast<uint32_t>(imageSize));
  Put32(out, 38, 2835);  // 72 dpi
  Put32(out, 42, 2835);

  const size_t bytesPerPixel = static_cast<size_t>(bitsPerPixel / 8);
  for (int y = 0; y < height; ++y) {
    size_t at = kPixelOffset + static_cast<size_t>(height - 1 - y) * row;
    for (int x = 0; x < width; ++x, at += bytesPerPixel) {
      const uint32_t p = image.pixels[static_cast<size_t>(y) * width + x];
      out[at] = static_cast<uint8_t>(p);
      out[at + 1] = static_cast<uint8_t>(p >> 8);
      out[at + 2] = static_cast<uint8_t>(p >> 16);
    }
  }
  return out;
}

namespace {

// One colour of a 16- or 32-bit pixel: the bits under its mask, moved down
// and made 8 bits wide. A narrower colour repeats its bits (5 bits 10000
// give 10000100), so that full scale stays full scale, as the system draws
// it; of a wider one the top 8 bits count. A colour without a mask is 0.
class Channel {
 public:
  explicit Channel(uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    shift_ = std::countr_zero(mask);
    const int width = 32 - std::countl_zero(mask >> shift_);
    const int kept = std::min(width, 8);
    drop_ = width - kept;
    for (uint32_t v = 0; v < (1u << kept); ++v) {
      uint32_t repeated = 0;
      int filled = 0;
      for (; filled < 8; filled += kept) repeated = repeated << kept | v;
      scale_[v] = static_cast<uint8_t>(repeated >> (filled - 8));
    }
  }
  uint32_t operator()(uint32_t pixel) const { return scale_[(pixel & mask_) >> shift_ >> drop_]; }

 private:
  uint32_t mask_;
  int shift_ = 0;
  int drop_ = 0;
  uint8_t scale_[256] = {};
};

struct BmpHeader {
  uint32_t offset = 0;
  bool core = false;
  int width = 0;
  int height = 0;
  bool topDown = false;
  uint32_t bits = 0;
  uint32_t compression = kRgb;
  uint32_t masks[3] = {};          // red, green, blue, for 16 and 32 bits
  uint32_t palette[256] = {};      // entries the file does not give stay black
};

bool KnownKind(uint32_t headerSize, uint32_t bits, uint32_t compression) {
  if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize) return false;  // OS/2's later headers
  switch (bits) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
  }
  return compression <= kBitFields;  // not JPEG or PNG inside, nor CMYK
}

BmpHeader ReadHeader(std::span<const uint8_t> bytes) {
  BmpHeader h;
  if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') Bad("not a bitmap file");
  h.offset = Get32(bytes, 10);
  const uint32_t headerSize = Get32(bytes, 14);
  h.core = headerSize == kCoreHeaderSize;
  // OS/2's later headers are 16 to 64 bytes long and begin as the 40-byte one.
  if (headerSize < kCoreHeaderSize || (!h.core && headerSize < 16)) Bad("the header is damaged");
  if (bytes.size() < kFileHeaderSize + std::min<size_t>(headerSize, kInfoHeaderSize)) Bad("not a bitmap file");
  // A field of the header, or `otherwise` where the header is too short to hold it.
  auto field = [&](size_t at, uint32_t otherwise) {
    return kFileHeaderSize + headerSize >= at + 4 ? Get32(bytes, at) : otherwise;
  };
  int64_t width, height;
  uint32_t colours = 0, imageSize = 0;
  if (h.core) {
    width = Get16(bytes, 18);
    height = Get16(bytes, 20);
    h.bits = Get16(bytes, 24);
  } else {
    width = static_cast<int32_t>(Get32(bytes, 18));
    height = static_cast<int32_t>(Get32(bytes, 22));
    h.bits = Get16(bytes, 28);
    h.compression = field(30, kRgb);
    imageSize = field(34, 0);
    colours = field(46, 0);
  }
  // What every kind must pass, the ones this reader does not decode
  // included: a size within the limit every picture has, and pixel data
  // inside the file.
  if (width <= 0 || height == 0 || height == INT32_MIN) Bad("the picture has no pixels or an invalid size");
  h.topDown = height < 0;
  h.width = static_cast<int>(width);
  h.height = static_cast<int>(h.topDown ? -height : height);
  if (!PictureSizeAllowed(h.width, h.height)) {
    throw std::runtime_error("Bitmap: " + PictureSizeRefusal(h.width, h.height));
  }
  if (h.offset > bytes.size()) Bad("pixel data is truncated");
  if (!KnownKind(headerSize, h.bits, h.compression)) {
    const uint64_t available = bytes.size() - h.offset;
    // Pixels stored as they are (2 or 64 bits, masks with alpha): every
    // row in the file. Compressed ones: at least the length the header gives.
    const bool stored = h.compression == kRgb || h.compression == 6;
    const bool rowsMissing =
        stored && h.bits != 0 && uint64_t(h.height) > available / RowBytes(uint64_t(h.width), int(h.bits));
    if (available == 0 || rowsMissing || (!stored && imageSize > available)) {
      Bad("pixel data is truncated");
    }
    throw BmpUnsupported("Bitmap: this kind of bitmap (" + std::to_string(h.bits) + " bits per pixel, compression " +
                         std::to_string(h.compression) + ") is not one this reader decodes");
  }
  if ((h.compression == kRle8 && h.bits != 8) || (h.compression == kRle4 && h.bits != 4) ||
      (h.compression == kBitFields && h.bits != 16 && h.bits != 32)) {
    Bad("the compression does not suit the number of bits per pixel");
  }
  if (h.topDown && h.compression != kRgb && h.compression != kBitFields) Bad("a compressed bitmap cannot be stored top-down");

  if (h.compression == kBitFields) {
    // After a 40-byte header, or inside a longer one: the same place.
    if (bytes.size() < kPixelOffset + 12) Bad("the colour masks are truncated");
    for (int i = 0; i < 3; ++i) h.masks[i] = Get32(bytes, kPixelOffset + 4 * size_t(i));
  } else if (h.bits == 16) {
    h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
  } else if (h.bits == 32) {
    h.masks[0] = 0xFF0000, h.masks[1] = 0x00FF00, h.masks[2] = 0x0000FF;
  }

  if (h.bits <= 8) {
    // The palette follows the header: as many entries as the header says
    // (all the depth allows when it says 0), no more than the depth allows,
    // and only those before the pixels and inside the file.
    const size_t entrySize = h.core ? 3 : 4;
    const uint64_t start = kFileHeaderSize + uint64_t(headerSize);
    uint64_t count = uint64_t(1) << h.bits;
    if (colours != 0) count = std::min<uint64_t>(count, colours);
    const uint64_t end = h.offset >= start ? h.offset : bytes.size();
    count = start < end ? std::min<uint64_t>(count, (end - start) / entrySize) : 0;
    for (size_t i = 0; i < count; ++i) {
      const size_t at = size_t(start) + i * entrySize;
      h.palette[i] = MakePixel(bytes[at + 2], bytes[at + 1], bytes[at]);
    }
  }
  return h;
}

// The rows of an uncompressed picture, each turned into 32-bit pixels.
void DecodeRows(std::span<const uint8_t> bytes, const BmpHeader& h, const BmpTarget& target) {
  const size_t row = static_cast<size_t>(RowBytes(static_cast<uint64_t>(h.width), static_cast<int>(h.bits)));
  const size_t width = static_cast<size_t>(h.width);
  const uint32_t* palette = h.palette;
  const bool plain32 = h.masks[0] == 0xFF0000 && h.masks[1] == 0x00FF00 && h.masks[2] == 0x0000FF;
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  for (int y = 0; y < h.height; ++y) {
    const int stored = h.topDown ? y : h.height - 1 - y;
    const uint8_t* in = bytes.data() + h.offset + static_cast<size_t>(stored) * row;
    uint32_t* out = target.pixels + static_cast<size_t>(y) * target.stride;
    switch (h.bits) {
      case 24:
        for (size_t x = 0; x < width; ++x, in += 3) out[x] = MakePixel(in[2], in[1], in[0]);
        break;
      case 32:
        if (plain32) {
          for (size_t x = 0; x < width; ++x, in += 4) out[x] = MakePixel(in[2], in[1], in[0]);
        } else {
          for (size_t x = 0; x < width; ++x, in += 4) {
            const uint32_t p = in[0] | in[1] << 8 | in[2] << 16 | uint32_t(in[3]) << 24;
            out[x] = red(p) << 16 | green(p) << 8 | blue(p);
          }
        }
        break;
      case 16:
        for (size_t x = 0; x < width; ++x, in += 2) {
          const uint32_t p = in[0] | in[1] << 8;
          out[x] = red(p) << 16 | green(p) << 8 | blue(p);
        }
        break;
      case 8:
        for (size_t x = 0; x < width; ++x) out[x] = palette[in[x]];
        break;
      case 4:
        for (size_t x = 0; x < width; ++x) out[x] = palette[(in[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F];
        break;
      case 1:
        for (size_t x = 0; x < width; ++x) out[x] = palette[(in[x / 8] >> (7 - x % 8)) & 1];
        break;
    }
  }
}

// BI_RLE8 and BI_RLE4, rows bottom-up: pairs of a count and a colour index
// (two alternating indices in RLE4), or after a count of 0 an escape: 0 ends
// the row, 1 the picture, 2 moves right and up by the next two bytes, 3 to
// 255 that many indices follow as they are, padded to an even number of
// bytes. Whatever falls outside the picture is dropped; data that ends
// before the last row is truncated.
void DecodeRle(std::span<const uint8_t> bytes, const BmpHeader& h, const BmpTarget& target) {
  for (int y = 0; y < h.height; ++y) {
    std::fill_n(target.pixels + static_cast<size_t>(y) * target.stride, static_cast<size_t>(h.width), 0u);
  }
  const bool four = h.compression == kRle4;
  const uint32_t* palette = h.palette;
  const uint8_t* in = bytes.data() + h.offset;
  const uint8_t* const end = bytes.data() + bytes.size();
  const int64_t width = h.width;
  int64_t x = 0, y = 0;  // y counts rows from the bottom
  // The next pixel of the row; past the row's end it is dropped.
  auto put = [&](uint32_t colour) {
    if (x < width) target.pixels[static_cast<size_t>(h.height - 1 - y) * target.stride + static_cast<size_t>(x)] = colour;
    ++x;
  };
  bool finished = false;
  while (!finished && y < h.height && end - in >= 2) {
    const unsigned count = in[0], value = in[1];
    in += 2;
    if (count > 0) {
      const uint32_t first = palette[four ? value >> 4 : value], second = palette[four ? value & 0x0F : value];
      const int64_t runEnd = x + count;
      for (unsigned i = 0; x < std::min(runEnd, width); ++i) put(i % 2 ? second : first);
      x = runEnd;
      continue;
    }
    switch (value) {
      case 0:
        x = 0;
        ++y;
        break;
      case 1:
        finished = true;
        break;
      case 2:
        if (end - in < 2) Bad("pixel data is truncated");
        x += in[0];
        y += in[1];
        in += 2;
        break;
      default: {
        const size_t used = four ? (value + 1) / 2 : value;
        if (static_cast<size_t>(end - in) < used) Bad("pixel data is truncated");
        for (unsigned i = 0; i < value; ++i) put(palette[four ? (in[i / 2] >> (i % 2 ? 0 : 4)) & 0x0F : in[i]]);
        in += std::min<size_t>(used + used % 2, static_cast<size_t>(end - in));
        break;
      }
    }
  }
  if (!finished && y < h.height - 1) Bad("pixel data is truncated");
}

// The headers, and whether the data can hold what they claim.
BmpHeader CheckedHeader(std::span<const uint8_t> bytes) {
  const BmpHeader h = ReadHeader(bytes);
  const uint64_t available = bytes.size() - h.offset;
  const uint64_t pixels = static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.height);
  if (h.compression == kRle8 || h.compression == kRle4) {
    if (pixels > std::max(kRlePixelsAlways, kRlePixelsPerByte * available)) {
      Bad("the picture is larger than its compressed data can describe");
    }
  } else {
    const uint64_t row = RowBytes(static_cast<uint64_t>(h.width), static_cast<int>(h.bits));
    if (static_cast<uint64_t>(h.height) > available / row) Bad("pixel data is truncated");
  }
  return h;
}

}  // namespace

BmpSize CheckBmpHeaders(std::span<const uint8_t> bytes) {
  const BmpHeader h = CheckedHeader(bytes);
  return {h.width, h.height};
}

void DecodeBmpInto(std::span<const uint8_t> bytes, const BmpAllocate& allocate) {
  const BmpHeader h = CheckedHeader(bytes);
  const bool rle = h.compression == kRle8 || h.compression == kRle4;
  const BmpTarget target = allocate(h.width, h.height);
  if (!target.pixels || target.stride < static_cast<size_t>(h.width)) {
    throw std::invalid_argument("Bitmap: no memory to decode into");
  }
  if (rle) {
    DecodeRle(bytes, h, target);
  } else {
    DecodeRows(bytes, h, target);
  }
}

Image32 DecodeBmp(const std::vector<uint8_t>& bytes) {
  Image32 image;
  DecodeBmpInto(bytes, [&](int width, int height) {
    image = MakeImage(width, height);
    return BmpTarget{image.pixels.data(), static_cast<size_t>(width)};
  });
  return image;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  ReplacingFile file(path);
  if (!file.get()) throw std::runtime_error("Cannot create file \"" + path + "\"");
  const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (!written || !file.Finish()) throw std::runtime_error("Cannot write file \"" + path + "\"");
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (!file) throw std::runtime_error("Cannot open file \"" + path + "\"");
  // Read in one piece when the size is known (a large bitmap is in memory
  // once, without regrowing), then whatever may follow.
  std::vector<uint8_t> bytes;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(file.get());
    if (size > 0) bytes.resize(static_cast<size_t>(size));
  }
  std::rewind(file.get());
  bytes.resize(bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file.get()));
  uint8_t buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  if (std::ferror(file.get())) throw std::runtime_error("Cannot read file \"" + path + "\"");
  return bytes;
}

void WriteBmpFile(const std::string& path, const uint32_t* pixels, int width, int height, int bitsPerPixel) {
  CheckWritable(width, height, bitsPerPixel);
  if (!pixels) throw std::invalid_argument("Bitmap: no pixels to write");
  WriteBmpFile(path, width, height, bitsPerPixel,
               [&](int y) { return pixels + static_cast<size_t>(y) * static_cast<size_t>(width); });
}

void WriteBmpFile(const std::string& path, int width, int height, int bitsPerPixel,
                  const std::function<const uint32_t*(int y)>& rowOf) {
  CheckWritable(width, height, bitsPerPixel);
  const uint64_t stride = RowBytes(static_cast<uint64_t>(width), bitsPerPixel);
  const uint64_t imageSize = stride * static_cast<uint64_t>(height);
  std::vector<uint8_t> header(kPixelOffset, 0);
  header[0] = 'B';
  header[1] = 'M';
  Put32(header, 2, static_cast<uint32_t>(kPixelOffset + imageSize));
  Put32(header, 10, kPixelOffset);
  Put32(header, 14, kInfoHeaderSize);
  Put32(header, 18, static_cast<uint32_t>(width));
  Put32(header, 22, static_cast<uint32_t>(height));  // positive: bottom-up rows
  Put16(header, 26, 1);
  Put16(header, 28, static_cast<uint32_t>(bitsPerPixel));
  Put32(header, 34, static_cast<uint32_t>(imageSize));
  Put32(header, 38, 3780);
  Put32(header, 42, 3780);
  // About a megabyte of rows per write, allocated before the file is opened.
  const size_t rowsPerChunk = std::min<size_t>(size_t(height), std::max<size_t>(1, size_t((1u << 20) / stride)));
  std::vector<uint8_t> chunk(size_t(stride) * rowsPerChunk, 0);

  // Written beside: a write that fails half-way (a full disk) leaves the file
  // that was there (the desktop's wallpaper, say) as it was.
  ReplacingFile file(path);
  if (!file.get()) throw std::runtime_error("Cannot create file \"" + path + "\". " + std::strerror(errno));
  auto fail = [&] { throw std::runtime_error("Cannot write file \"" + path + "\". " + std::strerror(errno)); };
  if (std::fwrite(header.data(), 1, header.size(), file.get()) != header.size()) fail();
  size_t filled = 0;
  for (int y = height - 1; y >= 0; --y) {
    const uint32_t* row = rowOf(y);
    if (!row) throw std::invalid_argument("Bitmap: row " + std::to_string(y) + " of the picture is missing");
    uint8_t* out = chunk.data() + filled * size_t(stride);
    if (bitsPerPixel == 32) {
      // Byte 3 goes out as 0, as from EncodeBmp: a reader may take it for alpha.
      for (int x = 0; x < width; ++x) {
        const uint32_t p = row[x] & 0xFFFFFFu;
        std::memcpy(out + 4 * static_cast<size_t>(x), &p, 4);
      }
    } else {
      for (int x = 0; x < width; ++x) {
        const uint32_t p = row[x];
        out[0] = static_cast<uint8_t>(p);
        out[1] = static_cast<uint8_t>(p >> 8);
        out[2] = static_cast<uint8_t>(p >> 16);
        out += 3;
      }
    }
    if (++filled == rowsPerChunk || y == 0) {
      if (std::fwrite(chunk.data(), 1, filled * size_t(stride), file.get()) != filled * size_t(stride)) fail();
      filled = 0;
    }
  }
  if (std::fflush(file.get()) != 0) fail();
  if (!file.Finish()) throw std::runtime_error("Cannot write file \"" + path + "\"");
}

void WriteBmpFile(const std::string& path, const Image32& image, int bitsPerPixel) {
  CheckWritable(image.width, image.height, bitsPerPixel);
  if (image.pixels.size() < static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
    throw std::invalid_argument("Bitmap: the pixels do not fill the picture");
  }
  WriteBmpFile(path, image.pixels.data(), image.width, image.height, bitsPerPixel);
}

}  // namespace wc
