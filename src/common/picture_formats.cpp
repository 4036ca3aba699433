#include "common/picture_formats.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "common/jpeg.h"
#include "common/text.h"

namespace wc {

namespace {

std::mutex& LearnedLock() {
  static std::mutex lock;
  return lock;
}

// Guarded by LearnedLock: start-up adds to it while a folder read may
// already ask.
std::vector<std::string>& Learned() {
  static std::vector<std::string> learned;
  return learned;
}

bool UsableExtension(std::string_view e) {
  if (e.size() < 2 || e.size() > 10 || e[0] != '.') return false;
  return e.find_first_of("\\/:*?\"<>|. \t", 1) == std::string_view::npos;
}

}  // namespace

const std::vector<std::string>& BasePictureExtensions() {
  static const std::vector<std::string> base{".JPG", ".JPEG", ".BMP", ".ICO", ".EMF", ".WMF",
                                             ".PNG", ".GIF",  ".TIF", ".TIFF"};
  return base;
}

std::vector<std::string> PictureExtensions() {
  std::vector<std::string> all = BasePictureExtensions();
  std::lock_guard hold(LearnedLock());
  for (const std::string& e : Learned()) {
    if (!HasExtension(all, e)) all.push_back(e);
  }
  return all;
}

void AddPictureExtensions(const std::vector<std::string>& extensions) {
  std::lock_guard hold(LearnedLock());
  for (const std::string& e : extensions) {
    const std::string upper = UpperCaseText(e);
    if (UsableExtension(upper) && !HasExtension(Learned(), upper)) Learned().push_back(upper);
  }
}

std::vector<std::string> SplitExtensionList(std::string_view text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(",;", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view part = text.substr(start, end - start);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    if (!part.empty()) out.emplace_back(part);
    start = end + 1;
  }
  return out;
}

bool HasExtension(const std::vector<std::string>& list, std::string_view extension) {
  return std::any_of(list.begin(), list.end(),
                     [&](const std::string& e) { return EqualsIgnoreCaseAscii(e, extension); });
}

bool IsPictureExtension(std::string_view extension) {
  if (extension.empty()) return false;
  if (HasExtension(BasePictureExtensions(), extension)) return true;
  std::lock_guard hold(LearnedLock());
  return HasExtension(Learned(), extension);
}

std::string ExtensionPattern(const std::vector<std::string>& extensions) {
  std::string text;
  for (const std::string& e : extensions) {
    if (!text.empty()) text += ';';
    text += '*' + LowerCaseAscii(e);
  }
  return text;
}

PictureSignature SniffPicture(std::span<const uint8_t> head) {
  auto starts = [&](std::initializer_list<uint8_t> bytes) {
    return head.size() >= bytes.size() && std::equal(bytes.begin(), bytes.end(), head.begin());
  };
  if (starts({0xFF, 0xD8, 0xFF})) return PictureSignature::Jpeg;
  if (starts({'B', 'M'})) return PictureSignature::Bitmap;
  if (starts({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return PictureSignature::Png;
  if (starts({'G', 'I', 'F', '8'})) return PictureSignature::Gif;
  if (starts({'I', 'I', 42, 0}) || starts({'M', 'M', 0, 42})) return PictureSignature::Tiff;
  // Icons and cursors: reserved 0, type 1 or 2, at least one image.
  if (head.size() >= 6 && head[0] == 0 && head[1] == 0 && (head[2] == 1 || head[2] == 2) && head[3] == 0 &&
      (head[4] | head[5]) != 0) {
    return PictureSignature::Icon;
  }
  // A placeable metafile, or an enhanced one (record 1 whose signature " EMF"
  // sits at byte 40, beyond the head: its first record is enough here).
  if (starts({0xD7, 0xCD, 0xC6, 0x9A}) || starts({0x01, 0x00, 0x00, 0x00})) return PictureSignature::Metafile;
  // A plain metafile: type 1 or 2, a header of 9 words, version 1 or 3.
  if (head.size() >= 6 && (head[0] == 1 || head[0] == 2) && head[1] == 0 && head[2] == 9 && head[3] == 0 &&
      (head[5] == 1 || head[5] == 3)) {
    return PictureSignature::Metafile;
  }
  return PictureSignature::Unknown;
}

namespace {

uint32_t BigEndian32(std::span<const uint8_t> b, size_t at) {
  return (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) | b[at + 3];
}
uint32_t LittleEndian16(std::span<const uint8_t> b, size_t at) { return b[at] | (uint32_t(b[at + 1]) << 8); }

uint32_t LittleEndian32(std::span<const uint8_t> b, size_t at) {
  return LittleEndian16(b, at) | (LittleEndian16(b, at + 2) << 16);
}
int64_t Signed16(std::span<const uint8_t> b, size_t at) { return int16_t(LittleEndian16(b, at)); }
int64_t Signed32(std::span<const uint8_t> b, size_t at) { return int32_t(LittleEndian32(b, at)); }

bool StartsWith(std::span<const uint8_t> b, std::initializer_list<uint8_t> bytes) {
  return b.size() >= bytes.size() && std::equal(bytes.begin(), bytes.end(), b.begin());
}

// Eight tables, so that eight bytes go in one step: a large PNG is checked
// at memory speed rather than a byte at a time.
struct CrcTables {
  uint32_t t[8][256];
};
constexpr CrcTables MakeCrcTables() {
  CrcTables c{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t v = i;
    for (int k = 0; k < 8; ++k) v = v & 1 ? 0xEDB88320u ^ (v >> 1) : v >> 1;
    c.t[0][i] = v;
  }
  for (int s = 1; s < 8; ++s) {
    for (uint32_t i = 0; i < 256; ++i) c.t[s][i] = (c.t[s - 1][i] >> 8) ^ c.t[0][c.t[s - 1][i] & 0xFF];
  }
  return c;
}
constexpr CrcTables kCrc = MakeCrcTables();

// Each chunk whole and its checksum (over type and data) right, up to the
// end chunk: a damaged header or pixel data is refused here, whatever the
// system's decoder would make of it.
bool PngComplete(std::span<const uint8_t> b) {
  size_t at = 8;
  while (at + 12 <= b.size()) {
    const size_t length = BigEndian32(b, at);
    if (length > b.size() - at - 12) return false;  // length, type, data, CRC
    const bool end = std::equal(b.begin() + long(at) + 4, b.begin() + long(at) + 8, "IEND");
    if (Crc32(b.subspan(at + 4, 4 + length)) != BigEndian32(b, at + 8 + length)) return false;
    at += 12 + length;
    if (end) return true;
  }
  return false;
}

// An icon's directory: six bytes, then 16 per image (width and height,
// 0 meaning 256; the image's length and where it starts). Each image is a
// PNG or a bitmap without its file header, whose own size is what the
// loader takes.
struct IconWalk {
  bool whole = false;
  std::optional<ClaimedSize> largest;
};

IconWalk WalkIcon(std::span<const uint8_t> b) {
  IconWalk walk;
  if (b.size() < 6) return walk;
  const size_t count = LittleEndian16(b, 4), directoryEnd = 6 + 16 * count;
  if (count == 0 || directoryEnd > b.size()) return walk;
  walk.whole = true;
  ClaimedSize largest;
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * i;
    int64_t width = b[entry] ? b[entry] : 256, height = b[entry + 1] ? b[entry + 1] : 256;
    const size_t length = LittleEndian32(b, entry + 8), start = LittleEndian32(b, entry + 12);
    if (length == 0 || start < directoryEnd || start > b.size() || length > b.size() - start) {
      walk.whole = false;
    } else {
      const auto image = b.subspan(start, length);
      if (StartsWith(image, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}) && image.size() >= 24) {
        width = BigEndian32(image, 16);
        height = BigEndian32(image, 20);
      } else if (image.size() >= 12) {
        // A bitmap's header: its height counts the colour and the mask rows.
        width = std::max(width, std::abs(Signed32(image, 4)));
        height = std::max(height, std::abs(Signed32(image, 8)) / 2);
      }
    }
    largest.width = std::max(largest.width, width);
    largest.height = std::max(largest.height, height);
  }
  walk.largest = largest;
  return walk;
}

// Metafiles: a placeable one (a 22-byte header with its frame in units of
// so many per inch, then a plain one), an enhanced one (a header record
// with its frame in hundredths of a millimetre and the file's length), or a
// plain one (a header of 9 words, the file's length in words at byte 6).
constexpr size_t kPlaceableHeader = 22, kPlainHeader = 18, kEnhancedHeader = 88;

bool Placeable(std::span<const uint8_t> b) { return StartsWith(b, {0xD7, 0xCD, 0xC6, 0x9A}); }
bool Enhanced(std::span<const uint8_t> b) { return StartsWith(b, {0x01, 0x00, 0x00, 0x00}); }

std::optional<ClaimedSize> MetafileSize(std::span<const uint8_t> b) {
  if (Placeable(b) && b.size() >= kPlaceableHeader) {
    const int64_t inch = LittleEndian16(b, 14);
    if (inch == 0) return ClaimedSize{};
    return ClaimedSize{std::abs(Signed16(b, 10) - Signed16(b, 6)) * 96 / inch,
                       std::abs(Signed16(b, 12) - Signed16(b, 8)) * 96 / inch};
  }
  if (Enhanced(b) && b.size() >= kEnhancedHeader) {
    return ClaimedSize{std::abs(Signed32(b, 32) - Signed32(b, 24)) * 96 / 2540,
                       std::abs(Signed32(b, 36) - Signed32(b, 28)) * 96 / 2540};
  }
  return std::nullopt;
}

bool PlainMetafileWhole(std::span<const uint8_t> b) {
  if (b.size() < kPlainHeader) return false;
  const uint64_t length = uint64_t(LittleEndian32(b, 6)) * 2;
  return length >= kPlainHeader && length <= b.size();
}

bool MetafileComplete(std::span<const uint8_t> b) {
  if (Placeable(b)) return b.size() >= kPlaceableHeader && PlainMetafileWhole(b.subspan(kPlaceableHeader));
  if (Enhanced(b)) {
    if (b.size() < kEnhancedHeader || !StartsWith(b.subspan(40), {' ', 'E', 'M', 'F'})) return false;
    const uint64_t length = LittleEndian32(b, 48);
    return length >= kEnhancedHeader && length <= b.size();
  }
  return PlainMetafileWhole(b);
}

// Skips a run of sub-blocks (a length byte, that many bytes, ... a 0);
// npos when the data ends first.
size_t SkipSubBlocks(std::span<const uint8_t> b, size_t at) {
  while (at < b.size()) {
    const size_t length = b[at];
    ++at;
    if (length == 0) return at;
    at += length;
  }
  return std::string::npos;
}

// Walks a GIF's blocks: whether its first image is whole, and the largest
// width and height of the screen and of every image met (a decoder may
// take memory for any frame, not only the first).
struct GifWalk {
  bool firstImageWhole = false;
  ClaimedSize largest;
};

GifWalk WalkGif(std::span<const uint8_t> b) {
  GifWalk walk;
  if (b.size() < 13) return walk;
  walk.largest = {LittleEndian16(b, 6), LittleEndian16(b, 8)};
  size_t at = 13;
  if (b[10] & 0x80) at += size_t(3) << ((b[10] & 7) + 1);  // the global colour table
  bool first = true;
  while (at < b.size()) {
    const uint8_t kind = b[at];
    if (kind == 0x21) {  // an extension: its label, then sub-blocks
      at = SkipSubBlocks(b, at + 2);
    } else if (kind == 0x2C) {  // an image: descriptor, colours, code size, data
      if (at + 10 > b.size()) break;
      walk.largest.width = std::max<int64_t>(walk.largest.width, LittleEndian16(b, at + 5));
      walk.largest.height = std::max<int64_t>(walk.largest.height, LittleEndian16(b, at + 7));
      const uint8_t flags = b[at + 9];
      at += 10;
      if (flags & 0x80) at += size_t(3) << ((flags & 7) + 1);
      at = at + 1 <= b.size() ? SkipSubBlocks(b, at + 1) : std::string::npos;
      if (first) walk.firstImageWhole = at != std::string::npos;
      first = false;
    } else {
      break;  // the trailer, or garbage
    }
    if (at == std::string::npos) break;
  }
  return walk;
}

}  // namespace

std::optional<ClaimedSize> ClaimedPictureSize(std::span<const uint8_t> bytes) {
  switch (SniffPicture(bytes)) {
    case PictureSignature::Png:
      // The signature, then the header chunk: length, "IHDR", width, height.
      if (bytes.size() < 24 || !std::equal(bytes.begin() + 12, bytes.begin() + 16, "IHDR")) return std::nullopt;
      return ClaimedSize{BigEndian32(bytes, 16), BigEndian32(bytes, 20)};
    case PictureSignature::Gif:
      if (bytes.size() < 13) return std::nullopt;
      return WalkGif(bytes).largest;
    case PictureSignature::Icon:
      return WalkIcon(bytes).largest;
    case PictureSignature::Metafile:
      return MetafileSize(bytes);
    default:
      return std::nullopt;
  }
}

bool PictureDataComplete(std::span<const uint8_t> bytes) {
  switch (SniffPicture(bytes)) {
    case PictureSignature::Png:
      return PngComplete(bytes);
    case PictureSignature::Gif:
      return WalkGif(bytes).firstImageWhole;
    case PictureSignature::Icon:
      return WalkIcon(bytes).whole;
    case PictureSignature::Metafile:
      return MetafileComplete(bytes);
    default:
      return true;
  }
}

uint32_t Crc32(std::span<const uint8_t> bytes) {
  const auto& t = kCrc.t;
  uint32_t c = 0xFFFFFFFF;
  const uint8_t* p = bytes.data();
  size_t n = bytes.size();
  for (; n >= 8; p += 8, n -= 8) {
    const uint32_t low = c ^ (p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
    const uint32_t high = p[4] | uint32_t(p[5]) << 8 | uint32_t(p[6]) << 16 | uint32_t(p[7]) << 24;
    c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
        t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
  }
  for (; n > 0; ++p, --n) c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  return ~c;
}

bool PictureSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxJpegSide && height <= kMaxJpegSide &&
         width * height <= kMaxJpegPixels;
}

std::string PictureSizeRefusal(int64_t width, int64_t height) {
  return "the picture is " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels; the largest taken is " + std::to_string(kMaxJpegSide) + " pixels a side and " +
         std::to_string(kMaxJpegPixels / 1000000) + " megapixels";
}

void ComposeOver(std::span<uint32_t> pixels, uint32_t background) {
  // Most pictures are opaque: then only the alpha byte goes, in a pass the
  // compiler can vectorise.
  uint32_t alphas = 0xFF000000;
  for (uint32_t p : pixels) alphas &= p;
  if (alphas == 0xFF000000) {
    for (uint32_t& p : pixels) p &= 0x00FFFFFF;
    return;
  }
  const uint32_t br = (background >> 16) & 0xFF, bg = (background >> 8) & 0xFF, bb = background & 0xFF;
  for (uint32_t& p : pixels) {
    const uint32_t alpha = p >> 24;
    if (alpha == 0xFF) {
      p &= 0x00FFFFFF;
      continue;
    }
    const uint32_t rest = 255 - alpha;
    // Premultiplied: the colour already carries its alpha; a stray value
    // above it (a damaged file) is capped rather than wrapped.
    auto channel = [&](uint32_t value, uint32_t back) {
      return std::min<uint32_t>(255, value + (back * rest + 127) / 255);
    };
    p = (channel((p >> 16) & 0xFF, br) << 16) | (channel((p >> 8) & 0xFF, bg) << 8) | channel(p & 0xFF, bb);
  }
}

}  // namespace wc
