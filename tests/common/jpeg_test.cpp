#include "common/jpeg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <vector>

#include <jpeglib.h>

#include "common/bmp.h"
#include "temp_dir.h"

namespace wc {
namespace {

using test::TempDir;

// Largest difference of any channel between two equally sized pictures.
int MaxChannelDifference(const Image32& a, const Image32& b) {
  int worst = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      const int d = std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) - static_cast<int>((b.pixels[i] >> shift) & 0xFF));
      if (d > worst) worst = d;
    }
  }
  return worst;
}

// Writes a JPEG straight through libjpeg, for colour spaces our encoder does
// not produce. Test data only: a failure here aborts the test program.
// A script, when given, sets the scans (progressive or not); arithmetic
// replaces Huffman coding; `stored` is the file's colour space when it is
// not libjpeg's default for `space` (RGB is stored as YCbCr).
void WriteRawJpeg(const std::string& path, int width, int height, int components, J_COLOR_SPACE space,
                  const std::vector<JSAMPLE>& pixel, const std::vector<jpeg_scan_info>& script = {},
                  bool arithmetic = false, J_COLOR_SPACE stored = JCS_UNKNOWN) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (stored != JCS_UNKNOWN) jpeg_set_colorspace(&cinfo, stored);
  if (!script.empty()) {
    cinfo.scan_info = script.data();
    cinfo.num_scans = static_cast<int>(script.size());
  }
  cinfo.arith_code = arithmetic ? TRUE : FALSE;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::fclose(file);
}

// A picture with detail everywhere, so that its scan data, not its tables,
// fills most of the file.
Image32 BusyPicture(int width, int height) {
  Image32 image = MakeImage(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.at(x, y) = MakePixel(static_cast<uint8_t>(x * 7), static_cast<uint8_t>(x * y), static_cast<uint8_t>(y * 13));
  return image;
}

// A colour picture written by libjpeg as a progressive file (ten scans).
std::vector<uint8_t> ProgressiveJpeg(const Image32& image) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = static_cast<JDIMENSION>(image.width);
  cinfo.image_height = static_cast<JDIMENSION>(image.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(image.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = image.at(x, static_cast<int>(cinfo.next_scanline));
      row[3 * x] = PixelRed(p);
      row[3 * x + 1] = PixelGreen(p);
      row[3 * x + 2] = PixelBlue(p);
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> bytes(out, out + size);
  std::free(out);
  return bytes;
}

std::vector<uint8_t> BaselineJpeg(const Image32& image) {
  TempDir dir;
  EncodeJpegFile(dir.file("b.jpg"), image, 90);
  return ReadFileBytes(dir.file("b.jpg"));
}

// Rewrites the size in the frame header (SOF0 or SOF2), leaving the scan data
// as it was: the file then claims a picture its data cannot fill.
void ClaimSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height) {
  for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
      jpeg[i + 5] = static_cast<uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<uint8_t>(height);
      jpeg[i + 7] = static_cast<uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<uint8_t>(width);
      return;
    }
  }
  ADD_FAILURE() << "no frame header";
}

// Offsets of the scan headers (FF DA) of a file.
std::vector<size_t> ScanStarts(const std::vector<uint8_t>& jpeg) {
  std::vector<size_t> starts;
  for (size_t i = 0; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) starts.push_back(i);
  return starts;
}

