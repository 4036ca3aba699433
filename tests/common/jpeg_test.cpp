#include "common/jpeg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
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
void WriteRawJpeg(const std::string& path, int width, int height, int components, J_COLOR_SPACE space,
                  const std::vector<JSAMPLE>& pixel) {
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

}  // namespace
}  // namespace wc
