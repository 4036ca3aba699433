#include "common/picture_formats.h"
#include "common/entry_kind.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace wc {
namespace {

TEST(PictureExtensionsTest, SystemDecodersAddToTheBaseOnceEachWithoutCase) {
  EXPECT_TRUE(IsPictureExtension(".png"));
  EXPECT_TRUE(IsPictureExtension(".JpG"));
  EXPECT_TRUE(IsPictureExtension(".tiff"));
  EXPECT_FALSE(IsPictureExtension(".html"));
  EXPECT_FALSE(IsPictureExtension(""));
  EXPECT_FALSE(IsPictureExtension(".webp"));

  // What a codec lists: mixed case, repeats, a base one again, and entries a
  // damaged registration could hold.
  AddPictureExtensions(SplitExtensionList(".webp,.WebP; .heic ,.png,,jxl,.a/b,.*,.waytoolongext,.x.y"));
  EXPECT_TRUE(IsPictureExtension(".WEBP"));
  EXPECT_TRUE(IsPictureExtension(".heic"));
  const std::vector<std::string> all = PictureExtensions();
  const std::vector<std::string>& base = BasePictureExtensions();
  ASSERT_EQ(all.size(), base.size() + 2);
  EXPECT_TRUE(std::equal(base.begin(), base.end(), all.begin()));
  EXPECT_EQ(all[base.size()], ".WEBP");
  EXPECT_EQ(all[base.size() + 1], ".HEIC");
  for (const char* refused : {"jxl", ".a/b", ".*", ".waytoolongext", ".x.y"}) {
    EXPECT_FALSE(IsPictureExtension(refused)) << refused;
  }
  EXPECT_EQ(ExtensionPattern({".JPG", ".PNG"}), "*.jpg;*.png");
}

// Every place that tells movies and pages from pictures asks this one
// question: the case of the name and dots in folder names do not change the
// answer, and a Flash file, which no page the program writes can play, is
// no movie.
TEST(EntryKindTest, MoviesAndPagesByExtensionInAnyCaseAndEverythingElseIsAPicture) {
  EXPECT_EQ(KindOfEntry("C:\\clips\\CLIP.AVI"), EntryKind::Movie);
  EXPECT_EQ(KindOfEntry("C:\\clips\\clip.Mpeg"), EntryKind::Movie);
  EXPECT_EQ(KindOfEntry("C:\\clips\\clip.mpg"), EntryKind::Movie);
  EXPECT_EQ(KindOfEntry("C:\\web\\Index.HTML"), EntryKind::Page);
  EXPECT_EQ(KindOfEntry("C:\\web\\index.htm"), EntryKind::Page);
  EXPECT_EQ(KindOfEntry("C:\\web\\banner.swf"), EntryKind::Picture);
  EXPECT_EQ(KindOfEntry("C:\\movie.avi\\still.jpg"), EntryKind::Picture);
  EXPECT_EQ(KindOfEntry("C:\\page.html\\noextension"), EntryKind::Picture);
  EXPECT_EQ(KindOfEntry(""), EntryKind::Picture);
  for (const auto& list : {MovieExtensions(), PageExtensions()}) {
    for (const std::string& e : list) EXPECT_FALSE(IsPictureExtension(e)) << e;
  }
}

std::vector<uint8_t> Bytes(std::initializer_list<int> b) { return std::vector<uint8_t>(b.begin(), b.end()); }

TEST(PictureSignatureTest, TellsEachKindFromItsFirstBytes) {
  EXPECT_EQ(SniffPicture(Bytes({0xFF, 0xD8, 0xFF, 0xE0})), PictureSignature::Jpeg);
  EXPECT_EQ(SniffPicture(Bytes({'B', 'M', 0x36, 0})), PictureSignature::Bitmap);
  EXPECT_EQ(SniffPicture(Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0})), PictureSignature::Png);
  EXPECT_EQ(SniffPicture(Bytes({'G', 'I', 'F', '8', '9', 'a'})), PictureSignature::Gif);
  EXPECT_EQ(SniffPicture(Bytes({'I', 'I', 42, 0, 8, 0})), PictureSignature::Tiff);
  EXPECT_EQ(SniffPicture(Bytes({'M', 'M', 0, 42, 0, 8})), PictureSignature::Tiff);
  EXPECT_EQ(SniffPicture(Bytes({0, 0, 1, 0, 1, 0})), PictureSignature::Icon);
  EXPECT_EQ(SniffPicture(Bytes({0xD7, 0xCD, 0xC6, 0x9A})), PictureSignature::Metafile);
  EXPECT_EQ(SniffPicture(Bytes({1, 0, 9, 0, 0, 3})), PictureSignature::Metafile);
  // A text file named .jpg, an icon header with no image, a cut signature.
  EXPECT_EQ(SniffPicture(Bytes({'h', 'e', 'l', 'l', 'o'})), PictureSignature::Unknown);
  EXPECT_EQ(SniffPicture(Bytes({0, 0, 1, 0, 0, 0})), PictureSignature::Unknown);
  EXPECT_EQ(SniffPicture(Bytes({0x89, 'P', 'N'})), PictureSignature::Unknown);
  EXPECT_EQ(SniffPicture({}), PictureSignature::Unknown);
}

