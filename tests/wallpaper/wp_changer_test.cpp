// The wallpaper applier against a scratch registry key, a scratch Windows
// folder and a recording stand-in for the system call, plus one run against
// the real HKCU "Control Panel\Desktop" key of the Wine prefix.
#include "wallpaper/wp_changer.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/bmp.h"
#include "common/jpeg.h"
#include "program_files.h"
#include "temp_dir.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/wide_text.h"

namespace wc {
namespace {

using test::TempDir;
using Pos = WallpaperStyle;

// A registry value as stored: type and raw bytes.
struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> data;
  bool operator==(const RawValue&) const = default;
};
using Snapshot = std::map<std::string, RawValue>;

std::optional<RawValue> ReadRaw(HKEY key, const std::string& name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  RawValue v{type, std::vector<BYTE>(size)};
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, v.data.data(), &size) != ERROR_SUCCESS) return std::nullopt;
  v.data.resize(size);
  return v;
}

// The value as text when it is a REG_SZ; nullopt when missing or of another type.
std::optional<std::string> TextValue(HKEY key, const std::string& name) {
  auto v = ReadRaw(key, name);
  if (!v || v->type != REG_SZ) return std::nullopt;
  const char* text = reinterpret_cast<const char*>(v->data.data());
  return std::string(text, strnlen(text, v->data.size()));
}

void WriteRaw(HKEY key, const std::string& name, DWORD type, const void* data, size_t size) {
  ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)),
            ERROR_SUCCESS);
}

// An HKCU key of our own, removed with everything in it at the end.
class ScratchKey {
 public:
  ScratchKey() {
    static int counter = 0;
    path_ = "Software\\WcTests\\WpChanger-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      throw std::runtime_error("cannot create " + path_);
    key_.reset(key);
  }
  ~ScratchKey() {
    key_.reset();
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
  }
  const std::string& path() const { return path_; }
  HKEY get() const { return key_.get(); }

  void Set(const std::string& name, const std::string& text) {
    WriteRaw(get(), name, REG_SZ, text.c_str(), text.size() + 1);
  }
  void SetDword(const std::string& name, DWORD value) { WriteRaw(get(), name, REG_DWORD, &value, sizeof value); }
  std::optional<std::string> Text(const std::string& name) const { return TextValue(get(), name); }
  Snapshot All() const {
    Snapshot all;
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = sizeof name;
      if (RegEnumValueA(get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      all[name] = *ReadRaw(get(), name);
    }
    return all;
  }

 private:
  std::string path_;
  ui::RegKey key_;
};

void WriteBmp(const std::string& path, int width = 4, int height = 3) {
  WriteFileBytes(path, EncodeBmp(MakeImage(width, height, 0x336699), 24));
}

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

void ExpectNear(uint32_t actual, uint32_t expected) {
  EXPECT_LE(std::abs(PixelRed(actual) - PixelRed(expected)), 6) << std::hex << actual;
  EXPECT_LE(std::abs(PixelGreen(actual) - PixelGreen(expected)), 6) << std::hex << actual;
  EXPECT_LE(std::abs(PixelBlue(actual) - PixelBlue(expected)), 6) << std::hex << actual;
}

// One component wired to the scratch key and folder, with every event logged
// and the system call recorded. Like the real call, the stand-in writes the
// file it was given to "Wallpaper", unless told otherwise.
class WpChangerTest : public ::testing::Test {
 protected:
  WpChangerTest() { key.Set("Wallpaper", "C:\\before.bmp"); }

