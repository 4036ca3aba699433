#include "common/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>  // needs <cstdio> first
#include <jerror.h>

namespace wc {

JpegError::JpegError(const std::string& path, const std::string& detail)
    : std::runtime_error("JPEG error in \"" + path + "\": " + detail), path_(path), detail_(detail) {}

namespace {

// libjpeg reports fatal errors through error_exit, which must not return. We
// jump back to the setjmp of the function that called into the library; only
// plain C data lives between the two, so nothing with a destructor is skipped.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings stay silent, except a premature end of file: libjpeg would pad the
// rest of the picture with grey, and a half-grey wallpaper is worse than an
// error message.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level == -1 && cinfo->err->msg_code == JWRN_JPEG_EOF) ErrorExit(cinfo);
}

void InitErrorManager(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.message[0] = '\0';
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenFile(const std::string& path, const char* mode, const char* action) {
  FilePtr file(std::fopen(path.c_str(), mode));
  if (!file) throw JpegError(path, std::string("cannot open the file for ") + action);
  return file;
}

// Owns a decompressor for the lifetime of one call.
struct Decompressor {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  bool created = false;
  ~Decompressor() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
};

struct Compressor {
  jpeg_compress_struct cinfo;
  ErrorManager err;
  bool created = false;
  ~Compressor() {
    if (created) jpeg_destroy_compress(&cinfo);
  }
};

// Each Step* function holds a setjmp and calls libjpeg only; it returns false
// with the message in d.err when libjpeg failed.
bool StepReadHeader(Decompressor& d, std::FILE* file) {
  d.cinfo.err = &d.err.pub;
  if (setjmp(d.err.jump)) return false;
  jpeg_create_decompress(&d.cinfo);
  d.created = true;
  jpeg_stdio_src(&d.cinfo, file);
  jpeg_read_header(&d.cinfo, TRUE);
  return true;
}

bool StepStart(Decompressor& d) {
  if (setjmp(d.err.jump)) return false;
  switch (d.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE: d.cinfo.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: d.cinfo.out_color_space = JCS_CMYK; break;
    default: d.cinfo.out_color_space = JCS_RGB; break;
  }
  jpeg_start_decompress(&d.cinfo);
  return true;
}

bool StepReadRows(Decompressor& d, JSAMPROW row, uint32_t* pixels) {
  if (setjmp(d.err.jump)) return false;
  const JDIMENSION width = d.cinfo.output_width;
  const int components = d.cinfo.output_components;
  // Adobe writes CMYK inverted (0 = full ink); plain CMYK files do not.
  const bool inverted = d.cinfo.saw_Adobe_marker;
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    uint32_t* out = pixels + static_cast<size_t>(d.cinfo.output_scanline) * width;
    jpeg_read_scanlines(&d.cinfo, &row, 1);
    for (JDIMENSION x = 0; x < width; ++x) {
      const JSAMPLE* p = row + static_cast<size_t>(x) * components;
      uint32_t r, g, b;
      if (components == 1) {
        r = g = b = p[0];
      } else if (components == 4) {
        uint32_t c = p[0], m = p[1], y = p[2], k = p[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        r = c * k / 255;
        g = m * k / 255;
        b = y * k / 255;
      } else {
        r = p[0];
        g = p[1];
        b = p[2];
      }
      out[x] = (r << 16) | (g << 8) | b;
    }
  }
  jpeg_finish_decompress(&d.cinfo);
  return true;
}

// A hostile header may claim 65500 x 65500 pixels; refuse that cleanly
// instead of trying to allocate 16 GB.
constexpr uint64_t kMaxPixels = 0x10000000;  // 256 megapixels, 1 GB decoded

void OpenHeader(Decompressor& d, const std::string& path, std::FILE* file) {
  InitErrorManager(d.err);
  if (!StepReadHeader(d, file)) throw JpegError(path, d.err.message);
}

}  // namespace

JpegInfo ReadJpegInfo(const std::string& path) {
  FilePtr file = OpenFile(path, "rb", "reading");
  Decompressor d;
  OpenHeader(d, path, file.get());
  return JpegInfo{static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height)};
}

Image32 DecodeJpegFile(const std::string& path) {
  FilePtr file = OpenFile(path, "rb", "reading");
  Decompressor d;
  OpenHeader(d, path, file.get());
  if (static_cast<uint64_t>(d.cinfo.image_width) * d.cinfo.image_height > kMaxPixels)
    throw JpegError(path, "the picture is too large to decode");
  if (!StepStart(d)) throw JpegError(path, d.err.message);

  Image32 image = MakeImage(static_cast<int>(d.cinfo.output_width), static_cast<int>(d.cinfo.output_height));
  std::vector<JSAMPLE> row(static_cast<size_t>(d.cinfo.output_width) * d.cinfo.output_components);
  if (!StepReadRows(d, row.data(), image.pixels.data())) throw JpegError(path, d.err.message);
  return image;
}

namespace {

bool StepEncode(Compressor& c, std::FILE* file, const Image32& image, int quality, JSAMPROW row) {
  c.cinfo.err = &c.err.pub;
  if (setjmp(c.err.jump)) return false;
  jpeg_create_compress(&c.cinfo);
  c.created = true;
  jpeg_stdio_dest(&c.cinfo, file);
  c.cinfo.image_width = static_cast<JDIMENSION>(image.width);
  c.cinfo.image_height = static_cast<JDIMENSION>(image.height);
  c.cinfo.input_components = 3;
  c.cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c.cinfo);
  jpeg_set_quality(&c.cinfo, quality, TRUE);
  jpeg_start_compress(&c.cinfo, TRUE);
  while (c.cinfo.next_scanline < c.cinfo.image_height) {
    const uint32_t* in = image.pixels.data() + static_cast<size_t>(c.cinfo.next_scanline) * image.width;
    for (int x = 0; x < image.width; ++x) {
      row[3 * x] = static_cast<JSAMPLE>(in[x] >> 16);
      row[3 * x + 1] = static_cast<JSAMPLE>(in[x] >> 8);
      row[3 * x + 2] = static_cast<JSAMPLE>(in[x]);
    }
    jpeg_write_scanlines(&c.cinfo, &row, 1);
  }
  jpeg_finish_compress(&c.cinfo);
  return true;
}

}  // namespace

void EncodeJpegFile(const std::string& path, const Image32& image, int quality) {
  if (image.empty()) throw JpegError(path, "the picture is empty");
  if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
    throw JpegError(path, "the picture's pixel data does not match its size");
  if (quality < 1) quality = 1;
  if (quality > 100) quality = 100;

  std::vector<JSAMPLE> row(static_cast<size_t>(image.width) * 3);
  FilePtr file = OpenFile(path, "wb", "writing");
  bool ok;
  std::string message;
  {
    Compressor c;
    InitErrorManager(c.err);
    ok = StepEncode(c, file.get(), image, quality, row.data());
    if (!ok) message = c.err.message;
  }
  // libjpeg flushes through stdio; a full disk may only show up on close.
  const bool closed = std::fclose(file.release()) == 0;
  if (ok && !closed) {
    ok = false;
    message = "the file could not be written completely";
  }
  if (!ok) {
    std::remove(path.c_str());
    throw JpegError(path, message);
  }
}

}  // namespace wc