// A PNG's skeleton: signature, header chunk (width, height), data chunk,
// end chunk, each with its checksum over type and data.
std::vector<uint8_t> Png(uint32_t width, uint32_t height) {
  std::vector<uint8_t> b{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  auto chunk = [&](const char* type, std::vector<uint8_t> data) {
    for (int shift : {24, 16, 8, 0}) b.push_back(uint8_t(data.size() >> shift));
    const size_t start = b.size();
    b.insert(b.end(), type, type + 4);
    b.insert(b.end(), data.begin(), data.end());
    const uint32_t crc = Crc32(std::span(b).subspan(start));
    for (int shift : {24, 16, 8, 0}) b.push_back(uint8_t(crc >> shift));
  };
  std::vector<uint8_t> header;
  for (uint32_t v : {width, height}) {
    for (int shift : {24, 16, 8, 0}) header.push_back(uint8_t(v >> shift));
  }
  header.insert(header.end(), {8, 2, 0, 0, 0});
  chunk("IHDR", header);
  chunk("IDAT", {1, 2, 3, 4, 5});
  chunk("IEND", {});
  return b;
}

// A GIF: 2 x 1 screen, no colour table, an extension, then one image of the
// given size with one data sub-block, then the trailer.
std::vector<uint8_t> Gif(uint16_t width, uint16_t height) {
  std::vector<uint8_t> b{'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0, 0, 0};
  b.insert(b.end(), {0x21, 0xF9, 4, 0, 0, 0, 0, 0});
  b.insert(b.end(), {0x2C, 0, 0, 0, 0, uint8_t(width), uint8_t(width >> 8), uint8_t(height), uint8_t(height >> 8), 0});
  b.insert(b.end(), {2, 3, 9, 9, 9, 0, 0x3B});
  return b;
}

TEST(PictureStructureTest, ClaimedSizesAndCutFilesAreSeenBeforeAnyDecoder) {
  EXPECT_EQ(ClaimedPictureSize(Png(100000, 3))->width, 100000);
  EXPECT_EQ(ClaimedPictureSize(Png(7, 100000))->height, 100000);
  // A GIF's largest frame counts, not only its screen.
  EXPECT_EQ(ClaimedPictureSize(Gif(60000, 5))->width, 60000);
  EXPECT_FALSE(ClaimedPictureSize(Bytes({0xFF, 0xD8, 0xFF})).has_value());

  const std::vector<uint8_t> png = Png(4, 4), gif = Gif(2, 1);
  EXPECT_TRUE(PictureDataComplete(png));
  EXPECT_TRUE(PictureDataComplete(gif));
  // (Shorter than its signature a file is no PNG at all, and the decoder refuses it.)
  for (size_t keep = 8; keep < png.size(); ++keep) {
    EXPECT_FALSE(PictureDataComplete(std::span(png.data(), keep))) << keep;
  }
  // The GIF is whole once its first image's data ends; the trailer may go.
  for (size_t keep = 4; keep + 2 < gif.size(); ++keep) {
    EXPECT_FALSE(PictureDataComplete(std::span(gif.data(), keep))) << keep;
  }
  EXPECT_TRUE(PictureDataComplete(std::span(gif.data(), gif.size() - 1)));
}

// An icon of one image at the given offset and length, the directory
// saying 32 x 32, the image a bitmap header of the given size.
std::vector<uint8_t> Icon(int32_t width, int32_t height, uint32_t offset = 22, uint32_t length = 40) {
  std::vector<uint8_t> b{0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0};
  for (uint32_t v : {length, offset}) {
    for (int shift : {0, 8, 16, 24}) b.push_back(uint8_t(v >> shift));
  }
  for (uint32_t v : {40u, uint32_t(width), uint32_t(height) * 2, 0x00200001u}) {
    for (int shift : {0, 8, 16, 24}) b.push_back(uint8_t(v >> shift));
  }
  b.resize(22 + 40, 0);
  return b;
}

// An enhanced metafile's header record with its frame in hundredths of a
// millimetre and the file's length; then an end record.
std::vector<uint8_t> Emf(int32_t frameWidth, int32_t frameHeight, uint32_t length = 108) {
  std::vector<uint8_t> b(108, 0);
  auto put = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
  };
  put(0, 1), put(4, 88);
  put(32, uint32_t(frameWidth)), put(36, uint32_t(frameHeight));
  b[40] = ' ', b[41] = 'E', b[42] = 'M', b[43] = 'F';
  put(44, 0x10000), put(48, length), put(52, 2);
  put(88, 14), put(92, 20);
  return b;
}

// A placeable metafile: its 22-byte header (a frame in units per inch),
// then a plain one of 18 bytes whose length in words is given.
std::vector<uint8_t> Placeable(int16_t right, int16_t bottom, uint16_t perInch, uint32_t words = 12) {
  std::vector<uint8_t> b{0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, uint8_t(right), uint8_t(right >> 8),
                         uint8_t(bottom), uint8_t(bottom >> 8), uint8_t(perInch), uint8_t(perInch >> 8),
                         0, 0, 0, 0, 0, 0};
  b.insert(b.end(), {1, 0, 9, 0, 0, 3, uint8_t(words), uint8_t(words >> 8), uint8_t(words >> 16), uint8_t(words >> 24),
                     0, 0, 0, 0, 0, 0, 0, 0});
  b.insert(b.end(), {3, 0, 0, 0, 0, 0});  // the end record
  return b;
}

TEST(PictureStructureTest, PngChecksumsAreCheckedChunkByChunk) {
  // The standard check value.
  const std::string nine = "123456789";
  EXPECT_EQ(Crc32(std::span(reinterpret_cast<const uint8_t*>(nine.data()), nine.size())), 0xCBF43926u);
  EXPECT_EQ(Crc32({}), 0u);
  // Lengths around the eight-byte steps agree with the byte-at-a-time sum.
  std::vector<uint8_t> data(41);
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 37 + 11);
  for (size_t n = 0; n <= data.size(); ++n) {
    uint32_t c = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
      c ^= data[i];
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    EXPECT_EQ(Crc32(std::span(data.data(), n)), ~c) << n;
  }

  const std::vector<uint8_t> png = Png(4, 4);
  ASSERT_TRUE(PictureDataComplete(png));
  // One bit wrong in the header's data, the pixel data, any checksum, or a
  // chunk's type: the file is damaged.
  const size_t header = 8, pixels = 8 + 25, end = 8 + 25 + 17;
  for (size_t at : {header + 4, header + 9, header + 21, pixels + 4, pixels + 10, pixels + 14, end + 5, end + 9}) {
    std::vector<uint8_t> bad = png;
    bad[at] ^= 0x10;
    EXPECT_FALSE(PictureDataComplete(bad)) << "bit flipped at " << at;
  }
}

