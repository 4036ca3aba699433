#include "common/jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <jpeglib.h>  // needs <cstdio> first
#include <jerror.h>

#include "common/file_write.h"

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

[[noreturn]] void Fail(j_common_ptr cinfo, const char* text) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::snprintf(err->message, sizeof err->message, "%s", text);
  std::longjmp(err->jump, 1);
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  // Without a backing store this is how libjpeg says the memory limit is hit.
  if (cinfo->err->msg_code == JERR_NO_BACKING_STORE) Fail(cinfo, "the picture needs more memory than a wallpaper may take");
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

[[noreturn]] void Raise(j_common_ptr cinfo, int code) {
  cinfo->err->msg_code = code;
  ErrorExit(cinfo);
}

// A warning means libjpeg met damaged data and goes on with made-up pixels:
// grey where data is missing, noise after a bad code. A wallpaper made of
// those is worse than an error message. Only the warnings about side
// information that leaves every pixel as encoded stay silent.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level != -1) return;  // trace messages
  switch (cinfo->err->msg_code) {
    case JWRN_ADOBE_XFORM:  // unknown colour transform code: the component count decides
    case JWRN_JFIF_MAJOR:   // a newer JFIF revision
      return;
    default:
      ErrorExit(cinfo);
  }
}

void InitErrorManager(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = EmitMessage;
  err.message[0] = '\0';
}


UniqueFile OpenFile(const std::string& path, const char* mode, const char* action) {
  UniqueFile file(std::fopen(path.c_str(), mode));
  if (!file) throw JpegError(path, std::string("cannot open the file for ") + action);
  return file;
}

// libjpeg's own memory. A progressive file keeps all its coefficients, 2
// bytes a sample: 768 MB for the largest picture with three full-resolution
// components; the rest are row buffers. Beyond it libjpeg fails, as it has
// no backing store.
constexpr long kLibraryMemory = 800L << 20;
constexpr int kMaxScans = 256;  // encoders write about ten

// Feeds libjpeg from memory or from an open file. At the end of the data it
// hands over one end-of-image marker, so that a file whose only fault is a
// missing final marker still decodes; a scan still wanting data then makes
// libjpeg warn, which is an error here. Where no warning would come, the end
// is an error at once.
struct Source {
  jpeg_source_mgr pub{};
  std::FILE* file = nullptr;
  std::vector<JOCTET> buffer;
  bool gotData = false;
  bool ended = false;
};

bool AllCoefficientsComplete(j_decompress_ptr cinfo) {
  if (!cinfo->coef_bits) return false;
  for (int c = 0; c < cinfo->num_components; ++c)
    for (int k = 0; k < DCTSIZE2; ++k)
      if (cinfo->coef_bits[c][k] != 0) return false;
  return true;
}

boolean EndOfData(j_decompress_ptr cinfo, Source& src) {
  const auto common = reinterpret_cast<j_common_ptr>(cinfo);
  if (!src.gotData) Raise(common, JERR_INPUT_EMPTY);
  // Wanting more after the marker given: a segment is cut short.
  if (src.ended) Raise(common, JWRN_JPEG_EOF);
  // An arithmetic-coded scan may end early by design (the decoder goes on
  // with zeros), and a progressive file may stop after any scan: without
  // the end marker, a cut there is only known from coefficients that never
  // got their last bit.
  if (cinfo->arith_code) Raise(common, JWRN_JPEG_EOF);
  if (cinfo->progressive_mode && !AllCoefficientsComplete(cinfo)) Raise(common, JWRN_JPEG_EOF);
  static const JOCTET kEndMarker[2] = {0xFF, JPEG_EOI};
  src.ended = true;
  src.pub.next_input_byte = kEndMarker;
  src.pub.bytes_in_buffer = sizeof kEndMarker;
  return TRUE;
}

boolean FillInput(j_decompress_ptr cinfo) {
  Source& src = *reinterpret_cast<Source*>(cinfo->src);
  if (src.file && !src.ended) {
    const size_t got = std::fread(src.buffer.data(), 1, src.buffer.size(), src.file);
    if (got > 0) {
      src.gotData = true;
      src.pub.next_input_byte = src.buffer.data();
      src.pub.bytes_in_buffer = got;
      return TRUE;
    }
    if (std::ferror(src.file)) Fail(reinterpret_cast<j_common_ptr>(cinfo), "the file could not be read");
  }
  return EndOfData(cinfo, src);
}