  TWPChanger& Make() {
    TWPChanger::Environment env;
    env.desktopKey = desktopKey.empty() ? key.path() : desktopKey;
    env.bitmapFolder = bitmapFolder.empty() ? folder.path() + "\\" : bitmapFolder;
    env.screen = screen;
    env.background = background;
    env.virtualScreen = virtualScreen;
    env.systemSpans = systemSpans;
    env.setDeskWallpaper = [this](char* buffer) {
      systemCalls.push_back(buffer);
      if (duringSystemCall) duringSystemCall();
      if (systemWritesWallpaper) key.Set("Wallpaper", buffer);
    };
    changer.emplace(nullptr, "WPChanger1", env);
    auto log = [this](const char* what) {
      return [this, what](ui::Component& sender) {
        EXPECT_EQ(&sender, &*changer);
        events.push_back(what);
      };
    };
    changer->OnBeginChange = log("begin");
    changer->OnFinishChange = log("finish");
    changer->OnFileNotFound = log("notfound");
    changer->OnRegistryError = log("registry");
    return *changer;
  }

  std::string Jpeg(const std::string& name, int width, int height, uint32_t colour) {
    const std::string path = dir.file(name);
    EncodeJpegFile(path, MakeImage(width, height, colour), 95);
    return path;
  }

  using Events = std::vector<std::string>;

