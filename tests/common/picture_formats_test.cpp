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
// end chunk. CRCs are not ours to check: the decoder does.
std::vector<uint8_t> Png(uint32_t width, uint32_t height) {
  std::vector<uint8_t> b{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  auto chunk = [&](const char* type, std::vector<uint8_t> data) {
    for (int shift : {24, 16, 8, 0}) b.push_back(uint8_t(data.size() >> shift));
    b.insert(b.end(), type, type + 4);
    b.insert(b.end(), data.begin(), data.end());
    b.insert(b.end(), 4, 0);  // CRC
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

// Random damage to both skeletons, run under the sanitizers natively: the
// structure walks never read outside the bytes they are given.
TEST(PictureStructureTest, MutatedHeadersNeverReadPastTheirBytes) {
  std::mt19937 random(11);
  for (const std::vector<uint8_t>& original : {Png(40, 30), Gif(40, 30)}) {
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