void SkipInput(j_decompress_ptr cinfo, long count) {
  jpeg_source_mgr& pub = *cinfo->src;
  if (count <= 0) return;
  while (static_cast<unsigned long>(count) > pub.bytes_in_buffer) {
    count -= static_cast<long>(pub.bytes_in_buffer);
    FillInput(cinfo);
  }
  pub.next_input_byte += count;
  pub.bytes_in_buffer -= static_cast<size_t>(count);
}

void NoSourceWork(j_decompress_ptr) {}

void ReadFrom(Source& src, std::FILE* file) {
  src.file = file;
  src.buffer.resize(65536);
}

void ReadFrom(Source& src, std::span<const uint8_t> bytes) {
  src.pub.next_input_byte = bytes.data();
  src.pub.bytes_in_buffer = bytes.size();
  src.gotData = !bytes.empty();
}

void CountScans(j_common_ptr cinfo) {
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
    Fail(cinfo, "the file has more scans than any encoder writes");
}

// Owns a decompressor for the lifetime of one call.
struct Decompressor {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  Source source;
  jpeg_progress_mgr progress{};
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
bool StepReadHeader(Decompressor& d) {
  d.cinfo.err = &d.err.pub;
  if (setjmp(d.err.jump)) return false;
  jpeg_create_decompress(&d.cinfo);
  d.created = true;
  d.cinfo.mem->max_memory_to_use = kLibraryMemory;
  d.progress.progress_monitor = CountScans;
  d.cinfo.progress = &d.progress;
  d.source.pub.init_source = NoSourceWork;
  d.source.pub.fill_input_buffer = FillInput;
  d.source.pub.skip_input_data = SkipInput;
  d.source.pub.resync_to_restart = jpeg_resync_to_restart;
  d.source.pub.term_source = NoSourceWork;
  d.cinfo.src = &d.source.pub;
  jpeg_read_header(&d.cinfo, TRUE);
  return true;
}

// The colour files libjpeg-turbo can turn into our pixel layout itself.
bool DirectToPixels(const jpeg_decompress_struct& cinfo) {
  return cinfo.jpeg_color_space == JCS_YCbCr || cinfo.jpeg_color_space == JCS_RGB;
}

// For a file of several scans this reads them all.
bool StepStart(Decompressor& d) {
  if (setjmp(d.err.jump)) return false;
  switch (d.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE: d.cinfo.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: d.cinfo.out_color_space = JCS_CMYK; break;
    default: d.cinfo.out_color_space = DirectToPixels(d.cinfo) ? JCS_EXT_BGRX : JCS_RGB; break;
  }
  jpeg_start_decompress(&d.cinfo);
  return true;
}

// Where the decoded rows go. Band(first, count) gives the memory of rows
// first .. first + count - 1, `stride` bytes apart.
class RowTarget {
 public:
  explicit RowTarget(size_t stride) : stride(stride) {}
  virtual uint8_t* Band(size_t first, size_t count) = 0;
  const size_t stride;

 protected:
  ~RowTarget() = default;
};

// A picture that grows a band at a time inside the capacity reserved for
// it, so a file whose data ends early has only touched the rows it filled.
class GrowingImage final : public RowTarget {
 public:
  GrowingImage(std::vector<uint32_t>& pixels, size_t width) : RowTarget(width * 4), pixels_(pixels), width_(width) {}
  uint8_t* Band(size_t first, size_t count) override {
    pixels_.resize((first + count) * width_);
    return reinterpret_cast<uint8_t*>(pixels_.data() + first * width_);
  }

 private:
  std::vector<uint32_t>& pixels_;
  size_t width_;
};

class CallerMemory final : public RowTarget {
 public:
  explicit CallerMemory(const JpegTarget& target) : RowTarget(target.stride), pixels_(target.pixels) {}
  uint8_t* Band(size_t first, size_t) override { return pixels_ + first * stride; }