TEST(PictureStructureTest, IconsAndMetafilesClaimTheirSizeAndMustHoldTheirData) {
  EXPECT_EQ(ClaimedPictureSize(Icon(48, 16))->width, 48);
  EXPECT_EQ(ClaimedPictureSize(Icon(48, 16))->height, 32);  // the directory's 32 is the larger
  EXPECT_EQ(ClaimedPictureSize(Icon(100000, 3))->width, 100000);
  EXPECT_TRUE(PictureDataComplete(Icon(32, 32)));
  EXPECT_FALSE(PictureDataComplete(Icon(32, 32, 22, 4000)));  // longer than the file
  EXPECT_FALSE(PictureDataComplete(Icon(32, 32, 1u << 31)));  // starting far past it
  EXPECT_FALSE(PictureDataComplete(Icon(32, 32, 10)));         // inside the directory
  EXPECT_FALSE(PictureDataComplete(std::span<const uint8_t>(Icon(32, 32)).first(20)));

  // 2540 hundredths of a millimetre is an inch: 96 pixels.
  EXPECT_EQ(ClaimedPictureSize(Emf(2540, 5080))->width, 96);
  EXPECT_EQ(ClaimedPictureSize(Emf(2540, 5080))->height, 192);
  EXPECT_FALSE(PictureSizeAllowed(ClaimedPictureSize(Emf(2000000000, 2540))->width, 96));
  EXPECT_TRUE(PictureDataComplete(Emf(2540, 2540)));
  EXPECT_FALSE(PictureDataComplete(Emf(2540, 2540, 1000000)));
  std::vector<uint8_t> noSignature = Emf(2540, 2540);
  noSignature[41] = 'X';
  EXPECT_FALSE(PictureDataComplete(noSignature));

  EXPECT_EQ(ClaimedPictureSize(Placeable(1440, 720, 1440))->width, 96);
  EXPECT_EQ(ClaimedPictureSize(Placeable(1440, 720, 1440))->height, 48);
  EXPECT_FALSE(PictureSizeAllowed(ClaimedPictureSize(Placeable(32000, 32000, 1))->width, 1));
  EXPECT_TRUE(PictureDataComplete(Placeable(1440, 720, 1440)));
  EXPECT_FALSE(PictureDataComplete(Placeable(1440, 720, 1440, 5000)));
  const std::vector<uint8_t> placeable = Placeable(1440, 720, 1440);
  // Without its placeable header: a plain metafile, whole, claiming no size.
  const std::vector<uint8_t> plain(placeable.begin() + 22, placeable.end());
  EXPECT_EQ(SniffPicture(plain), PictureSignature::Metafile);
  EXPECT_FALSE(ClaimedPictureSize(plain).has_value());
  EXPECT_TRUE(PictureDataComplete(plain));
  EXPECT_FALSE(PictureDataComplete(std::span<const uint8_t>(plain).first(plain.size() - 2)));
}