std::vector<uint8_t> Prefix(const std::vector<uint8_t>& bytes, size_t length) {
  return std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

TEST(JpegRoundTripTest, SolidColoursAndExactSizes) {
  TempDir dir;
  const std::string path = dir.file("solid.jpg");
  struct Case {
    int width, height;
    uint32_t colour;
  };
  for (const Case& c : {Case{1, 1, 0xFFFFFF}, Case{17, 9, 0xFF0000}, Case{8, 31, 0x00FF00}, Case{33, 16, 0x0000FF},
                        Case{5, 5, 0x808080}, Case{64, 48, 0x000000}, Case{3, 70, 0x336699}}) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " colour " << std::hex << c.colour);
    const Image32 original = MakeImage(c.width, c.height, c.colour);
    EncodeJpegFile(path, original, 95);
    const JpegInfo info = ReadJpegInfo(path);
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(info.height, c.height);
    const Image32 decoded = DecodeJpegFile(path);
    ASSERT_EQ(decoded.width, c.width);
    ASSERT_EQ(decoded.height, c.height);
    ASSERT_EQ(decoded.pixels.size(), original.pixels.size());
    EXPECT_LE(MaxChannelDifference(decoded, original), 4);
    for (uint32_t p : decoded.pixels) ASSERT_EQ(p >> 24, 0u);  // byte 3 unused
  }
}

TEST(JpegRoundTripTest, RowsKeepTheirOrder) {
  TempDir dir;
  // Top half red, bottom half blue: a decoder that flips or shifts rows fails.
  Image32 image = MakeImage(32, 32, 0xFF0000);
  for (int y = 16; y < 32; ++y)
    for (int x = 0; x < 32; ++x) image.at(x, y) = 0x0000FF;
  EncodeJpegFile(dir.file("high.jpg"), image, 100);
  const Image32 high = DecodeJpegFile(dir.file("high.jpg"));
  // Chroma is subsampled and smoothed across the seam, so only rows away
  // from it are checked.
  for (int y : {0, 5, 11, 20, 26, 31}) {
    for (int x = 0; x < 32; ++x) {
      ASSERT_EQ(PixelRed(high.at(x, y)) > 200, y < 16) << x << "," << y;
      ASSERT_EQ(PixelBlue(high.at(x, y)) > 200, y >= 16) << x << "," << y;
      ASSERT_LT(PixelGreen(high.at(x, y)), 16) << x << "," << y;
    }
  }
}

// A preview asks for a picture barely larger than itself: libjpeg reduces
// by the largest of 1/2, 1/4 and 1/8 that keeps the longer side long enough,
// and the reduced picture is the whole picture, not a corner of it.
TEST(JpegDecodeTest, AReducedDecodeIsTheWholePictureAtTheLargestReductionThatStillCoversTheSide) {
  TempDir dir;
  const std::string path = dir.file("halves.jpg");
  Image32 image = MakeImage(401, 301, 0xFF0000);  // left half red, right half blue
  for (int y = 0; y < 301; ++y)
    for (int x = 200; x < 401; ++x) image.at(x, y) = 0x0000FF;
  EncodeJpegFile(path, image, 95);
  struct Case {
    int longSide, width, height;
  };
  for (const Case& c : {Case{0, 401, 301}, Case{401, 401, 301}, Case{500, 401, 301}, Case{201, 201, 151},
                        Case{202, 401, 301}, Case{101, 101, 76}, Case{100, 101, 76}, Case{51, 51, 38},
                        Case{1, 51, 38}}) {
    SCOPED_TRACE(testing::Message() << "at least " << c.longSide);
    const Image32 reduced = DecodeJpegFileReduced(path, c.longSide);
    ASSERT_EQ(reduced.width, c.width);
    ASSERT_EQ(reduced.height, c.height);
    for (int y : {0, reduced.height / 2, reduced.height - 1}) {
      EXPECT_GT(PixelRed(reduced.at(2, y)), 200);
      EXPECT_GT(PixelBlue(reduced.at(reduced.width - 3, y)), 200);
    }
  }
  // Straight into the caller's memory, which is asked for the reduced size.
  std::vector<uint32_t> pixels;
  int askedWidth = 0, askedHeight = 0;
  DecodeJpegFileInto(path, [&](int width, int height) {
    askedWidth = width;
    askedHeight = height;
    pixels.resize(size_t(width) * height);
    return JpegTarget{reinterpret_cast<uint8_t*>(pixels.data()), size_t(width) * 4};
  }, 120);
  EXPECT_EQ(askedWidth, 201);
  EXPECT_EQ(askedHeight, 151);
  EXPECT_GT(PixelBlue(pixels.back()), 200);
}