 private:
  uint8_t* pixels_;
};

// Rows asked for in one call: a colour file's rows come in groups of up to
// 16 (two block rows of a half-height chroma), and each call costs a little.
constexpr JDIMENSION kBandRows = 16;

// libjpeg-turbo decodes a colour file straight into the target, blue, green,
// red and 0xFF; the fourth byte is cleared while the rows are still in the
// cache.
void ReadDirect(Decompressor& d, RowTarget& target) {
  const JDIMENSION width = d.cinfo.output_width, height = d.cinfo.output_height;
  JSAMPROW rows[kBandRows];
  while (d.cinfo.output_scanline < height) {
    const JDIMENSION first = d.cinfo.output_scanline;
    const JDIMENSION count = std::min(kBandRows, height - first);
    uint8_t* band = target.Band(first, count);
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = band + i * target.stride;
    const JDIMENSION got = jpeg_read_scanlines(&d.cinfo, rows, count);
    for (JDIMENSION i = 0; i < got; ++i) {
      uint32_t* out = reinterpret_cast<uint32_t*>(rows[i]);
      for (JDIMENSION x = 0; x < width; ++x) out[x] &= 0x00FFFFFFu;
    }
  }
}

// Grey and CMYK rows, a row at a time through `row`, turned into RGB.
void ReadConverted(Decompressor& d, JSAMPROW row, RowTarget& target) {
  const JDIMENSION width = d.cinfo.output_width;
  const int components = d.cinfo.output_components;
  // Adobe writes CMYK inverted (0 = full ink); plain CMYK files do not.
  const bool inverted = d.cinfo.saw_Adobe_marker;
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    uint32_t* out = reinterpret_cast<uint32_t*>(target.Band(d.cinfo.output_scanline, 1));
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
}

// `row` is the conversion buffer of files that need one (null otherwise).
bool StepReadRows(Decompressor& d, JSAMPROW row, RowTarget& target) {
  if (setjmp(d.err.jump)) return false;
  if (row) {
    ReadConverted(d, row, target);
  } else {
    ReadDirect(d, target);
  }
  jpeg_finish_decompress(&d.cinfo);
  return true;
}

void OpenHeader(Decompressor& d, const std::string& name) {
  InitErrorManager(d.err);
  if (!StepReadHeader(d)) throw JpegError(name, d.err.message);
}

JpegInfo Info(Decompressor& d, const std::string& name) {
  OpenHeader(d, name);
  return JpegInfo{static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height)};
}

// The largest of 1/2, 1/4 and 1/8 that keeps the longer side at least
// `longSide` pixels long (libjpeg rounds a reduced side up); 1 for none.
unsigned ReductionFor(uint64_t width, uint64_t height, int longSide) {
  if (longSide <= 0) return 1;
  const uint64_t longer = std::max(width, height);
  unsigned denominator = 1;
  while (denominator < 8 && (longer + 2 * denominator - 1) / (2 * denominator) >= static_cast<uint64_t>(longSide)) {
    denominator *= 2;
  }
  return denominator;
}

// Reads the header, checks the size and starts decoding, reduced for a
// `longSide` above 0; then `allocate` gives the target for the picture's
// rows, which are read into it.
template <typename Allocate>
void Decode(Decompressor& d, const std::string& name, Allocate allocate, int longSide) {
  OpenHeader(d, name);
  const uint64_t width = d.cinfo.image_width, height = d.cinfo.image_height;
  if (width > kMaxJpegSide || height > kMaxJpegSide || width * height > static_cast<uint64_t>(kMaxJpegPixels)) {
    throw JpegError(name, "the picture is " + std::to_string(width) + " x " + std::to_string(height) +
                              " pixels; a wallpaper may have at most " + std::to_string(kMaxJpegSide) +
                              " pixels a side and " + std::to_string(kMaxJpegPixels / 1000000) + " megapixels");
  }
  d.cinfo.scale_num = 1;
  d.cinfo.scale_denom = ReductionFor(width, height, longSide);
  if (!StepStart(d)) throw JpegError(name, d.err.message);
  // A scan that never came leaves its component grey, and libjpeg says nothing.
  for (int c = 0; c < d.cinfo.num_components; ++c) {
    if (!d.cinfo.comp_info[c].quant_table) throw JpegError(name, "the file has no data for one of its colour components");
  }
  std::vector<JSAMPLE> row;
  if (d.cinfo.out_color_space != JCS_EXT_BGRX) {
    row.resize(static_cast<size_t>(d.cinfo.output_width) * d.cinfo.output_components);
  }
  RowTarget& target = allocate(static_cast<int>(d.cinfo.output_width), static_cast<int>(d.cinfo.output_height));
  if (!StepReadRows(d, row.empty() ? nullptr : row.data(), target)) throw JpegError(name, d.err.message);
}

