#include "common/bmp.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>

namespace wc {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  Put16(out, at, v);
  Put16(out, at + 2, v >> 16);
}
uint32_t Get16(const std::vector<uint8_t>& in, size_t at) { return in[at] | (in[at + 1] << 8); }
uint32_t Get32(const std::vector<uint8_t>& in, size_t at) { return Get16(in, at) | (Get16(in, at + 2) << 16); }

uint64_t RowBytes(uint64_t width, int bitsPerPixel) { return (width * static_cast<uint64_t>(bitsPerPixel) + 31) / 32 * 4; }

[[noreturn]] void Bad(const char* why) { throw std::runtime_error(std::string("Bitmap: ") + why); }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

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

std::filesystem::path Utf8Path(const std::string& path) { return std::filesystem::path(std::u8string(path.begin(), path.end())); }

// A file written beside its target and put in its place only once it is
// whole: a write that fails half-way (a full disk) leaves the file that was
// there (the desktop's wallpaper, say) as it was, and no part-written copy.
class PartialFile {
 public:
  explicit PartialFile(const std::string& path)
      : path_(path), temp_(path + ".new"), file_(std::fopen(temp_.c_str(), "wb")) {}
  ~PartialFile() {
    if (file_) file_.reset();
    if (!finished_) std::remove(temp_.c_str());
  }
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;
  std::FILE* get() const { return file_.get(); }
  // Closes the file and puts it in place; false when the system could not
  // write it all or replace the target.
  bool Finish() {
    if (std::fclose(file_.release()) != 0) return false;
    std::error_code error;
    std::filesystem::rename(Utf8Path(temp_), Utf8Path(path_), error);
    finished_ = !error;
    return finished_;
  }

 private:
  std::string path_, temp_;
  std::unique_ptr<std::FILE, FileCloser> file_;
  bool finished_ = false;
};

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

Image32 DecodeBmp(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < kPixelOffset || bytes[0] != 'B' || bytes[1] != 'M') Bad("not a bitmap file");
  const uint32_t offset = Get32(bytes, 10);
  const uint32_t headerSize = Get32(bytes, 14);
  if (headerSize < kInfoHeaderSize) Bad("unsupported header");
  const int32_t width = static_cast<int32_t>(Get32(bytes, 18));
  const int32_t rawHeight = static_cast<int32_t>(Get32(bytes, 22));
  const uint32_t bits = Get16(bytes, 28);
  const uint32_t compression = Get32(bytes, 30);
  // BI_BITFIELDS with 32 bits is accepted when its masks are the usual ones;
  // we only read the bytes as blue, green, red.
  if (bits != 24 && bits != 32) Bad("only 24- and 32-bit bitmaps are supported");
  if (compression != 0 && !(compression == 3 && bits == 32)) Bad("compressed bitmaps are not supported");
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) Bad("the picture has no pixels or an invalid size");
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
  const uint64_t row = RowBytes(static_cast<uint64_t>(width), static_cast<int>(bits));
  if (offset > bytes.size() || row * static_cast<uint64_t>(height) > bytes.size() - offset) Bad("pixel data is truncated");

  Image32 image = MakeImage(width, static_cast<int>(height));
  const size_t bytesPerPixel = bits / 8;
  for (int y = 0; y < image.height; ++y) {
    const int64_t stored = topDown ? y : height - 1 - y;
    size_t at = offset + static_cast<size_t>(stored) * static_cast<size_t>(row);
    for (int x = 0; x < image.width; ++x, at += bytesPerPixel) {
      image.pixels[static_cast<size_t>(y) * image.width + x] = MakePixel(bytes[at + 2], bytes[at + 1], bytes[at]);
    }
  }
  return image;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  PartialFile file(path);
  if (!file.get()) throw std::runtime_error("Cannot create file \"" + path + "\"");
  const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (!written || !file.Finish()) throw std::runtime_error("Cannot write file \"" + path + "\"");
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw std::runtime_error("Cannot open file \"" + path + "\"");
  std::vector<uint8_t> bytes;
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

  PartialFile file(path);
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
