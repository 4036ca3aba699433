// Reading language files as the system's INI functions would, and what they
// do not: byte-order marks, UTF-16 files and values cut in a character.
#include <gtest/gtest.h>

#include <fstream>

#include "lang/language_file.h"
#include "temp_dir.h"

namespace wc {
namespace {

TEST(LanguageFileText, ReadsSectionsAndKeysLikeTheIniFunctions) {
  const auto file = LanguageFileText::Parse(
      "; a comment\r\n"
      "[Translations]\r\n"
      "  MainForm.MainNew.Caption =  Nouveau  \r\n"
      "MainForm.MainSave.Caption=\"  quoted  \"\r\n"
      "MainForm.Empty.Caption=\r\n"
      "MainForm.MainNew.Caption=second, never read\n"
      "[ messages ]\n"
      "Message130=Monter\r"
      "Message131='Descendre'\n"
      "[Translations]\n"
      "MainForm.Late.Caption=in a second section of the same name\n");
  EXPECT_EQ(file.Read("Translations", "MainForm.MainNew.Caption", "?"), "Nouveau");
  EXPECT_EQ(file.Read("TRANSLATIONS", "mainform.mainnew.caption", "?"), "Nouveau");
  EXPECT_EQ(file.Read("Translations", "MainForm.MainSave.Caption", "?"), "  quoted  ");
  EXPECT_TRUE(file.Has("Translations", "MainForm.Empty.Caption"));
  EXPECT_EQ(file.Read("Translations", "MainForm.Empty.Caption", "?"), "");
  EXPECT_EQ(file.Read("Messages", "Message130", "Message130"), "Monter");
  EXPECT_EQ(file.Read("Messages", "Message131", "Message131"), "Descendre");
  EXPECT_EQ(file.Read("Messages", "Message999", "Message999"), "Message999");
  EXPECT_EQ(file.Read("Nowhere", "Message130", "x"), "x");
  // The first section of a name is the one read.
  EXPECT_EQ(file.Read("Translations", "MainForm.Late.Caption", "not there"), "not there");
}

TEST(LanguageFileText, ByteOrderMarksAndUtf16FilesStillTranslate) {
  const std::string body = "[Translations]\r\nMainForm.MainNew.Caption=Nouveau \xC3\xA9\r\n";
  const auto utf8 = LanguageFileText::Parse("\xEF\xBB\xBF" + body);
  EXPECT_EQ(utf8.Read("Translations", "MainForm.MainNew.Caption", "?"), "Nouveau \xC3\xA9");

  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  // "[T]\nk=é😀" with the emoji as a surrogate pair.
  const std::u16string units = u"[T]\nk=\u00E9\U0001F600";
  for (char16_t u : units) {
    le += char(u & 0xFF), le += char(u >> 8);
    be += char(u >> 8), be += char(u & 0xFF);
  }
  EXPECT_EQ(LanguageFileText::Parse(le).Read("T", "k", "?"), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(LanguageFileText::Parse(be).Read("T", "k", "?"), "\xC3\xA9\xF0\x9F\x98\x80");
}

TEST(LanguageFileText, LinesSavedInTheLegacyCodePageAreConvertedAndUtf8LinesKept) {
  // An editor's save in Windows-1252 beside lines already in UTF-8.
  const std::string bytes =
      "[Translations]\r\n"
      "MainForm.MainNew.Caption=Cr\xE9" "er une \xAB liste \xBB\r\n"
      "MainForm.MainSave.Caption=Enregistrer \xC3\xA9t\xC3\xA9\r\n"
      "[Messages]\r\nMessage4=Le fond d'\xE9" "cran a \xE9t\xE9 effac\xE9.\r\n";
  const auto file = LanguageFileText::Parse(bytes);
  EXPECT_EQ(file.Read("Translations", "MainForm.MainNew.Caption", "?"), "Cr\xC3\xA9" "er une \xC2\xAB liste \xC2\xBB");
  EXPECT_EQ(file.Read("Translations", "MainForm.MainSave.Caption", "?"), "Enregistrer \xC3\xA9t\xC3\xA9");
  EXPECT_EQ(file.Read("Messages", "Message4", "?"), "Le fond d'\xC3\xA9" "cran a \xC3\xA9t\xC3\xA9 effac\xC3\xA9.");

  // The caller's code page when it names one: a stand-in that turns every
  // line it is given into one known entry, so only the legacy lines change.
  const auto converted = LanguageFileText::Parse(bytes, [](std::string_view) { return std::string("Converted=yes"); });
  EXPECT_EQ(converted.Read("Translations", "Converted", "?"), "yes");
  EXPECT_EQ(converted.Read("Messages", "Converted", "?"), "yes");
  EXPECT_FALSE(converted.Has("Translations", "MainForm.MainNew.Caption"));
  EXPECT_TRUE(converted.Has("Translations", "MainForm.MainSave.Caption"));
}

TEST(LanguageFileText, LongValuesAreCutToTheSystemBufferOnAWholeCharacter) {
  const std::string ascii(3000, 'a');
  auto file = LanguageFileText::Parse("[M]\nlong=" + ascii + "\n");
  EXPECT_EQ(file.Read("M", "long", ""), std::string(kLanguageValueMax, 'a'));

  // 2046 bytes, then a two-byte letter across the limit: it goes whole.
  const std::string split = std::string(2046, 'b') + "\xC3\xA9" + "tail";
  file = LanguageFileText::Parse("[M]\nlong=" + split + "\n");
  EXPECT_EQ(file.Read("M", "long", ""), std::string(2046, 'b'));
  // Arabic letters, two bytes each: the one across the limit goes, the one
  // ending on it stays.
  std::string arabic;
  while (arabic.size() < 2048) arabic += "\xD8\xB9";
  file = LanguageFileText::Parse("[M]\nk=" + arabic + "\n");
  EXPECT_EQ(file.Read("M", "k", ""), arabic.substr(0, 2046));
  const std::string onTheLimit = std::string(2045, 'c') + "\xD8\xB9";
  file = LanguageFileText::Parse("[M]\nk=" + onTheLimit + "tail\n");
  EXPECT_EQ(file.Read("M", "k", ""), onTheLimit);
  EXPECT_EQ(CutUtf8("\xE2\x82\xAC\xE2\x82\xAC", 4), "\xE2\x82\xAC");
}

TEST(LanguageFileText, MissingFilesReadEmpty) {
  test::TempDir dir;
  const auto missing = LanguageFileText::Load(dir.file("Klingon.lng"));
  EXPECT_TRUE(missing.Sections().empty());
  EXPECT_EQ(missing.Read("Messages", "Message4", "Message4"), "Message4");
  EXPECT_TRUE(LanguageFileText::Load("").Sections().empty());
  EXPECT_TRUE(LanguageFileText::Load(dir.path()).Sections().empty());  // a folder

  const std::string path = dir.file("French.lng");
  std::ofstream(path, std::ios::binary) << "[Messages]\nMessage4=Fond d'\xC3\xA9" "cran effac\xC3\xA9\n";
  EXPECT_EQ(LanguageFileText::Load(path).Read("Messages", "Message4", "?"),
            "Fond d'\xC3\xA9" "cran effac\xC3\xA9");
}

}  // namespace
}  // namespace wc