TEST(JpegDecodeTest, GrayscaleAndCmykBecomeRgb) {
  TempDir dir;
  WriteRawJpeg(dir.file("gray.jpg"), 9, 7, 1, JCS_GRAYSCALE, {200});
  const Image32 gray = DecodeJpegFile(dir.file("gray.jpg"));
  ASSERT_EQ(gray.width, 9);
  ASSERT_EQ(gray.height, 7);
  EXPECT_LE(MaxChannelDifference(gray, MakeImage(9, 7, MakePixel(200, 200, 200))), 2);

  // libjpeg writes CMYK with an Adobe marker, which means inverted values:
  // 255 is no ink. (255, 0, 0, 255) is therefore full magenta and yellow: red.
  WriteRawJpeg(dir.file("cmyk.jpg"), 8, 8, 4, JCS_CMYK, {255, 0, 0, 255});
  const Image32 cmyk = DecodeJpegFile(dir.file("cmyk.jpg"));
  ASSERT_EQ(cmyk.width, 8);
  EXPECT_LE(MaxChannelDifference(cmyk, MakeImage(8, 8, 0xFF0000)), 6);
}

// Expects a JpegError naming the path; anything else (another exception, a
// crash, a sanitizer report) fails the test.
void ExpectJpegError(const std::string& path, bool infoToo) {
  try {
    DecodeJpegFile(path);
    ADD_FAILURE() << "decoding " << path << " succeeded";
  } catch (const JpegError& e) {
    EXPECT_EQ(e.path(), path);
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    EXPECT_FALSE(e.detail().empty());
  }
  if (infoToo) {
    EXPECT_THROW(ReadJpegInfo(path), JpegError);
  }
}

TEST(JpegErrorTest, BadFilesGiveJpegError) {
  TempDir dir;
  WriteFileBytes(dir.file("empty.jpg"), {});
  ExpectJpegError(dir.file("empty.jpg"), true);

  const std::string text = "This is not a picture.\r\n";
  WriteFileBytes(dir.file("text.jpg"), std::vector<uint8_t>(text.begin(), text.end()));
  ExpectJpegError(dir.file("text.jpg"), true);

  ExpectJpegError(dir.file("missing.jpg"), true);
  ExpectJpegError(dir.path(), true);  // a folder, not a file

  // A real JPEG cut in half: the header is intact, so only decoding fails.
  // Busy enough that the picture data, not the tables, fills most of the file.
  Image32 image = MakeImage(256, 128, 0);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 256; ++x) image.at(x, y) = MakePixel(static_cast<uint8_t>(x * 7), static_cast<uint8_t>(x * y), static_cast<uint8_t>(y * 13));
  EncodeJpegFile(dir.file("whole.jpg"), image, 90);
  std::vector<uint8_t> bytes = ReadFileBytes(dir.file("whole.jpg"));
  ASSERT_GT(bytes.size(), 4000u);
  WriteFileBytes(dir.file("half.jpg"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2));
  ExpectJpegError(dir.file("half.jpg"), false);
  EXPECT_EQ(ReadJpegInfo(dir.file("half.jpg")).width, 256);

  // Cut inside the header.
  WriteFileBytes(dir.file("head.jpg"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 40));
  ExpectJpegError(dir.file("head.jpg"), true);
}

