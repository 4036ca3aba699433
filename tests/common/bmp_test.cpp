#include "common/bmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "temp_dir.h"

namespace wc {
namespace {

using test::TempDir;

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint32_t Read16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }

// 3 x 2: top row red, green, blue; bottom row white, black, a grey with a
// stray high byte that must not reach the file.
Image32 SmallPicture() {
  Image32 image = MakeImage(3, 2);
  image.at(0, 0) = 0xFF0000;
  image.at(1, 0) = 0x00FF00;
  image.at(2, 0) = 0x0000FF;
  image.at(0, 1) = 0xFFFFFF;
  image.at(1, 1) = 0x000000;
  image.at(2, 1) = 0xAB102030;
  return image;
}

TEST(BmpEncodeTest, TwentyFourBitLayout) {
  const std::vector<uint8_t> b = EncodeBmp(SmallPicture(), 24);
  // 3 pixels * 3 bytes = 9, padded to 12 per row.
  ASSERT_EQ(b.size(), 54u + 24u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(Read32(b, 2), b.size());
  EXPECT_EQ(Read32(b, 10), 54u);
  EXPECT_EQ(Read32(b, 14), 40u);
  EXPECT_EQ(Read32(b, 18), 3u);
  EXPECT_EQ(Read32(b, 22), 2u);  // positive height: bottom-up
  EXPECT_EQ(Read16(b, 26), 1u);
  EXPECT_EQ(Read16(b, 28), 24u);
  EXPECT_EQ(Read32(b, 30), 0u);  // BI_RGB
  EXPECT_EQ(Read32(b, 34), 24u);
  // First stored row is the bottom row: white, black, grey (blue byte first).
  const std::vector<uint8_t> bottom(b.begin() + 54, b.begin() + 66);
  EXPECT_EQ(bottom, (std::vector<uint8_t>{255, 255, 255, 0, 0, 0, 0x30, 0x20, 0x10, 0, 0, 0}));
  const std::vector<uint8_t> top(b.begin() + 66, b.end());
  EXPECT_EQ(top, (std::vector<uint8_t>{0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0}));
}

TEST(BmpEncodeTest, ThirtyTwoBitLayoutLeavesByteThreeZero) {
  const std::vector<uint8_t> b = EncodeBmp(SmallPicture(), 32);
  ASSERT_EQ(b.size(), 54u + 24u);
  EXPECT_EQ(Read16(b, 28), 32u);
  EXPECT_EQ(Read32(b, 54 + 8), 0x00102030u);  // bottom row, third pixel
  EXPECT_EQ(Read32(b, 54 + 12), 0x00FF0000u);  // top row, first pixel
  EXPECT_THROW(EncodeBmp(SmallPicture(), 16), std::invalid_argument);
  EXPECT_THROW(EncodeBmp(SmallPicture(), 8), std::invalid_argument);
}

TEST(BmpDecodeTest, RoundTripsBothDepths) {
  Image32 expected = SmallPicture();
  expected.at(2, 1) = 0x102030;
  for (int bits : {24, 32}) {
    const Image32 back = DecodeBmp(EncodeBmp(SmallPicture(), bits));
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, expected.pixels) << bits << " bits";
  }
  Image32 wide = MakeImage(5, 3, 0x445566);
  wide.at(4, 2) = 0x010203;
  EXPECT_EQ(DecodeBmp(EncodeBmp(wide, 24)).pixels, wide.pixels);  // 15-byte rows padded to 16
}

TEST(BmpDecodeTest, ReadsTopDownFiles) {
  std::vector<uint8_t> b = EncodeBmp(SmallPicture(), 32);
  // Negative height, rows swapped: the same picture stored top row first.
  const int32_t negative = -2;
  for (int i = 0; i < 4; ++i) b[22 + i] = static_cast<uint8_t>(static_cast<uint32_t>(negative) >> (8 * i));
  std::swap_ranges(b.begin() + 54, b.begin() + 66, b.begin() + 66);
  const Image32 back = DecodeBmp(b);
  ASSERT_EQ(back.height, 2);
  EXPECT_EQ(back.at(0, 0), 0xFF0000u);
  EXPECT_EQ(back.at(2, 1), 0x102030u);
}

TEST(BmpDecodeTest, RefusesOtherAndDamagedFiles) {
  const std::vector<uint8_t> good = EncodeBmp(SmallPicture(), 24);
  EXPECT_THROW(DecodeBmp({}), std::runtime_error);
  EXPECT_THROW(DecodeBmp(std::vector<uint8_t>(good.begin(), good.begin() + 53)), std::runtime_error);
  EXPECT_THROW(DecodeBmp(std::vector<uint8_t>(good.begin(), good.end() - 1)), std::runtime_error);

  std::vector<uint8_t> b = good;
  b[0] = 'X';
  EXPECT_THROW(DecodeBmp(b), std::runtime_error);
  b = good;
  b[28] = 2;  // a depth the system does not draw
  EXPECT_THROW(DecodeBmp(b), std::runtime_error);
  b = good;
  b[30] = 1;  // RLE8 needs 8 bits per pixel
  EXPECT_THROW(DecodeBmp(b), std::runtime_error);
  b = good;
  b[30] = 4;  // a JPEG inside
  EXPECT_THROW(DecodeBmp(b), std::runtime_error);
  b = good;
  b[10] = 0xF0;  // pixel offset beyond the end
  EXPECT_THROW(DecodeBmp(b), std::runtime_error);
  b = good;
  b[21] = 0x7F;  // absurd width
  EXPECT_THROW(DecodeBmp(b), std::runtime_error);
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A bitmap file put together field by field, the way other programs write
// them: any header length (12 is the OS/2 one), a palette of 0x00RRGGBB
// entries, colour masks after a 40-byte header or inside a longer one, and
// the pixel data as stored.
struct BmpFile {
  uint32_t headerSize = 40;
  int32_t width = 0, height = 0;
  uint16_t bits = 0;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
  std::vector<uint32_t> palette;
  std::vector<uint32_t> masks;
  std::vector<uint8_t> data;

  std::vector<uint8_t> Bytes() const {
    const bool core = headerSize == 12;
    const size_t afterHeader = headerSize == 40 ? 4 * masks.size() : 0;
    const size_t offset = 14 + headerSize + afterHeader + palette.size() * (core ? 3 : 4);
    std::vector<uint8_t> b(offset, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(offset + data.size()));
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, headerSize);
    if (core) {
      b[18] = uint8_t(width), b[19] = uint8_t(width >> 8), b[20] = uint8_t(height), b[21] = uint8_t(height >> 8);
      b[22] = 1, b[24] = uint8_t(bits);
    } else {
      Put32(b, 18, static_cast<uint32_t>(width));
      Put32(b, 22, static_cast<uint32_t>(height));
      b[26] = 1, b[28] = uint8_t(bits);
      Put32(b, 30, compression);
      Put32(b, 46, coloursUsed);
    }
    for (size_t i = 0; i < masks.size(); ++i) Put32(b, 54 + 4 * i, masks[i]);
    size_t at = 14 + headerSize + afterHeader;
    for (uint32_t c : palette) {
      b[at] = PixelBlue(c), b[at + 1] = PixelGreen(c), b[at + 2] = PixelRed(c);
      at += core ? 3 : 4;
    }
    b.insert(b.end(), data.begin(), data.end());
    return b;
  }
};

TEST(BmpDecodeTest, ReadsEveryKindTheSystemDraws) {
  const uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF, grey = 0x808080;
  struct Case {
    const char* what;
    BmpFile file;
    std::vector<uint32_t> pixels;  // top row first
  };
  const Case cases[] = {
      // 10 pixels in two bytes, rows padded to four; stored bottom row first.
      {"1 bit", {40, 10, 2, 1, 0, 0, {grey, white}, {}, {0xFF, 0xC0, 0, 0, 0x81, 0x00, 0, 0}},
       {white, grey, grey, grey, grey, grey, grey, white, grey, grey,  //
        white, white, white, white, white, white, white, white, white, white}},
      // Three colours used of sixteen: index 15 is past the palette.
      {"4 bits, short palette", {40, 3, 2, 4, 0, 3, {red, green, blue}, {}, {0x12, 0xF0, 0, 0, 0x01, 0x20, 0, 0}},
       {red, green, blue, green, blue, 0}},
      {"8 bits, top-down", {40, 2, -2, 8, 0, 2, {blue, white}, {}, {1, 0, 0, 0, 200, 1, 0, 0}}, {white, blue, 0, white}},
      // OS/2: three-byte palette entries, sixteen of them as the depth says.
      {"OS/2 header, 4 bits",
       {12, 2, 2, 4, 0, 0, {0, red, green, blue, white, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {}, {0x12, 0, 0, 0, 0x34, 0, 0, 0}},
       {blue, white, red, green}},
      {"OS/2 header, 24 bits", {12, 1, 1, 24, 0, 0, {}, {}, {0x30, 0x20, 0x10, 0}}, {0x102030}},
      // 5-5-5: five bits of 10000 are 132 of 255.
      {"16 bits", {40, 3, 1, 16, 0, 0, {}, {}, {0xFF, 0x7F, 0x00, 0x7C, 0x10, 0x00, 0, 0}}, {white, red, 0x000084}},
      // 5-6-5 by masks: green's lowest step is 4.
      {"16 bits 5-6-5",
       {40, 3, 1, 16, 3, 0, {}, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0xE0, 0x07, 0x20, 0x00, 0, 0}},
       {red, green, 0x000400}},
      // Masks inside a V5 header: red in byte 3, blue in byte 1.
      {"32 bits by masks, V5 header",
       {124, 2, 1, 32, 3, 0, {}, {0xFF000000, 0x00FF0000, 0x0000FF00}, {0x00, 0x30, 0x20, 0x10, 0xFF, 0, 0, 0}},
       {0x102030, 0}},
      // The usual masks and a V4 header; byte 3 is not colour.
      {"32 bits, V4 header", {108, 1, 1, 32, 3, 0, {}, {0xFF0000, 0xFF00, 0xFF}, {0x30, 0x20, 0x10, 0xEE}}, {0x102030}},
      // RLE8, 4 x 3: a run of 3, the end of the row; an absolute run of 3
      // (padded to 4 bytes), the end of the row; a move right by 2, a run
      // of 1, the end of the picture. Skipped pixels are black.
      {"RLE8",
       {40, 4, 3, 8, 1, 3, {red, green, blue}, {}, {3, 1, 0, 0, 0, 3, 2, 0, 1, 0, 0, 0, 0, 2, 2, 0, 1, 2, 0, 1}},
       {0, 0, blue, 0, blue, red, green, 0, green, green, green, 0}},
      // RLE4, 5 x 2: a run of 5 alternating two indices, the end of the
      // row; an absolute run of 3 indices in 2 bytes, the end of the picture.
      {"RLE4",
       {40, 5, 2, 4, 2, 0, {red, green, blue}, {}, {5, 0x12, 0, 0, 0, 3, 0x01, 0x20, 0, 1}},
       {red, green, blue, 0, 0, green, blue, green, blue, green}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Image32 image;
    ASSERT_NO_THROW(image = DecodeBmp(c.file.Bytes()));
    EXPECT_EQ(image.width, c.file.width);
    EXPECT_EQ(image.height, std::abs(c.file.height));
    EXPECT_EQ(image.pixels, c.pixels);
  }
}

TEST(BmpDecodeTest, MalformedRunsStayInsideThePicture) {
  const std::vector<uint32_t> palette = {0x0000FF, 0xFFFFFF};
  auto rle8 = [&](int w, int h, std::vector<uint8_t> data) {
    return BmpFile{40, w, h, 8, 1, 2, palette, {}, std::move(data)}.Bytes();
  };
  // Runs and absolute runs longer than the row are cut at its end, not
  // carried to the next row; a move past the top ends the picture.
  Image32 image = DecodeBmp(rle8(3, 2, {255, 1, 0, 0, 0, 5, 1, 1, 1, 1, 1, 0, 0, 2, 200, 200, 9, 0}));
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>(6, 0xFFFFFF)));
  // An index past the palette is black; a row with no end mark runs on.
  image = DecodeBmp(rle8(2, 2, {1, 7, 1, 1, 0, 0, 2, 0}));
  EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x0000FF, 0x0000FF, 0, 0xFFFFFF}));

  const std::vector<std::pair<const char*, std::vector<uint8_t>>> refused = {
      {"an absolute run cut short", rle8(4, 1, {0, 6, 1, 1})},
      {"a move cut short", rle8(4, 1, {0, 2, 1})},
      {"rows missing", rle8(2, 3, {2, 1, 0, 0})},
      {"a huge picture from a few bytes", rle8(100000, 100000, {0, 1})},
      {"top-down", rle8(2, -2, {0, 1})},
      {"RLE8 at 4 bits", BmpFile{40, 2, 2, 4, 1, 0, palette, {}, {0, 1}}.Bytes()},
      {"a truncated 4-bit picture", BmpFile{40, 9, 2, 4, 0, 0, palette, {}, {0, 0, 0, 0, 0, 0, 0}}.Bytes()},
      {"masks cut short", BmpFile{40, 1, 1, 16, 3, 0, {}, {0xF800}, {}}.Bytes()},
  };
  for (const auto& [what, bytes] : refused) EXPECT_THROW(DecodeBmp(bytes), std::runtime_error) << what;
}