  TempDir dir;     // pictures
  TempDir folder;  // stands in for the Windows folder
  ScratchKey key;
  std::string desktopKey;     // empty: the scratch key
  std::string bitmapFolder;  // empty: `folder`
  bool systemWritesWallpaper = true;
  std::function<void()> duringSystemCall;
  std::optional<SIZE> screen;
  std::optional<uint32_t> background;
  std::optional<RECT> virtualScreen;
  std::optional<bool> systemSpans;
  std::vector<std::string> systemCalls;
  Events events;
  std::optional<TWPChanger> changer;
};

TEST(WpChangerJpegExtension, OnlyJpgAndJpegInAnyCase) {
  for (const char* yes : {".jpg", ".JPG", ".Jpeg", ".jPeG", ".JPEG"})
    EXPECT_TRUE(TWPChanger::IsJpegExtension(yes)) << yes;
  for (const char* no : {".jpe", ".jfif", "jpg", ".jpg ", ".jpgx", ".bmp", "", "."})
    EXPECT_FALSE(TWPChanger::IsJpegExtension(no)) << no;
}

TEST_F(WpChangerTest, JpegInAnyCaseBecomesABitmapOfItsOwnSize) {
  struct Case {
    const char* name;
    int width, height;
    uint32_t colour;
    TPixelFormat format;
    int bits;
  };
  for (const Case& c : {Case{"lower.jpg", 7, 5, 0xC02850, TPixelFormat::pf24bit, 24},
                        Case{"UPPER.JPG", 33, 17, 0x20A040, TPixelFormat::pf24bit, 24},
                        Case{"mixed.Jpeg", 16, 40, 0x3040D0, TPixelFormat::pf24bit, 24},
                        Case{"deep.jpg", 9, 4, 0xFF0000, TPixelFormat::pf32bit, 32}}) {
    SCOPED_TRACE(c.name);
    const std::string jpeg = Jpeg(c.name, c.width, c.height, c.colour);
    events.clear();
    systemCalls.clear();
    Make().PixelFormat = c.format;
    changer->ChangeWallpaper(jpeg, Pos::Center);

    const std::string bitmap = folder.file("WPCWallpaper.bmp");
    EXPECT_EQ(changer->BitmapPath(), bitmap);
    const std::vector<uint8_t> bytes = ReadFileBytes(bitmap);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(Le32(bytes, 18), static_cast<uint32_t>(c.width));
    EXPECT_EQ(Le32(bytes, 22), static_cast<uint32_t>(c.height));
    EXPECT_EQ(bytes[28], c.bits);
    EXPECT_EQ(Le32(bytes, 30), 0u);  // uncompressed
    const Image32 image = DecodeBmp(bytes);
    ExpectNear(image.at(0, 0), c.colour);
    ExpectNear(image.at(c.width - 1, c.height - 1), c.colour);

    EXPECT_EQ(key.Text("Wallpaper"), bitmap);
    EXPECT_EQ(systemCalls, std::vector<std::string>{bitmap});
    EXPECT_EQ(events, (Events{"begin", "finish"}));
  }
}

TEST_F(WpChangerTest, OtherJpegExtensionsAreRegisteredUnconverted) {
  for (const char* name : {"photo.jpe", "photo.jfif", "photo.JFIF"}) {
    SCOPED_TRACE(name);
    const std::string path = Jpeg(name, 8, 8, 0x808080);
    Make().ChangeWallpaper(path, Pos::Center);
    EXPECT_EQ(key.Text("Wallpaper"), path);
    EXPECT_EQ(systemCalls.back(), path);
    EXPECT_FALSE(Exists(folder.file("WPCWallpaper.bmp")));
  }
}

TEST_F(WpChangerTest, SecondJpegOverwritesTheSameBitmap) {
  Make().ChangeWallpaper(Jpeg("red.jpg", 10, 10, 0xFF0000), Pos::Center);
  changer->ChangeWallpaper(Jpeg("blue.jpg", 20, 8, 0x0000FF), Pos::Tile);
  const Image32 image = DecodeBmp(ReadFileBytes(folder.file("WPCWallpaper.bmp")));
  EXPECT_EQ(image.width, 20);
  EXPECT_EQ(image.height, 8);
  ExpectNear(image.at(3, 3), 0x0000FF);
  EXPECT_EQ(key.Text("Wallpaper"), folder.file("WPCWallpaper.bmp"));
  // The first change's bitmap was what the system held before the second.
  EXPECT_EQ(key.Text("PrevWallpaper"), folder.file("WPCWallpaper.bmp"));
}

TEST_F(WpChangerTest, PositionsWriteTheirStyleValuesAsText) {
  struct Case {
    Pos position;
    const char* tile;
    const char* style;
  };
  const std::string bmp = dir.file("picture.bmp");
  WriteBmp(bmp);
  Make().SetWallpaper(bmp);
  for (const Case& c :
       {Case{Pos::Tile, "1", "0"}, Case{Pos::Stretch, "0", "2"}, Case{Pos::Center, "0", "0"}}) {
    SCOPED_TRACE(c.tile + std::string("/") + c.style);
    changer->Position = c.position;
    changer->ApplyWallpaper();
    EXPECT_EQ(key.Text("TileWallpaper"), c.tile);
    EXPECT_EQ(key.Text("WallpaperStyle"), c.style);
    EXPECT_EQ(key.Text("Wallpaper"), bmp);
  }
  EXPECT_EQ(events, (Events{"begin", "finish", "begin", "finish", "begin", "finish"}));
  EXPECT_FALSE(Exists(folder.file("WPCWallpaper.bmp")));
}

TEST_F(WpChangerTest, StyleFirstThenSystemCallThenPrevWallpaperThenWallpaper) {
  const std::string bmp = dir.file("picture.bmp");
  WriteBmp(bmp);
  key.Set("TileWallpaper", "0");
  key.Set("PrevWallpaper", "C:\\older.bmp");
  // What the system leaves in "Wallpaper" is what must be kept, not what
  // was there before the call.
  Snapshot atSystemCall;
  systemWritesWallpaper = false;
  duringSystemCall = [&] {
    atSystemCall = key.All();
    key.Set("Wallpaper", "C:\\system's view.bmp");
  };
  Make().ChangeWallpaper(bmp, Pos::Tile);

  EXPECT_EQ(atSystemCall["TileWallpaper"].data, std::vector<BYTE>({'1', 0}));
  EXPECT_EQ(atSystemCall["WallpaperStyle"].data, std::vector<BYTE>({'0', 0}));
  EXPECT_EQ(atSystemCall["Wallpaper"].data,
            std::vector<BYTE>(std::begin("C:\\before.bmp"), std::end("C:\\before.bmp")));
  EXPECT_EQ(atSystemCall["PrevWallpaper"].data,
            std::vector<BYTE>(std::begin("C:\\older.bmp"), std::end("C:\\older.bmp")));
  EXPECT_EQ(key.Text("PrevWallpaper"), "C:\\system's view.bmp");
  EXPECT_EQ(key.Text("Wallpaper"), bmp);
  for (const char* name : {"TileWallpaper", "WallpaperStyle", "PrevWallpaper", "Wallpaper"})
    EXPECT_EQ(key.All()[name].type, static_cast<DWORD>(REG_SZ)) << name;
}

TEST_F(WpChangerTest, MissingFileRaisesOnlyFileNotFound) {
  const std::string picture = dir.file("picture.bmp");
  WriteBmp(picture);
  Make();
  const Snapshot before = key.All();
  for (const std::string& path : {dir.file("nothing.bmp"), dir.file("nothing.jpg"), dir.path(), std::string()}) {
    SCOPED_TRACE(path);
    events.clear();
    changer->ChangeWallpaper(path, Pos::Tile);
    EXPECT_EQ(events, Events{"notfound"});
  }
  // A path cut short by a NUL must not be taken for the file before it.
  events.clear();
  changer->ChangeWallpaper(picture + std::string(1, '\0') + "x", Pos::Tile);
  EXPECT_EQ(events, Events{"notfound"});

  EXPECT_EQ(key.All(), before);
  EXPECT_TRUE(systemCalls.empty());
  EXPECT_FALSE(Exists(folder.file("WPCWallpaper.bmp")));
}

TEST_F(WpChangerTest, ConstructionTakesTheSystemWallpaperUnchecked) {
  key.Set("Wallpaper", "C:\\nowhere\\gone.bmp");
  EXPECT_EQ(Make().Wallpaper(), "C:\\nowhere\\gone.bmp");
  EXPECT_TRUE(events.empty());
  // Applying that vanished file changes nothing.
  changer->ApplyWallpaper();
  EXPECT_EQ(events, Events{"notfound"});
  EXPECT_EQ(key.Text("Wallpaper"), "C:\\nowhere\\gone.bmp");

  // A value that is not text, or no key at all, leaves the property empty.
  key.SetDword("Wallpaper", 7);
  EXPECT_EQ(Make().Wallpaper(), "");
  std::string out = "given";
  EXPECT_FALSE(changer->ReadSystemWallpaper(out));
  EXPECT_EQ(out, "given");
  desktopKey = key.path() + "\\missing";
  EXPECT_EQ(Make().Wallpaper(), "");
  EXPECT_FALSE(changer->ReadSystemWallpaper(out));
  EXPECT_EQ(out, "given");
}

TEST_F(WpChangerTest, SettingWallpaperKeepsTheOldValueForAMissingFile) {
  const std::string bmp = dir.file("picture.bmp");
  WriteBmp(bmp);
  Make().SetWallpaper(bmp);
  EXPECT_EQ(changer->Wallpaper(), bmp);
  EXPECT_TRUE(events.empty());
  changer->SetWallpaper(dir.file("missing.bmp"));
  EXPECT_EQ(changer->Wallpaper(), bmp);
  EXPECT_EQ(events, Events{"notfound"});
  changer->SetWallpaper(dir.path());  // a folder is no file
  EXPECT_EQ(changer->Wallpaper(), bmp);
  EXPECT_EQ(events, (Events{"notfound", "notfound"}));
  EXPECT_TRUE(systemCalls.empty());
}

TEST_F(WpChangerTest, UndecodableJpegPropagatesAndWritesNothing) {
  Make().ChangeWallpaper(Jpeg("good.jpg", 6, 6, 0x00FF00), Pos::Center);
  const std::vector<uint8_t> goodBitmap = ReadFileBytes(folder.file("WPCWallpaper.bmp"));
  const Snapshot before = key.All();
  events.clear();
  systemCalls.clear();

  const std::string corrupt = dir.file("corrupt.jpg");
  WriteFileBytes(corrupt, {0xFF, 0xD8, 0xFF, 0xE0, 'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
  std::vector<uint8_t> truncated = ReadFileBytes(dir.file("good.jpg"));
  truncated.resize(truncated.size() / 2);
  WriteFileBytes(dir.file("truncated.JPG"), truncated);

  for (const std::string& path : {corrupt, dir.file("truncated.JPG")}) {
    SCOPED_TRACE(path);
    EXPECT_THROW(changer->ChangeWallpaper(path, Pos::Tile), ui::Error);
  }
  EXPECT_EQ(events, (Events{"begin", "begin"}));
  EXPECT_TRUE(systemCalls.empty());
  EXPECT_EQ(key.All(), before);
  EXPECT_EQ(ReadFileBytes(folder.file("WPCWallpaper.bmp")), goodBitmap);
}

// Failures while preparing the file: the exception reaches the caller after
// OnBeginChange alone, and neither the key nor the system hears of the change.
TEST_F(WpChangerTest, PreparationFailuresPropagateAndWriteNothing) {
  const std::string jpeg = Jpeg("a.jpg", 4, 4, 0x102030);
  const auto expectRefused = [&](const std::string& path, const std::string& needle) {
    const Snapshot before = key.All();
    const size_t calls = systemCalls.size();
    events.clear();
    try {
      changer->ChangeWallpaper(path, Pos::Tile);
      ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find(needle), std::string::npos) << e.what();
    }
    EXPECT_EQ(events, Events{"begin"});
    EXPECT_EQ(key.All(), before);
    EXPECT_EQ(systemCalls.size(), calls);
  };

  // Only 24 and 32 bits per pixel can be written; the error names the format.
  Make();
  for (TPixelFormat format : {TPixelFormat::pfDevice, TPixelFormat::pf1bit, TPixelFormat::pf8bit, TPixelFormat::pf16bit,
                              TPixelFormat::pfCustom}) {
    const std::string name(PixelFormatName(format));
    SCOPED_TRACE(name);
    changer->PixelFormat = format;
    expectRefused(jpeg, "\"" + name + "\"");
  }
  EXPECT_FALSE(Exists(folder.file("WPCWallpaper.bmp")));

  // A 255-character path fits the system's buffer, one more does not.
  const std::string folderPart = dir.path() + "\\";
  const auto longBmp = [&](size_t length) {
    const std::string path = folderPart + std::string(length - folderPart.size() - 4, 'n') + ".bmp";
    WriteBmp(path);
    return path;
  };
  const std::string fits = longBmp(255);
  changer->ChangeWallpaper(fits, Pos::Center);
  EXPECT_EQ(key.Text("Wallpaper"), fits);
  EXPECT_EQ(systemCalls.back(), fits);
  const std::string tooLong = longBmp(256);
  expectRefused(tooLong, tooLong);

  // The same for the bitmap made from a JPEG; checked before the folder is used.
  bitmapFolder = "C:\\" + std::string(240, 'w') + "\\";
  Make();
  expectRefused(jpeg, bitmapFolder + "WPCWallpaper.bmp");

  // A folder that cannot be made: a file stands where a folder of its path should.
  test::WriteTextFile(folder.file("a file"), "");
  bitmapFolder = folder.file("a file") + "\\bitmaps\\";
  Make();
  expectRefused(jpeg, "cannot be made: " + bitmapFolder);
}

// The pictures made by tests/wallpaper/pictures/make.sh, one colour each.
std::string Sample(const std::string& name) { return std::string(WC_TEST_PICTURES) + "\\" + name; }

Image32 WrittenBitmap(const std::string& path) { return DecodeBmp(ReadFileBytes(path)); }

TEST_F(WpChangerTest, PicturesOfEveryKindBecomeTheBitmapAndADamagedOneNothing) {
  background = 0x008080;
  Make();
  const struct {
    const char* file;
    const char* copy;  // the name it is applied under: any case
    uint32_t colour;   // at (30, 10)
  } kinds[] = {
      {"png8-palette.png", "a.PNG", 0xC80000},  {"png24.png", "b.png", 0x00A000},
      {"png-interlaced.png", "c.Png", 0xC8C800}, {"png16.png", "d.png", 0x00C8C8},
      {"png32-alpha.png", "e.png", 0x0000C8},    {"gif-animated.gif", "f.GIF", 0xC800C8},
      {"tiff-two-pages.tiff", "g.TIF", 0xFF8000},
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.file);
    const std::string path = dir.file(kind.copy);
    ASSERT_TRUE(CopyFileA(Sample(kind.file).c_str(), path.c_str(), FALSE));
    changer->ChangeWallpaper(path, Pos::Center);
    const std::string bitmap = folder.file("WPCWallpaper.bmp");
    EXPECT_EQ(key.Text("Wallpaper"), bitmap);
    const Image32 written = WrittenBitmap(bitmap);
    ASSERT_EQ(written.width, 48);
    ASSERT_EQ(written.height, 32);
    ExpectNear(written.at(30, 10), kind.colour);
  }
  // Transparency shows the background; half-transparent red is mixed with it.
  changer->ChangeWallpaper(dir.file("e.png"), Pos::Center);
  const Image32 composed = WrittenBitmap(folder.file("WPCWallpaper.bmp"));
  ExpectNear(composed.at(2, 2), 0x008080);
  ExpectNear(composed.at(15, 2), 0x644040);

  // Cut short, or claiming a size no wallpaper has: refused, nothing written.
  const std::vector<uint8_t> good = ReadFileBytes(folder.file("WPCWallpaper.bmp"));
  const Snapshot before = key.All();
  std::vector<uint8_t> cut = ReadFileBytes(Sample("png24.png"));
  cut.resize(cut.size() - 40);
  WriteFileBytes(dir.file("cut.png"), cut);
  ASSERT_TRUE(CopyFileA(Sample("png-huge-claim.png").c_str(), dir.file("huge.png").c_str(), FALSE));
  for (const char* name : {"cut.png", "huge.png"}) {
    SCOPED_TRACE(name);
    events.clear();
    EXPECT_THROW(changer->ChangeWallpaper(dir.file(name), Pos::Center), std::exception);
    EXPECT_EQ(events, Events{"begin"});
  }
  try {
    changer->ChangeWallpaper(dir.file("huge.png"), Pos::Center);
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("100000 x 100000"), std::string::npos) << e.what();
  }
  EXPECT_EQ(key.All(), before);
  EXPECT_EQ(ReadFileBytes(folder.file("WPCWallpaper.bmp")), good);
}