// Random damage to every skeleton, run under the sanitizers natively: the
// structure walks never read outside the bytes they are given.
TEST(PictureStructureTest, MutatedHeadersNeverReadPastTheirBytes) {
  std::mt19937 random(11);
  for (const std::vector<uint8_t>& original :
       {Png(40, 30), Gif(40, 30), Icon(40, 30), Emf(2540, 2540), Placeable(1440, 720, 1440)}) {
    for (int round = 0; round < 20000; ++round) {
      std::vector<uint8_t> bytes = original;
      for (int c = 0, n = 1 + int(random() % 6); c < n; ++c) {
        const size_t at = random() % bytes.size();
        if (random() % 4 == 0) {
          bytes.resize(at);
          if (bytes.empty()) break;
        } else {
          bytes[at] = uint8_t(random());
        }
      }
      // Exact copies in memory of their own size, so the sanitizer sees any overrun.
      const std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size() + 1]);
      std::copy(bytes.begin(), bytes.end(), exact.get());
      const std::span<const uint8_t> view(exact.get(), bytes.size());
      (void)SniffPicture(view);
      (void)PictureDataComplete(view);
      if (const auto size = ClaimedPictureSize(view)) {
        EXPECT_GE(size->width, 0);
      }
    }
  }
}

TEST(PictureSizeTest, RefusesWhatNoWallpaperNeeds) {
  EXPECT_TRUE(PictureSizeAllowed(1, 1));
  EXPECT_TRUE(PictureSizeAllowed(32768, 4096));
  EXPECT_FALSE(PictureSizeAllowed(32769, 1));
  EXPECT_FALSE(PictureSizeAllowed(20000, 20000));  // 400 megapixels
  EXPECT_FALSE(PictureSizeAllowed(0, 10));
  EXPECT_FALSE(PictureSizeAllowed(-5, 10));
  EXPECT_NE(PictureSizeRefusal(40000, 40000).find("40000 x 40000"), std::string::npos);
}

TEST(ComposeOverTest, TransparencyShowsTheBackgroundAndOpaquePixelsStayExact) {
  const uint32_t teal = 0x008080;
  std::vector<uint32_t> pixels{
      0xFF123456,  // opaque: kept, alpha byte cleared
      0x00000000,  // fully transparent: the background
      0x80800000,  // half-transparent red, premultiplied
      0x10FFFFFF,  // damaged: colour above its alpha, capped not wrapped
  };
  ComposeOver(pixels, teal);
  EXPECT_EQ(pixels[0], 0x123456u);
  EXPECT_EQ(pixels[1], teal);
  EXPECT_EQ(pixels[2], 0x804040u);
  EXPECT_EQ(pixels[3], 0xFFFFFFu);

  // Whatever the bytes, every result is opaque and no channel wraps below
  // the background's share.
  std::mt19937 random(7);
  std::vector<uint32_t> noise(4096);
  for (uint32_t& p : noise) p = random();
  std::vector<uint32_t> before = noise;
  ComposeOver(noise, 0xFFFFFF);
  for (size_t i = 0; i < noise.size(); ++i) {
    EXPECT_EQ(noise[i] >> 24, 0u);
    const int alpha = int(before[i] >> 24);
    for (int shift : {0, 8, 16}) {
      EXPECT_GE(int((noise[i] >> shift) & 0xFF), 255 - alpha - 1) << i;
    }
  }
}

}  // namespace
}  // namespace wc
