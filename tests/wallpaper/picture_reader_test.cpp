// The one picture reader on real files of every kind the system decodes
// under Wine, on files named for another kind, on damaged files, and on a
// few thousand mutations of them (a crash or a picture beyond the limits
// fails the run).
#include "wallpaper/picture_reader.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "common/bmp.h"
#include "common/jpeg.h"
#include "common/picture_formats.h"
#include "temp_dir.h"
#include "ui/error.h"

namespace wc {
namespace {

using test::TempDir;

constexpr uint32_t kBackground = 0x008080;

std::string Sample(const std::string& name) { return std::string(WC_TEST_PICTURES) + "\\" + name; }

void ExpectNear(uint32_t actual, uint32_t expected) {
  for (int shift : {0, 8, 16}) {
    EXPECT_LE(std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)), 2)
        << std::hex << actual << " for " << expected;
  }
}

TEST(PictureReaderTest, EveryKindTheSystemDecodesGivesItsFirstFrameOverTheBackground) {
  const struct {
    const char* file;
    const char* type;
    uint32_t colour;
  } kinds[] = {
      {"png8-palette.png", "PNG image", 0xC80000},    {"png24.png", "PNG image", 0x00A000},
      {"png-interlaced.png", "PNG image", 0xC8C800},  {"png16.png", "PNG image", 0x00C8C8},
      {"gif-animated.gif", "GIF image", 0xC800C8},     // the first of two frames
      {"tiff-two-pages.tiff", "TIFF image", 0xFF8000},  // the first of two pages
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.file);
    const ui::Bitmap bitmap = ReadPictureBitmap(Sample(kind.file), kBackground);
    ASSERT_EQ(bitmap.Width(), 48);
    ASSERT_EQ(bitmap.Height(), 32);
    ExpectNear(bitmap.Bits()[10 * 48 + 30], kind.colour);
    const PictureFileInfo info = ReadPictureInfo(Sample(kind.file));
    EXPECT_EQ(info.width, 48);
    EXPECT_EQ(info.height, 32);
    EXPECT_NE(info.type.find(kind.type), std::string::npos) << info.type;
  }
  const ui::Bitmap alpha = ReadPictureBitmap(Sample("png32-alpha.png"), kBackground);
  ExpectNear(alpha.Bits()[2], kBackground);
  ExpectNear(alpha.Bits()[15], 0x644040);
  ExpectNear(alpha.Bits()[40], 0x0000C8);
  EXPECT_EQ(alpha.Bits()[40] >> 24, 0u);
}

TEST(PictureReaderTest, TheSystemsDecodersAddTheirExtensions) {
  EXPECT_FALSE(IsPictureExtension(".jfif"));
  LearnSystemPictureExtensions();
  // Wine's JPEG and DDS decoders list these; neither is in the base.
  EXPECT_TRUE(IsPictureExtension(".jfif"));
  EXPECT_TRUE(IsPictureExtension(".DDS"));
  const std::vector<std::string> all = PictureExtensions();
  EXPECT_TRUE(std::equal(BasePictureExtensions().begin(), BasePictureExtensions().end(), all.begin()));
}

TEST(PictureReaderTest, TheContentDecidesNotTheName) {
  TempDir dir;
  // A PNG saved as .jpg, a JPEG saved as .png, text saved as .png.
  ASSERT_TRUE(CopyFileA(Sample("png24.png").c_str(), dir.file("really-png.jpg").c_str(), FALSE));
  EncodeJpegFile(dir.file("really-jpeg.png"), MakeImage(16, 8, 0xFF0000), 95);
  WriteFileBytes(dir.file("text.png"), {'h', 'e', 'l', 'l', 'o'});
  ExpectNear(ReadPictureBitmap(dir.file("really-png.jpg"), 0).Bits()[0], 0x00A000);
  ExpectNear(ReadPictureBitmap(dir.file("really-jpeg.png"), 0).Bits()[0], 0xFF0000);
  EXPECT_EQ(ReadPictureInfo(dir.file("really-jpeg.png")).type, "JPEG image");
  try {
    (void)ReadPictureFile(dir.file("text.png"), 0);
    ADD_FAILURE() << "text decoded as a picture";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("text.png"), std::string::npos) << e.what();
  }
  EXPECT_THROW((void)ReadPictureFile(dir.file("missing.png"), 0), std::exception);
}