// Left quarter red, middle half green, right quarter blue.
std::string Bands(const std::string& path, int width, int height) {
  Image32 image = MakeImage(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.at(x, y) = x < width / 4 ? 0xFF0000 : x < 3 * width / 4 ? 0x00FF00 : 0x0000FF;
  }
  WriteFileBytes(path, EncodeBmp(image, 24));
  return path;
}

TEST_F(WpChangerTest, FillAndFitMakeAScreenSizedBitmapShownCentred) {
  screen = SIZE{1024, 768};
  background = 0x102030;
  Make();
  const std::string square = Bands(dir.file("square.bmp"), 1000, 1000);
  const std::string wide = Bands(dir.file("wide.bmp"), 2000, 500);
  const std::string bitmap = folder.file("WPCWallpaper.bmp");
  const auto apply = [&](const std::string& path, Pos position) {
    changer->ChangeWallpaper(path, position);
    EXPECT_EQ(key.Text("Wallpaper"), bitmap);
    EXPECT_EQ(key.Text("TileWallpaper"), "0");
    EXPECT_EQ(key.Text("WallpaperStyle"), "0");
    Image32 made = WrittenBitmap(bitmap);
    EXPECT_EQ(made.width, 1024);
    EXPECT_EQ(made.height, 768);
    return made;
  };
  // Fill: the square loses 128 rows top and bottom, all bands show; the
  // wide one is cut to its green middle.
  Image32 made = apply(square, Pos::Fill);
  ExpectNear(made.at(0, 0), 0xFF0000);
  ExpectNear(made.at(1023, 767), 0x0000FF);
  made = apply(wide, Pos::Fill);
  ExpectNear(made.at(0, 0), 0x00FF00);
  ExpectNear(made.at(1023, 767), 0x00FF00);
  // Fit: bars of the background beside the square, above and below the wide one.
  made = apply(square, Pos::Fit);
  EXPECT_EQ(made.at(127, 384), 0x102030u);
  ExpectNear(made.at(130, 384), 0xFF0000);
  ExpectNear(made.at(893, 384), 0x0000FF);
  EXPECT_EQ(made.at(896, 384), 0x102030u);
  made = apply(wide, Pos::Fit);
  EXPECT_EQ(made.at(512, 255), 0x102030u);
  ExpectNear(made.at(0, 384), 0xFF0000);
  ExpectNear(made.at(1023, 384), 0x0000FF);
  EXPECT_EQ(made.at(512, 512), 0x102030u);
}