TEST(JpegErrorTest, DamagedDataNeverCrashes) {
  TempDir dir;
  Image32 image = MakeImage(40, 30, 0x123456);
  for (int x = 0; x < 40; ++x) image.at(x, x % 30) = 0xFFFFFF;
  EncodeJpegFile(dir.file("good.jpg"), image, 80);
  const std::vector<uint8_t> good = ReadFileBytes(dir.file("good.jpg"));
  int decoded = 0, refused = 0;
  for (size_t at = 2; at < good.size(); at += 7) {
    std::vector<uint8_t> bad = good;
    bad[at] ^= 0xA5;
    WriteFileBytes(dir.file("bad.jpg"), bad);
    try {
      const Image32 result = DecodeJpegFile(dir.file("bad.jpg"));
      // A damaged size field may change the size; the pixels must match it.
      EXPECT_EQ(result.pixels.size(), static_cast<size_t>(result.width) * static_cast<size_t>(result.height));
      ++decoded;
    } catch (const JpegError&) {
      ++refused;
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(decoded, 0);
}

// Expects decoding the bytes to fail, both from a file and from memory.
void ExpectRefused(const std::vector<uint8_t>& bytes, const std::string& what) {
  SCOPED_TRACE(what);
  TempDir dir;
  WriteFileBytes(dir.file("x.jpg"), bytes);
  ExpectJpegError(dir.file("x.jpg"), false);
  EXPECT_THROW(DecodeJpegBytes(bytes, what), JpegError);
}

TEST(JpegErrorTest, DataCutShortIsAnErrorEvenWithAnEndMarker) {
  // An editor that saves a cut file appends the end-of-image marker; libjpeg
  // then only warns and fills the rest of the picture with grey.
  const Image32 image = BusyPicture(256, 256);
  for (const auto& [name, whole] : {std::pair{"baseline", BaselineJpeg(image)},
                                    std::pair{"progressive", ProgressiveJpeg(image)}}) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> cut = Prefix(whole, whole.size() * 4 / 10);
    ExpectRefused(cut, "cut at 40 %");
    cut.push_back(0xFF);
    cut.push_back(0xD9);
    ExpectRefused(cut, "cut at 40 %, end marker appended");
    EXPECT_EQ(ReadJpegInfoBytes(cut, "cut").width, 256);  // the header alone is intact
    ExpectRefused(Prefix(whole, whole.size() - 40), "last bytes of the scan missing");
  }
}

TEST(JpegErrorTest, ProgressiveFileEndingAfterAnEarlyScanIsAnError) {
  // Without the end marker nothing says the file was meant to stop after a
  // coarse scan; the picture would come out blurred and off-colour.
  const std::vector<uint8_t> whole = ProgressiveJpeg(BusyPicture(64, 48));
  const std::vector<size_t> scans = ScanStarts(whole);
  ASSERT_EQ(scans.size(), 10u);
  for (size_t s : {size_t(1), size_t(5), size_t(9)}) ExpectRefused(Prefix(whole, scans[s]), "before scan " + std::to_string(s));
}

TEST(JpegErrorTest, ScansThatCannotBeCheckedMustBeComplete) {
  TempDir dir;
  // Three sequential scans, one per component: a file cut before the last
  // one leaves a component without data, end marker or not.
  const std::vector<jpeg_scan_info> perComponent = {{1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
  WriteRawJpeg(dir.file("split.jpg"), 40, 32, 3, JCS_RGB, {200, 100, 50}, perComponent);
  std::vector<uint8_t> split = ReadFileBytes(dir.file("split.jpg"));
  EXPECT_LE(MaxChannelDifference(DecodeJpegBytes(split, "whole"), MakeImage(40, 32, MakePixel(200, 100, 50))), 4);
  const std::vector<size_t> scans = ScanStarts(split);
  ASSERT_EQ(scans.size(), 3u);
  std::vector<uint8_t> cut = Prefix(split, scans[2]);
  ExpectRefused(cut, "last scan missing");
  cut.push_back(0xFF);
  cut.push_back(0xD9);
  ExpectRefused(cut, "last scan missing, end marker appended");

  // Arithmetic coding may end a scan early on purpose, so without the end
  // marker a cut cannot be seen; only the whole file decodes.
  WriteRawJpeg(dir.file("arith.jpg"), 40, 32, 3, JCS_RGB, {30, 60, 90}, {}, true);
  const std::vector<uint8_t> arith = ReadFileBytes(dir.file("arith.jpg"));
  EXPECT_LE(MaxChannelDifference(DecodeJpegBytes(arith, "whole"), MakeImage(40, 32, MakePixel(30, 60, 90))), 4);
  ExpectRefused(Prefix(arith, arith.size() - 2), "arithmetic, no end marker");
}

TEST(JpegDecodeTest, MissingEndMarkerAloneStillDecodes) {
  // All the scan data is there; only the final FF D9 is lost, as viewers
  // forgive.
  const Image32 image = BusyPicture(96, 80);
  for (const auto& [name, whole] : {std::pair{"baseline", BaselineJpeg(image)},
                                    std::pair{"progressive", ProgressiveJpeg(image)}}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(whole[whole.size() - 1], 0xD9);
    const Image32 expected = DecodeJpegBytes(whole, "whole");
    const Image32 decoded = DecodeJpegBytes(Prefix(whole, whole.size() - 2), "no end marker");
    EXPECT_EQ(decoded.width, 96);
    EXPECT_EQ(decoded.height, 80);
    EXPECT_EQ(decoded.pixels, expected.pixels);
  }
}

TEST(JpegDecodeTest, BytesInMemoryDecodeLikeTheFile) {
  TempDir dir;
  const Image32 image = BusyPicture(40, 24);
  EncodeJpegFile(dir.file("a.jpg"), image, 85);
  const std::vector<uint8_t> bytes = ReadFileBytes(dir.file("a.jpg"));
  const Image32 fromFile = DecodeJpegFile(dir.file("a.jpg"));
  const Image32 fromMemory = DecodeJpegBytes(bytes, "a.jpg");
  EXPECT_EQ(fromMemory.width, 40);
  EXPECT_EQ(fromMemory.pixels, fromFile.pixels);
  EXPECT_EQ(ReadJpegInfoBytes(bytes, "a.jpg").height, 24);
  try {
    DecodeJpegBytes({}, "nothing");
    ADD_FAILURE() << "decoding no bytes succeeded";
  } catch (const JpegError& e) {
    EXPECT_EQ(e.path(), "nothing");
  }
}

// A decode into memory of our own, each row followed by 12 bytes that must
// stay as they were.
struct PaddedTarget {
  static constexpr uint8_t kPad = 0xA7;
  int width = 0, height = 0, calls = 0;
  size_t stride = 0;
  std::vector<uint8_t> memory;
  JpegAllocate Allocate() {
    return [this](int w, int h) {
      ++calls;
      width = w;
      height = h;
      stride = static_cast<size_t>(w) * 4 + 12;
      memory.assign(stride * static_cast<size_t>(h), kPad);
      return JpegTarget{memory.data(), stride};
    };
  }
  // The pixels as a picture; false when a padding byte was written.
  bool Picture(Image32& image) const {
    image = MakeImage(width, height);
    for (int y = 0; y < height; ++y) {
      const uint8_t* row = memory.data() + stride * static_cast<size_t>(y);
      std::memcpy(&image.pixels[static_cast<size_t>(y) * width], row, static_cast<size_t>(width) * 4);
      for (size_t i = static_cast<size_t>(width) * 4; i < stride; ++i)
        if (row[i] != kPad) return false;
    }
    return true;
  }
};

TEST(JpegDecodeIntoTest, CallersMemoryGetsThePicturesPixelsAndTheSameErrors) {
  TempDir dir;
  WriteRawJpeg(dir.file("gray.jpg"), 19, 7, 1, JCS_GRAYSCALE, {200});
  WriteRawJpeg(dir.file("cmyk.jpg"), 8, 9, 4, JCS_CMYK, {255, 0, 0, 255});
  WriteRawJpeg(dir.file("rgb.jpg"), 21, 13, 3, JCS_RGB, {10, 100, 250}, {}, false, JCS_RGB);
  const Image32 busy = BusyPicture(67, 45);  // rows not a multiple of a band
  for (const auto& [name, bytes] : {std::pair{"baseline", BaselineJpeg(busy)},
                                    std::pair{"progressive", ProgressiveJpeg(busy)},
                                    std::pair{"gray", ReadFileBytes(dir.file("gray.jpg"))},
                                    std::pair{"cmyk", ReadFileBytes(dir.file("cmyk.jpg"))},
                                    std::pair{"rgb", ReadFileBytes(dir.file("rgb.jpg"))}}) {
    SCOPED_TRACE(name);
    const Image32 expected = DecodeJpegBytes(bytes, name);
    PaddedTarget target;
    DecodeJpegBytesInto(bytes, name, target.Allocate());
    EXPECT_EQ(target.calls, 1);
    Image32 got;
    EXPECT_TRUE(target.Picture(got)) << "written past a row";
    EXPECT_EQ(got.width, expected.width);
    EXPECT_EQ(got.height, expected.height);
    EXPECT_EQ(got.pixels, expected.pixels);
    for (uint32_t p : got.pixels) ASSERT_EQ(p >> 24, 0u);
  }
  // A file stored as RGB rather than YCbCr comes out in its own colours.
  PaddedTarget rgb;
  DecodeJpegFileInto(dir.file("rgb.jpg"), rgb.Allocate());
  Image32 rgbPicture;
  ASSERT_TRUE(rgb.Picture(rgbPicture));
  EXPECT_LE(MaxChannelDifference(rgbPicture, MakeImage(21, 13, MakePixel(10, 100, 250))), 3);
  // Grey from a file too.
  PaddedTarget fromFile;
  DecodeJpegFileInto(dir.file("gray.jpg"), fromFile.Allocate());
  Image32 gray;
  ASSERT_TRUE(fromFile.Picture(gray));
  EXPECT_EQ(gray.pixels, DecodeJpegFile(dir.file("gray.jpg")).pixels);

  // Refused from the header: no memory is asked for.
  std::vector<uint8_t> huge = BaselineJpeg(BusyPicture(16, 16));
  ClaimSize(huge, 16384, 16384);
  const std::string text = "not a picture";
  PaddedTarget refused;
  EXPECT_THROW(DecodeJpegBytesInto(huge, "huge", refused.Allocate()), JpegError);
  EXPECT_THROW(DecodeJpegBytesInto(std::vector<uint8_t>(text.begin(), text.end()), "text", refused.Allocate()),
               JpegError);
  EXPECT_THROW(DecodeJpegFileInto(dir.file("missing.jpg"), refused.Allocate()), JpegError);
  EXPECT_EQ(refused.calls, 0);

  // Data cut short, end marker or not, fails after the memory was given.
  const std::vector<uint8_t> good = BaselineJpeg(busy);
  std::vector<uint8_t> cut = Prefix(good, good.size() * 6 / 10);
  cut.push_back(0xFF);
  cut.push_back(0xD9);
  PaddedTarget shortData;
  try {
    DecodeJpegBytesInto(cut, "cut", shortData.Allocate());
    ADD_FAILURE() << "a cut file decoded";
  } catch (const JpegError& e) {
    EXPECT_EQ(e.path(), "cut");
  }
  EXPECT_EQ(shortData.calls, 1);

  // The caller's own failure passes through; no memory is an error.
  EXPECT_THROW(DecodeJpegBytesInto(good, "x", [](int, int) -> JpegTarget { throw std::bad_alloc(); }),
               std::bad_alloc);
  EXPECT_THROW(DecodeJpegBytesInto(good, "x", [](int, int) { return JpegTarget{}; }), JpegError);
  std::vector<uint8_t> narrow(64 * 45 * 4);
  EXPECT_THROW(DecodeJpegBytesInto(good, "x", [&](int, int) { return JpegTarget{narrow.data(), 64 * 4}; }),
               JpegError);
}

TEST(JpegLimitTest, TinyFilesClaimingHugePicturesFailAtOnce) {
  const std::vector<uint8_t> baseline = BaselineJpeg(BusyPicture(16, 16));
  const std::vector<uint8_t> progressive = ProgressiveJpeg(BusyPicture(16, 16));

  // Far beyond any display: refused from the header.
  std::vector<uint8_t> b = baseline;
  ClaimSize(b, 16384, 16384);
  ASSERT_LT(b.size(), 1000u);
  try {
    DecodeJpegBytes(b, "huge");
    ADD_FAILURE() << "a 16384 x 16384 claim decoded";
  } catch (const JpegError& e) {
    EXPECT_NE(e.detail().find("16384"), std::string::npos) << e.detail();
  }
  b = progressive;
  ClaimSize(b, 16384, 16384);
  ExpectRefused(b, "progressive 16384 x 16384");

  // A size a wallpaper may have, with data for 16 x 16 pixels: fails where
  // the data ends.
  for (auto [width, height] : {std::pair{12000, 8000}, std::pair{32768, 2000}}) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    b = baseline;
    ClaimSize(b, static_cast<uint16_t>(width), static_cast<uint16_t>(height));
    ExpectRefused(b, "baseline");
    b = progressive;
    ClaimSize(b, static_cast<uint16_t>(width), static_cast<uint16_t>(height));
    ExpectRefused(b, "progressive");
  }
}

TEST(JpegLimitTest, SizeLimitsAreThoseOfJpegH) {
  TempDir dir;
  // A side of kMaxJpegSide decodes; one pixel more is refused from the header.
  const Image32 strip = MakeImage(kMaxJpegSide, 8, 0x204060);
  EncodeJpegFile(dir.file("strip.jpg"), strip, 75);
  const Image32 decoded = DecodeJpegFile(dir.file("strip.jpg"));
  EXPECT_EQ(decoded.width, kMaxJpegSide);
  EXPECT_EQ(decoded.pixels.size(), strip.pixels.size());
  std::vector<uint8_t> wide = ReadFileBytes(dir.file("strip.jpg"));
  ClaimSize(wide, kMaxJpegSide + 1, 8);
  ExpectRefused(wide, "one pixel too wide");

  // At the area limit the data runs out; just above it the header is refused.
  std::vector<uint8_t> b = BaselineJpeg(BusyPicture(16, 16));
  ClaimSize(b, 16384, static_cast<uint16_t>(kMaxJpegPixels / 16384));
  try {
    DecodeJpegBytes(b, "at the limit");
    ADD_FAILURE() << "decoded";
  } catch (const JpegError& e) {
    EXPECT_EQ(e.detail().find("megapixels"), std::string::npos) << e.detail();
  }
  ClaimSize(b, 16384, static_cast<uint16_t>(kMaxJpegPixels / 16384 + 1));
  try {
    DecodeJpegBytes(b, "above the limit");
    ADD_FAILURE() << "decoded";
  } catch (const JpegError& e) {
    EXPECT_NE(e.detail().find("megapixels"), std::string::npos) << e.detail();
  }
}

// DC of every component in one scan, then each AC coefficient of each
// component on its own, first to half precision and then refined.
std::vector<jpeg_scan_info> OneScanPerCoefficient(int components) {
  std::vector<jpeg_scan_info> script;
  jpeg_scan_info dc{};
  dc.comps_in_scan = components;
  for (int c = 0; c < components; ++c) dc.component_index[c] = c;
  script.push_back(dc);
  for (int c = 0; c < components; ++c) {
    for (int k = 1; k < DCTSIZE2; ++k) {
      jpeg_scan_info scan{};
      scan.comps_in_scan = 1;
      scan.component_index[0] = c;
      scan.Ss = scan.Se = k;
      scan.Al = 1;
      script.push_back(scan);
      scan.Ah = 1;
      scan.Al = 0;
      script.push_back(scan);
    }
  }
  return script;
}

TEST(JpegLimitTest, ProgressiveMemoryAndScansAreBounded) {
  TempDir dir;
  // Four full-resolution components keep 8 bytes of coefficients a pixel:
  // 1 GB for 16000 x 8000, more than the decoder may take.
  const std::vector<jpeg_scan_info> simple = {{4, {0, 1, 2, 3}, 0, 0, 0, 0}, {1, {0}, 1, 63, 0, 0},
                                              {1, {1}, 1, 63, 0, 0},         {1, {2}, 1, 63, 0, 0},
                                              {1, {3}, 1, 63, 0, 0}};
  WriteRawJpeg(dir.file("cmyk.jpg"), 16, 16, 4, JCS_CMYK, {10, 20, 30, 40}, simple);
  std::vector<uint8_t> b = ReadFileBytes(dir.file("cmyk.jpg"));
  ClaimSize(b, 16000, 8000);
  try {
    DecodeJpegBytes(b, "cmyk");
    ADD_FAILURE() << "decoded";
  } catch (const JpegError& e) {
    EXPECT_NE(e.detail().find("memory"), std::string::npos) << e.detail();
  }
  ClaimSize(b, 8000, 4000);  // fits, and fails where the data ends
  try {
    DecodeJpegBytes(b, "cmyk");
    ADD_FAILURE() << "decoded";
  } catch (const JpegError& e) {
    EXPECT_EQ(e.detail().find("memory"), std::string::npos) << e.detail();
  }

  // 127 scans are odd but fine; 379 are more than any encoder writes.
  WriteRawJpeg(dir.file("grey.jpg"), 24, 16, 1, JCS_GRAYSCALE, {90}, OneScanPerCoefficient(1));
  ASSERT_EQ(ScanStarts(ReadFileBytes(dir.file("grey.jpg"))).size(), 127u);
  EXPECT_LE(MaxChannelDifference(DecodeJpegFile(dir.file("grey.jpg")), MakeImage(24, 16, MakePixel(90, 90, 90))), 2);
  WriteRawJpeg(dir.file("colour.jpg"), 24, 16, 3, JCS_RGB, {90, 60, 30}, OneScanPerCoefficient(3));
  ASSERT_EQ(ScanStarts(ReadFileBytes(dir.file("colour.jpg"))).size(), 379u);
  ExpectJpegError(dir.file("colour.jpg"), false);
}

TEST(JpegEncodeTest, RefusesEmptyPicturesAndUnwritablePaths) {
  TempDir dir;
  EXPECT_THROW(EncodeJpegFile(dir.file("none.jpg"), Image32{}, 90), JpegError);
  EXPECT_FALSE(std::filesystem::exists(dir.file("none.jpg")));

  Image32 inconsistent = MakeImage(4, 4, 0);
  inconsistent.pixels.resize(3);
  EXPECT_THROW(EncodeJpegFile(dir.file("short.jpg"), inconsistent, 90), JpegError);

  const std::string nowhere = dir.file("no-such-folder") + "/x.jpg";
  try {
    EncodeJpegFile(nowhere, MakeImage(2, 2, 0), 90);
    ADD_FAILURE() << "writing into a missing folder succeeded";
  } catch (const JpegError& e) {
    EXPECT_EQ(e.path(), nowhere);
  }
}

// The viewer's Save As onto a picture the user has: a write that fails
// (here libjpeg's limit of 65500 pixels a side; a full disk the same way)
// leaves the file that was there byte for byte, and no part-written copy.
// One that succeeds replaces it.
TEST(JpegEncodeTest, AFailedWriteOverAFileKeepsTheFile) {
  TempDir dir;
  const std::string path = dir.file("photo.jpg");
  EncodeJpegFile(path, MakeImage(24, 16, 0x336699), 90);
  const std::vector<uint8_t> original = ReadFileBytes(path);

  try {
    EncodeJpegFile(path, MakeImage(65501, 1, 0xFF0000), 90);
    ADD_FAILURE() << "a picture 65501 pixels wide was written";
  } catch (const JpegError& e) {
    EXPECT_EQ(e.path(), path);
  }
  EXPECT_EQ(ReadFileBytes(path), original);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  EncodeJpegFile(path, MakeImage(8, 8, 0x00FF00), 90);
  EXPECT_EQ(ReadJpegInfo(path).width, 8);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace wc