TEST(PictureReaderTest, PngWrittenReadsBackEqual) {
  TempDir dir;
  Image32 image = MakeImage(37, 23);
  for (int y = 0; y < 23; ++y) {
    for (int x = 0; x < 37; ++x) image.at(x, y) = MakePixel(uint8_t(x * 7), uint8_t(y * 11), uint8_t(x ^ y));
  }
  const ui::Bitmap bitmap = ui::Bitmap::FromImage(image);
  WritePngFile(dir.file("out.png"), bitmap);
  EXPECT_EQ(ReadPictureBitmap(dir.file("out.png"), 0).ToImage().pixels, image.pixels);
  EXPECT_EQ(ReadPictureInfo(dir.file("out.png")).type.find("PNG"), 0u);
  // A failed write keeps what was there: here another program holds the
  // file open, letting others read and write it but not replace it. A
  // writer that wrote over the file in place would succeed and lose it.
  const std::vector<uint8_t> before = ReadFileBytes(dir.file("out.png"));
  {
    HANDLE held = CreateFileA(dir.file("out.png").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(WritePngFile(dir.file("out.png"), ui::Bitmap::FromImage(MakeImage(5, 5, 0xFF0000))), std::exception);
    CloseHandle(held);
  }
  EXPECT_EQ(ReadFileBytes(dir.file("out.png")), before);
  EXPECT_EQ(ReadPictureBitmap(dir.file("out.png"), 0).ToImage().pixels, image.pixels);
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.png.new")));
}

// Damaged files, and thousands of random mutations of every sample: each
// read either fails with an exception or gives a picture within the limits.
// Never a crash, never a hang. The seed is fixed, so a failure replays.
TEST(PictureReaderTest, DamagedAndMutatedFilesFailCleanly) {
  const char* samples[] = {"png8-palette.png", "png24.png",        "png-interlaced.png", "png16.png",
                           "png32-alpha.png",  "gif-animated.gif", "tiff-two-pages.tiff"};
  std::mt19937 random(20261209);
  int decoded = 0, refused = 0;
  for (const char* name : samples) {
    const std::string original = ui::ReadSharedFile(Sample(name));
    // Cut inside the first picture (or, for a PNG, anywhere before its end
    // chunk): never a picture. A TIFF or GIF cut in a later page keeps its
    // first one whole.
    const bool png = std::string(name).ends_with(".png");
    for (size_t keep : {size_t(8), original.size() / 3, original.size() / 2, original.size() - (png ? 13 : 0)}) {
      if (keep == original.size()) continue;
      EXPECT_THROW((void)DecodePicture(original.substr(0, keep), name, 0), std::exception)
          << name << " cut to " << keep;
    }
    for (int round = 0; round < 150; ++round) {
      std::string bytes = original;
      const int changes = 1 + int(random() % 8);
      for (int c = 0; c < changes; ++c) {
        const size_t at = random() % bytes.size();
        switch (random() % 3) {
          case 0: bytes[at] = char(random()); break;
          case 1: bytes[at] = char(bytes[at] ^ (1 << (random() % 8))); break;
          default: bytes.resize(at + 1); break;
        }
      }
      try {
        const ui::Picture picture = DecodePicture(bytes, name, 0);
        EXPECT_TRUE(PictureSizeAllowed(picture.Width(), picture.Height())) << name << " round " << round;
        ++decoded;
      } catch (const std::exception&) {
        ++refused;
      }
    }
  }
  // Both outcomes happen, so the mutations reach past the signature.
  EXPECT_GT(decoded, 0);
  EXPECT_GT(refused, 0);
  std::printf("mutations: %d decoded, %d refused\n", decoded, refused);
}

}  // namespace
}  // namespace wc