// What a crafted bitmap may claim: every size is checked against the one
// picture limit and the data the file holds before any memory is asked
// for; only a kind this reader does not decode, whose header passed those
// checks, is left to another decoder.
TEST(BmpSizeTest, CraftedClaimsAreRefusedBeforeMemoryIsAskedFor) {
  const std::vector<uint32_t> palette = {0x0000FF, 0xFFFFFF};
  int asked = 0;
  auto decode = [&](const std::vector<uint8_t>& bytes) {
    DecodeBmpInto(bytes, [&](int, int) -> BmpTarget {
      ++asked;
      throw std::runtime_error("memory asked for");
    });
  };
  // 1 MB of runs that may each cover 256 pixels: 32768 x 8192, a gigabyte
  // of pixels, within what the data could describe but over the limit.
  std::vector<uint8_t> runs(1 << 20, 0);
  for (size_t i = 0; i < runs.size(); i += 2) runs[i] = 255;
  const std::vector<std::pair<const char*, std::vector<uint8_t>>> refused = {
      {"runs claiming a huge picture", BmpFile{40, 32768, 8192, 8, 1, 2, palette, {}, runs}.Bytes()},
      {"a few runs over the side limit", BmpFile{40, 40000, 400, 8, 1, 2, palette, {}, {0, 1}}.Bytes()},
      {"2000 x 2000 over 1 KB", BmpFile{40, 2000, 2000, 24, 0, 0, {}, {}, std::vector<uint8_t>(1024, 7)}.Bytes()},
      // Kinds this reader does not decode, damaged the same ways.
      {"2 bits, rows missing", BmpFile{40, 64, 64, 2, 0, 0, palette, {}, std::vector<uint8_t>(100, 0)}.Bytes()},
      {"a PNG inside, over the limit", BmpFile{40, 40000, 40000, 0, 5, 0, {}, {}, {1, 2, 3}}.Bytes()},
      {"OS/2's long header, over the limit", BmpFile{64, 50000, 2, 24, 0, 0, {}, {}, {1, 2, 3}}.Bytes()},
  };
  for (const auto& [what, bytes] : refused) {
    try {
      decode(bytes);
      ADD_FAILURE() << what << ": decoded";
    } catch (const BmpUnsupported& e) {
      ADD_FAILURE() << what << ": left to another decoder: " << e.what();
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()).find("memory asked for"), std::string::npos) << what;
    }
    EXPECT_THROW((void)CheckBmpHeaders(bytes), std::runtime_error) << what;
  }
  EXPECT_EQ(asked, 0);

  // The pixel offset far past the end, in a kind we know and one we do not.
  for (uint16_t bits : {uint16_t(24), uint16_t(2)}) {
    std::vector<uint8_t> distant = BmpFile{40, 4, 4, bits, 0, 0, palette, {}, std::vector<uint8_t>(64, 0)}.Bytes();
    Put32(distant, 10, 0x7FFFFFF0);
    EXPECT_THROW(decode(distant), std::runtime_error) << bits;
    try {
      decode(distant);
    } catch (const BmpUnsupported&) {
      ADD_FAILURE() << bits << " bits: an offset past the end was left to another decoder";
    } catch (const std::runtime_error&) {
    }
  }
  EXPECT_EQ(asked, 0);

  // Whole files of kinds we do not decode: refused for another decoder, with their size.
  const std::vector<uint8_t> twoBits = BmpFile{40, 16, 4, 2, 0, 0, palette, {}, std::vector<uint8_t>(16, 0)}.Bytes();
  EXPECT_THROW(decode(twoBits), BmpUnsupported);
  EXPECT_EQ(asked, 0);
  const std::vector<uint8_t> png = BmpFile{40, 16, 4, 0, 5, 0, {}, {}, {1, 2, 3}}.Bytes();
  EXPECT_THROW((void)CheckBmpHeaders(png), BmpUnsupported);

  // The largest pictures allowed still decode.
  EXPECT_EQ(CheckBmpHeaders(BmpFile{40, 32768, 1, 8, 1, 2, palette, {}, {0, 1}}.Bytes()).width, 32768);
}