Image32 DecodeImage(Decompressor& d, const std::string& name, int longSide = 0) {
  Image32 image;
  std::optional<GrowingImage> target;
  Decode(d, name, [&](int width, int height) -> RowTarget& {
    image.width = width;
    image.height = height;
    try {
      image.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    } catch (const std::bad_alloc&) {
      throw JpegError(name, "there is not enough memory to decode the picture");
    }
    return target.emplace(image.pixels, static_cast<size_t>(width));
  }, longSide);
  return image;
}

void DecodeInto(Decompressor& d, const std::string& name, const JpegAllocate& allocate, int longSide) {
  std::optional<CallerMemory> target;
  Decode(d, name, [&](int width, int height) -> RowTarget& {
    const JpegTarget given = allocate(width, height);
    if (!given.pixels || given.stride < static_cast<size_t>(width) * 4)
      throw JpegError(name, "there is no memory to decode the picture into");
    return target.emplace(given);
  }, longSide);
}

}  // namespace

JpegInfo ReadJpegInfo(const std::string& path) {
  UniqueFile file = OpenFile(path, "rb", "reading");
  Decompressor d;
  ReadFrom(d.source, file.get());
  return Info(d, path);
}

JpegInfo ReadJpegInfoBytes(std::span<const uint8_t> bytes, const std::string& name) {
  Decompressor d;
  ReadFrom(d.source, bytes);
  return Info(d, name);
}

Image32 DecodeJpegFile(const std::string& path) {
  UniqueFile file = OpenFile(path, "rb", "reading");
  Decompressor d;
  ReadFrom(d.source, file.get());
  return DecodeImage(d, path);
}

Image32 DecodeJpegFileReduced(const std::string& path, int longSide) {
  UniqueFile file = OpenFile(path, "rb", "reading");
  Decompressor d;
  ReadFrom(d.source, file.get());
  return DecodeImage(d, path, longSide);
}

Image32 DecodeJpegBytes(std::span<const uint8_t> bytes, const std::string& name) {
  Decompressor d;
  ReadFrom(d.source, bytes);
  return DecodeImage(d, name);
}

void DecodeJpegFileInto(const std::string& path, const JpegAllocate& allocate, int longSide) {
  UniqueFile file = OpenFile(path, "rb", "reading");
  Decompressor d;
  ReadFrom(d.source, file.get());
  DecodeInto(d, path, allocate, longSide);
}

void DecodeJpegBytesInto(std::span<const uint8_t> bytes, const std::string& name, const JpegAllocate& allocate,
                         int longSide) {
  Decompressor d;
  ReadFrom(d.source, bytes);
  DecodeInto(d, name, allocate, longSide);
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
  // Written beside the target, which it replaces only once whole: a write
  // that fails (a full disk, a side libjpeg refuses) leaves the file that was
  // there, the user's own picture say, as it was.
  ReplacingFile file(path);
  if (!file.get()) throw JpegError(path, "cannot open the file for writing");
  bool ok;
  std::string message;
  {
    Compressor c;
    InitErrorManager(c.err);
    ok = StepEncode(c, file.get(), image, quality, row.data());
    if (!ok) message = c.err.message;
  }
  if (!ok) throw JpegError(path, message);
  // libjpeg flushes through stdio; a full disk may only show up on close.
  if (!file.Finish()) throw JpegError(path, "the file could not be written completely");
}

}  // namespace wc