TEST_F(WpChangerTest, SpanFillsTheRectangleAroundTheMonitorsUnlessTheSystemSpansItself) {
  // Two 400 x 300 monitors, the second left of the primary.
  virtualScreen = RECT{-400, 0, 400, 300};
  background = 0x102030;
  systemSpans = false;
  Make();
  // Red, green and blue quarters; filled over 800 x 300 it shows its middle
  // 800 columns, red at the left monitor's left edge, blue at the primary's
  // right edge.
  const std::string wide = Bands(dir.file("wide.bmp"), 1200, 300);
  const std::string bitmap = folder.file("WPCWallpaper.bmp");
  changer->ChangeWallpaper(wide, Pos::Span);
  EXPECT_EQ(events, (Events{"begin", "finish"}));
  EXPECT_EQ(key.Text("Wallpaper"), bitmap);
  EXPECT_EQ(key.Text("TileWallpaper"), "1");
  EXPECT_EQ(key.Text("WallpaperStyle"), "0");
  Image32 made = WrittenBitmap(bitmap);
  ASSERT_EQ(made.width, 800);
  ASSERT_EQ(made.height, 300);
  // Tiled from the primary's corner: the primary is the bitmap's left half,
  // the monitor at -400 its right half.
  ExpectNear(made.at(405, 150), 0xFF0000);
  ExpectNear(made.at(799, 150), 0x00FF00);
  ExpectNear(made.at(5, 150), 0x00FF00);
  ExpectNear(made.at(395, 150), 0x0000FF);
  // A page is the system's to draw: it is registered as it is.
  const std::string page = dir.file("page.htm");
  WriteFileBytes(page, {'<', 'p', '>'});
  changer->ChangeWallpaper(page, Pos::Span);
  EXPECT_EQ(key.Text("Wallpaper"), page);
  EXPECT_EQ(key.Text("WallpaperStyle"), "22");

  // A system that spans pictures itself takes the picture as it is.
  systemSpans = true;
  Make();
  changer->ChangeWallpaper(wide, Pos::Span);
  EXPECT_EQ(key.Text("Wallpaper"), wide);
  EXPECT_EQ(key.Text("TileWallpaper"), "0");
  EXPECT_EQ(key.Text("WallpaperStyle"), "22");
  changer->ChangeWallpaper(Jpeg("photo.jpg", 120, 30, 0x336699), Pos::Span);
  EXPECT_EQ(key.Text("Wallpaper"), bitmap);
  made = WrittenBitmap(bitmap);
  EXPECT_EQ(made.width, 120);
  EXPECT_EQ(made.height, 30);
}