TEST(BmpSizeTest, EmptyPicturesAreRefusedEverywhere) {
  // A picture without rows or without columns is no picture; none of the
  // helpers may walk its rows or allocate for it.
  Image32 noRows;
  noRows.width = 5;
  Image32 noColumns;
  noColumns.height = 7;
  for (const Image32& empty : {Image32{}, noRows, noColumns}) {
    EXPECT_THROW(EncodeBmp(empty, 24), std::invalid_argument);
  }

  // 58 bytes claiming 0 x 1 243 021 059 pixels, and 5 x 0.
  std::vector<uint8_t> b = EncodeBmp(MakeImage(1, 1, 0x102030), 24);
  ASSERT_EQ(b.size(), 58u);
  Put32(b, 18, 0);
  Put32(b, 22, 1243021059);
  EXPECT_THROW(DecodeBmp(b), std::runtime_error);
  Put32(b, 22, static_cast<uint32_t>(-1243021059));  // the same, top-down
  EXPECT_THROW(DecodeBmp(b), std::runtime_error);
  Put32(b, 18, 5);
  Put32(b, 22, 0);
  EXPECT_THROW(DecodeBmp(b), std::runtime_error);

  TempDir dir;
  const std::string path = dir.file("keep.bmp");
  const std::vector<uint8_t> old = {'o', 'l', 'd'};
  WriteFileBytes(path, old);
  int rowsAsked = 0;
  const auto rowOf = [&](int) -> const uint32_t* {
    ++rowsAsked;
    return nullptr;
  };
  // No row at all, however wide: refused before anything is allocated or
  // the file is touched.
  EXPECT_THROW(WriteBmpFile(path, 100000000, 0, 32, rowOf), std::invalid_argument);
  EXPECT_THROW(WriteBmpFile(path, 0, 3, 24, rowOf), std::invalid_argument);
  EXPECT_EQ(rowsAsked, 0);
  // Width 0 used to copy rows from the null pointer.
  EXPECT_THROW(WriteBmpFile(path, nullptr, 0, 5, 32), std::invalid_argument);
  EXPECT_THROW(WriteBmpFile(path, Image32{}, 24), std::invalid_argument);
  EXPECT_THROW(WriteBmpFile(path, noRows, 32), std::invalid_argument);
  EXPECT_EQ(ReadFileBytes(path), old);
}

