// The picture reader speaks the program's language: with a shipped language
// file loaded, a refused file is told in that language with its name and the
// kind of fault, and the preview's kind of picture is named in it too.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/bmp.h"
#include "common/image32.h"
#include "common/jpeg.h"
#include "lang/lang.h"
#include "temp_dir.h"
#include "ui/graphics.h"
#include "wallpaper/picture_reader.h"

#ifndef WC_LANG_FILES_DIR
#error "WC_LANG_FILES_DIR names the folder holding the shipped .lng files"
#endif

namespace wc {
namespace {

class ReaderTextsTest : public ::testing::Test {
 protected:
  void Speak(const std::string& language) {
    program.SetLanguageFile(std::string(WC_LANG_FILES_DIR) + "\\" + language + ".lng");
    program.MakeProgramLanguage();
  }
  // What the reader says of the file, or "" when it reads it.
  static std::string Refusal(const std::string& path) {
    try {
      (void)ReadPictureBitmap(path, 0);
    } catch (const std::exception& e) {
      return e.what();
    }
    return "";
  }
  std::string Cut(const std::string& whole, size_t keep, const std::string& name) {
    std::vector<uint8_t> bytes = ReadFileBytes(whole);
    bytes.resize(keep);
    WriteFileBytes(dir.file(name), bytes);
    return dir.file(name);
  }

  test::TempDir dir;
  ui::Component app{nullptr, "Application"};
  TLanguage program{&app, "Language"};
};

TEST_F(ReaderTextsTest, RefusalsAndKindsAreSaidInTheProgramsLanguage) {
  EncodeJpegFile(dir.file("whole.jpg"), MakeImage(64, 48, 0x336699), 90);
  const std::string cutJpeg = Cut(dir.file("whole.jpg"), ReadFileBytes(dir.file("whole.jpg")).size() / 2, "cut.jpg");
  WriteBmpFile(dir.file("whole.bmp"), MakeImage(16, 16, 0x00FF00), 24);
  const std::string cutBitmap = Cut(dir.file("whole.bmp"), 54 + 16 * 16 * 3 / 2, "cut.bmp");
  // A bitmap header claiming 100000 x 100000 pixels, and nothing else.
  std::vector<uint8_t> huge(54, 0);
  huge[0] = 'B', huge[1] = 'M', huge[10] = 54, huge[14] = 40, huge[26] = 1, huge[28] = 24;
  for (size_t at : {size_t(18), size_t(22)}) huge[at] = 0xA0, huge[at + 1] = 0x86, huge[at + 2] = 0x01;
  WriteFileBytes(dir.file("huge.bmp"), huge);
  WritePngFile(dir.file("small.png"), ui::Bitmap::FromImage(MakeImage(8, 8, 0xFF0000)));

  // Without a language: English, as the tests of the readers expect it.
  EXPECT_EQ(Refusal(cutJpeg), "Cannot read the picture \"" + cutJpeg + "\": the file is cut short");
  EXPECT_EQ(ReadPictureInfo(dir.file("small.png")).type, "PNG image");

  Speak("French");
  EXPECT_EQ(Refusal(cutJpeg), "Impossible de lire l'image « " + cutJpeg + " » : le fichier est tronqué");
  EXPECT_EQ(Refusal(cutBitmap), "Impossible de lire l'image « " + cutBitmap + " » : le fichier est tronqué");
  EXPECT_EQ(Refusal(dir.file("huge.bmp")),
            "Impossible de lire l'image « " + dir.file("huge.bmp") +
                " » : l'image fait 100000 x 100000 pixels ; la plus grande acceptée fait 32768 pixels de côté et "
                "134 mégapixels");
  EXPECT_EQ(ReadPictureInfo(dir.file("small.png")).type, "Image PNG");
  EXPECT_EQ(ReadPictureInfo(dir.file("whole.jpg")).type, "Image JPEG");

  // Arabic: the sentence is Arabic from its first letter, so the name and
  // the numbers sit inside it rather than English punctuation at its ends.
  Speak("Arabic");
  const std::string said = Refusal(dir.file("huge.bmp"));
  EXPECT_EQ(said.rfind("\xD8\xAA\xD8\xB9\xD8\xB0\xD9\x91\xD8\xB1\xD8\xAA", 0), 0u) << said;  // "could not"
  EXPECT_NE(said.find(dir.file("huge.bmp")), std::string::npos) << said;
  EXPECT_NE(said.find("100000 \xC3\x97 100000"), std::string::npos) << said;
}

}  // namespace
}  // namespace wc