TEST_F(WpChangerTest, UnreadableWallpaperValueRaisesRegistryErrorThenFinish) {
  const std::string bmp = dir.file("picture.bmp");
  WriteBmp(bmp);
  key.SetDword("Wallpaper", 1);
  systemWritesWallpaper = false;
  Make().ChangeWallpaper(bmp, Pos::Tile);
  EXPECT_EQ(events, (Events{"begin", "registry", "finish"}));
  // Written before the failure, so kept.
  EXPECT_EQ(key.Text("TileWallpaper"), "1");
  EXPECT_EQ(key.Text("WallpaperStyle"), "0");
  EXPECT_EQ(systemCalls.size(), 1u);
  // Nothing after it.
  const Snapshot after = key.All();
  EXPECT_EQ(after.count("PrevWallpaper"), 0u);
  EXPECT_EQ(after.at("Wallpaper").type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(WpChangerTest, MissingDesktopKeyIsNeitherCreatedNorWritten) {
  const std::string bmp = dir.file("picture.bmp");
  WriteBmp(bmp);
  desktopKey = key.path() + "\\absent";
  Make().ChangeWallpaper(bmp, Pos::Tile);
  EXPECT_EQ(events, (Events{"begin", "finish"}));
  EXPECT_TRUE(systemCalls.empty());
  HKEY probe = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, desktopKey.c_str(), 0, KEY_READ, &probe), ERROR_SUCCESS);
  if (probe) RegCloseKey(probe);
}

