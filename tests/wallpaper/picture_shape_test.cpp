#include "wallpaper/picture_shape.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/bmp.h"
#include "common/image32.h"
#include "common/jpeg.h"
#include "temp_dir.h"

namespace wc {
namespace {

TEST(PictureShape, EachKindTellsItsShapeFromItsHeader) {
  test::TempDir dir;
  const std::string wide = dir.file("wide.jpg"), tall = dir.file("tall.jpg");
  EncodeJpegFile(wide, MakeImage(60, 40), 90);
  EncodeJpegFile(tall, MakeImage(40, 60), 90);
  EXPECT_EQ(ShapeOfPictureFile(wide), Shape::Landscape);
  EXPECT_EQ(ShapeOfPictureFile(tall), Shape::Portrait);

  // Bitmaps, stored bottom up as usual.
  const std::string bmp = dir.file("tall.bmp");
  WriteFileBytes(bmp, EncodeBmp(MakeImage(3, 7), 24));
  EXPECT_EQ(ShapeOfPictureFile(bmp), Shape::Portrait);
  // Top down (a negative height), and the OS/2 header with 16-bit sizes.
  std::vector<uint8_t> topDown = EncodeBmp(MakeImage(3, 7), 24);
  const int32_t minusSeven = -7;
  std::memcpy(&topDown[22], &minusSeven, 4);
  EXPECT_EQ(ShapeFromHeader(topDown), Shape::Portrait);
  std::vector<uint8_t> core(26, 0);
  core[0] = 'B', core[1] = 'M', core[14] = 12, core[18] = 9, core[20] = 4;
  EXPECT_EQ(ShapeFromHeader(core), Shape::Landscape);

  // A PNG's header chunk, 5 x 9.
  const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                    0,    0,   0,   5,   0,    0,    0,    9,    8, 2, 0, 0,  0};
  EXPECT_EQ(ShapeFromHeader(png), Shape::Portrait);
  // A square is landscape.
  EXPECT_EQ(ShapeOf(100, 100), Shape::Landscape);
}

TEST(PictureShape, WhatDoesNotTellHasNoShape) {
  test::TempDir dir;
  EXPECT_EQ(ShapeOfPictureFile(dir.file("missing.jpg")), std::nullopt);
  EXPECT_EQ(ShapeFromHeader({}), std::nullopt);
  const std::vector<uint8_t> text = {'<', 'h', 't', 'm', 'l', '>'};
  EXPECT_EQ(ShapeFromHeader(text), std::nullopt);
  // A JPEG cut before its size, and a bitmap claiming no width.
  std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10};
  EXPECT_EQ(ShapeFromHeader(jpeg), std::nullopt);
  std::vector<uint8_t> empty = EncodeBmp(MakeImage(3, 7), 24);
  std::fill(empty.begin() + 18, empty.begin() + 22, uint8_t(0));
  EXPECT_EQ(ShapeFromHeader(empty), std::nullopt);
}

}  // namespace
}  // namespace wc