TEST(BmpSizeTest, AbsurdSizesAreRefusedBeforeAllocating) {
  TempDir dir;
  const std::string path = dir.file("big.bmp");
  const auto never = [](int) -> const uint32_t* {
    ADD_FAILURE() << "a row was asked for";
    return nullptr;
  };
  // Over the 4 GB a bitmap file can describe.
  EXPECT_THROW(WriteBmpFile(path, 65536, 32768, 32, never), std::invalid_argument);
  EXPECT_THROW(WriteBmpFile(path, -4, 4, 24, never), std::invalid_argument);
  EXPECT_FALSE(std::filesystem::exists(path));
  Image32 huge;
  huge.width = 65536;
  huge.height = 32768;
  EXPECT_THROW(EncodeBmp(huge, 24), std::invalid_argument);

  // A header promising more rows than the file holds.
  std::vector<uint8_t> b = EncodeBmp(MakeImage(2, 2, 0), 32);
  Put32(b, 18, 0x7FFFFFFF);
  Put32(b, 22, 0x7FFFFFFF);
  EXPECT_THROW(DecodeBmp(b), std::runtime_error);
}

TEST(BmpFileTest, WrittenFilesReadBackAndFailuresLeaveNothing) {
  TempDir dir;
  // More than one megabyte of rows: written in several pieces.
  // Byte 3 of the pixels is set and must not reach the file.
  Image32 image = MakeImage(700, 401);
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint32_t>(i * 2654435761u);
  std::vector<uint32_t> colours = image.pixels;
  for (uint32_t& p : colours) p &= 0xFFFFFF;
  for (int bits : {24, 32}) {
    const std::string path = dir.file("round" + std::to_string(bits) + ".bmp");
    WriteBmpFile(path, image, bits);
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    EXPECT_EQ(DecodeBmp(bytes).pixels, colours) << bits << " bits";
    // The same pixels and layout as the in-memory encoder, byte 3 included.
    const std::vector<uint8_t> encoded = EncodeBmp(image, bits);
    ASSERT_EQ(bytes.size(), encoded.size());
    EXPECT_TRUE(std::equal(bytes.begin() + 54, bytes.end(), encoded.begin() + 54));
  }

  // A row that cannot be had ends the write and leaves no partial file;
  // a picture that was there stays as it was.
  const std::string path = dir.file("partial.bmp");
  const uint32_t pixels[4] = {1, 2, 3, 4};
  EXPECT_THROW(WriteBmpFile(path, 4, 3, 24, [&](int y) -> const uint32_t* { return y == 0 ? nullptr : pixels; }),
               std::invalid_argument);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_THROW(WriteBmpFile(path, 4, 3, 24,
                            [&](int y) -> const uint32_t* {
                              if (y == 1) throw std::runtime_error("the picture went away");
                              return pixels;
                            }),
               std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(path));
  const std::string before = dir.file("round24.bmp");
  const std::vector<uint8_t> kept = ReadFileBytes(before);
  EXPECT_THROW(WriteBmpFile(before, 4, 3, 24, [&](int y) -> const uint32_t* { return y == 0 ? nullptr : pixels; }),
               std::invalid_argument);
  EXPECT_EQ(ReadFileBytes(before), kept);
  EXPECT_FALSE(std::filesystem::exists(before + ".new"));
  // A whole write replaces it.
  WriteBmpFile(before, 4, 3, 24, [&](int) { return pixels; });
  EXPECT_EQ(DecodeBmp(ReadFileBytes(before)).width, 4);
}

TEST(FileBytesTest, WriteReadAndFailuresNameThePath) {
  TempDir dir;
  const std::string path = dir.file("data.bin");
  std::vector<uint8_t> bytes(200000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 31);
  WriteFileBytes(path, bytes);
  EXPECT_EQ(std::filesystem::file_size(path), bytes.size());
  EXPECT_EQ(ReadFileBytes(path), bytes);

  WriteFileBytes(path, {});
  EXPECT_TRUE(ReadFileBytes(path).empty());

  const std::string missing = dir.file("missing.bin");
  try {
    ReadFileBytes(missing);
    ADD_FAILURE() << "reading a missing file succeeded";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos);
  }
  const std::string nowhere = dir.file("no-folder") + "/x.bin";
  try {
    WriteFileBytes(nowhere, bytes);
    ADD_FAILURE() << "writing into a missing folder succeeded";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(nowhere), std::string::npos);
  }
}

}  // namespace
}  // namespace wc