// The real desktop values of the test prefix, put back afterwards.
class RealDesktopValues {
 public:
  RealDesktopValues() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
      throw std::runtime_error("no desktop key");
    key_.reset(key);
    for (const char* name : kNames) saved_[name] = ReadRaw(key_.get(), name);
  }
  ~RealDesktopValues() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        RegSetValueExA(key_.get(), name.c_str(), 0, value->type, value->data.data(),
                       static_cast<DWORD>(value->data.size()));
      } else {
        RegDeleteValueA(key_.get(), name.c_str());
      }
    }
  }
  HKEY get() const { return key_.get(); }
  std::optional<std::string> Text(const char* name) const { return TextValue(get(), name); }

 private:
  static constexpr const char* kNames[] = {"Wallpaper",      "PrevWallpaper",   "TileWallpaper",
                                           "WallpaperStyle", "WallpaperOriginX", "WallpaperOriginY"};
  ui::RegKey key_;
  std::map<std::string, std::optional<RawValue>> saved_;
};

TEST(WpChangerRealDesktop, AppliesThroughTheSystemUnderHkcu) {
  RealDesktopValues desktop;
  TempDir dir;
  const std::string before = "C:\\before-the-change.bmp";
  WriteRaw(desktop.get(), "Wallpaper", REG_SZ, before.c_str(), before.size() + 1);

  TWPChanger changer(nullptr, "WPChanger1");
  EXPECT_EQ(changer.Wallpaper(), before);
  // The user's own folder, never the Windows folder, which a standard user may not write.
  wchar_t local[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local), S_OK);
  EXPECT_EQ(changer.BitmapFolder(), ui::Narrow(local) + "\\Pellimox Free Wallpaper Changer\\");

  const std::string bmp = dir.file("real.bmp");
  WriteBmp(bmp, 8, 8);
  std::vector<std::string> events;
  changer.OnFinishChange = [&](ui::Component&) { events.push_back("finish"); };
  changer.OnRegistryError = [&](ui::Component&) { events.push_back("registry"); };
  changer.ChangeWallpaper(bmp, Pos::Tile);
  EXPECT_EQ(events, std::vector<std::string>{"finish"});
  EXPECT_EQ(desktop.Text("TileWallpaper"), "1");
  EXPECT_EQ(desktop.Text("WallpaperStyle"), "0");
  EXPECT_EQ(desktop.Text("Wallpaper"), bmp);
  // The system itself recorded the file before the component read it back.
  EXPECT_EQ(desktop.Text("PrevWallpaper"), bmp);

  // A JPEG goes through that folder, made when missing.
  EncodeJpegFile(dir.file("real.jpg"), MakeImage(12, 6, 0xFFFF00), 90);
  changer.ChangeWallpaper(dir.file("real.jpg"), Pos::Stretch);
  EXPECT_EQ(desktop.Text("Wallpaper"), changer.BitmapPath());
  EXPECT_EQ(desktop.Text("WallpaperStyle"), "2");
  EXPECT_EQ(DecodeBmp(ReadFileBytes(changer.BitmapPath())).width, 12);
  DeleteFileA(changer.BitmapPath().c_str());
}

}  // namespace
}  // namespace wc
