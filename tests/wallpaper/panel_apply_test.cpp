// Applying a playlist entry from the control panel: the desktop values per
// style, JPEG conversion, the movie page, skipping missing files.
#include <windows.h>

#include "app/panel/main_form.h"
#include "common/bmp.h"
#include "common/ini_file.h"
#include "common/jpeg.h"
#include "gui_test.h"
#include "program_files.h"
#include "ui/error.h"

namespace wc {
namespace {

using test::MakeFile;
using test::ReadTextFile;

using test::DesktopValue;

struct DesktopValues {
  std::string tile, style, x, y;
  bool operator==(const DesktopValues&) const = default;
};
std::ostream& operator<<(std::ostream& o, const DesktopValues& v) {
  return o << v.tile << "/" << v.style << "/" << v.x << "/" << v.y;
}
DesktopValues ReadDesktop() {
  return {DesktopValue("TileWallpaper"), DesktopValue("WallpaperStyle"), DesktopValue("WallpaperOriginX"),
          DesktopValue("WallpaperOriginY")};
}

class ApplyTest : public test::GuiTest {
 protected:
  ApplyTest() {
    panel = &app.CreateForm<TMainForm>();
    panel->timer_startTimer(panel->timer_start);
    panel->timer_forautomatic.SetEnabled(false);
  }
  std::string Bmp(const std::string& name, uint32_t colour = 0x336699, int w = 8, int h = 6) {
    std::string path = dir.file(name);
    WriteFileBytes(path, EncodeBmp(MakeImage(w, h, colour), 24));
    return path;
  }
  std::string Jpeg(const std::string& name, int w, int h, uint32_t colour = 0x20A040) {
    std::string path = dir.file(name);
    EncodeJpegFile(path, MakeImage(w, h, colour), 95);
    return path;
  }
  void Load(const std::vector<std::string>& paths) {
    panel->AddFilesToPlaylist(paths);
    panel->MainListBox.Clear();
    panel->FillPlaylistBox(false);
  }
  void Apply(int row) {
    panel->MainListBox.SetItemIndex(row);
    panel->MainListBoxDblClick(*panel);
  }
  TMainForm* panel;
};

TEST_F(ApplyTest, EachStyleWritesItsValuesAndTheApplierSettlesThem) {
  std::string bmp = Bmp("plain.bmp");
  Load({bmp});
  struct Row {
    int index;
    DesktopValues first, last;
  };
  const Row rows[] = {
      {0, {"1", "0", "0", "0"}, {"1", "0", "0", "0"}},
      {1, {"0", "1", "0", "0"}, {"0", "0", "0", "0"}},
      {2, {"0", "2", "0", "0"}, {"0", "2", "0", "0"}},
      {3, {"0", "1", "-10", "25"}, {"0", "0", "-10", "25"}},
      {-1, {"0", "-1", "0", "0"}, {"0", "0", "0", "0"}},  // no style: the applier keeps its last position
  };
  panel->SpinEdit1.SetValue(-10);
  panel->SpinEdit2.SetValue(25);
  for (const Row& r : rows) {
    DesktopValues seen;
    std::string wallpaperSeen;
    panel->WPChanger1.OnBeginChange = [&](ui::Component&) {
      seen = ReadDesktop();
      wallpaperSeen = DesktopValue("Wallpaper");
    };
    panel->ComboBox1.SetItemIndex(r.index);
    Apply(0);
    EXPECT_EQ(seen, r.first) << "style " << r.index << " before the applier";
    EXPECT_EQ(wallpaperSeen, bmp);
    EXPECT_EQ(ReadDesktop(), r.last) << "style " << r.index << " after the applier";
    EXPECT_EQ(DesktopValue("Wallpaper"), bmp);
    EXPECT_EQ(DesktopValue("PrevWallpaper"), bmp);  // as the system left it after its own call
  }
}

TEST_F(ApplyTest, AJpegOfAnyCaseIsConvertedIntoTheUsersOwnFolder) {
  std::string jpg = Jpeg("Photo.Jpg", 40, 30);
  Load({jpg});
  Apply(0);
  std::string target = panel->WPChanger1.BitmapPath();
  EXPECT_EQ(DesktopValue("Wallpaper"), target);
  Image32 written = DecodeBmp(ReadFileBytes(target));
  EXPECT_EQ(written.width, 40);
  EXPECT_EQ(written.height, 30);
  std::vector<uint8_t> bytes = ReadFileBytes(target);
  EXPECT_EQ(bytes[28], 24);  // bits per pixel
  // The picture itself also went to wallpaper.bmp beside the program.
  Image32 copy = DecodeBmp(ReadFileBytes(ExeFolder() + "wallpaper.bmp"));
  EXPECT_EQ(copy.width, 40);
  EXPECT_EQ(copy.height, 30);
}

TEST_F(ApplyTest, OtherJpegExtensionsAreRegisteredUnconverted) {
  std::string jpe = Jpeg("a.jpe", 10, 10), jfif = Jpeg("b.jfif", 10, 10);
  Load({jpe, jfif});
  Apply(0);
  EXPECT_EQ(DesktopValue("Wallpaper"), jpe);
  Apply(1);
  EXPECT_EQ(DesktopValue("Wallpaper"), jfif);
}

TEST_F(ApplyTest, AMovieGetsItsPageAndThePageIsTheWallpaper) {
  std::string movie = MakeFile(dir.file("clip.AVI"), "RIFF");
  Load({movie});
  panel->moviewidthspin.SetValue(320);
  panel->movieheightspin.SetValue(240);
  Apply(0);
  std::string page = ExeFolder() + "movie.html";
  EXPECT_EQ(ReadTextFile(page),
            "<html>\r\n<head>\r\n<title>" + movie + "</title>\r\n</head>\r\n<body leftMargin=0 topMargin=0>\r\n"
            "<IMG DYNSRC=\"" + movie + "\" WIDTH=320 HEIGHT=240 LOOP=INFINITE ALIGN=center>\r\n</body>\r\n</html>\r\n");
  EXPECT_EQ(DesktopValue("Wallpaper"), page);
}

TEST_F(ApplyTest, TheSelectionWinsAndTheIndexIsStored) {
  std::string a = Bmp("a.bmp"), b = Bmp("b.bmp"), c = Bmp("c.bmp");
  Load({a, b, c});
  panel->CurrentIndex = 0;
  Apply(2);
  EXPECT_EQ(panel->CurrentIndex, 2);
  EXPECT_EQ(DesktopValue("Wallpaper"), c);
  EXPECT_EQ(IniFile(ExeFolder() + "settings.ini").ReadInteger("Last Wallpaper Index", "Value", -1), 2);
}

TEST_F(ApplyTest, WithoutASelectionTheCurrentRowIsApplied) {
  std::string a = Bmp("a.bmp"), b = Bmp("b.bmp");
  Load({a, b});
  panel->CurrentIndex = 1;
  panel->MainListBox.SetItemIndex(-1);
  panel->MainListBoxDblClick(*panel);
  EXPECT_EQ(DesktopValue("Wallpaper"), b);
  EXPECT_EQ(panel->MainListBox.ItemIndex(), 1);
  panel->CurrentIndex = 9;  // out of reach: the first row
  panel->MainListBox.SetItemIndex(-1);
  panel->MainListBoxDblClick(*panel);
  EXPECT_EQ(DesktopValue("Wallpaper"), a);
}

TEST_F(ApplyTest, AMissingFileIsSkippedForTheNextEntry) {
  std::string a = Bmp("a.bmp"), b = Bmp("b.bmp");
  Load({a, b});
  DeleteFileA(a.c_str());
  panel->CurrentIndex = 0;
  Apply(0);
  EXPECT_EQ(panel->CurrentIndex, 1);
  EXPECT_EQ(DesktopValue("Wallpaper"), b);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ApplyTest, APlaylistWithNoFileLeftStopsAfterOneRound) {
  std::string a = Bmp("a.bmp"), b = Bmp("b.bmp"), c = Bmp("c.bmp");
  Load({a, b, c});
  for (const auto& f : {a, b, c}) DeleteFileA(f.c_str());
  std::string before = DesktopValue("Wallpaper");
  Apply(1);
  EXPECT_EQ(prompts.MessageTexts(), (std::vector<std::string>{"File not Present"}));
  EXPECT_EQ(DesktopValue("Wallpaper"), before);
  // And the next attempt starts a fresh round.
  Apply(0);
  EXPECT_EQ(prompts.messages.size(), 2u);
}

TEST_F(ApplyTest, APictureThatCannotBeDecodedStopsTheCommand) {
  std::string bad = MakeFile(dir.file("text.jpg"), "this is no picture");
  std::string good = Bmp("good.bmp");
  Load({good, bad});
  Apply(0);
  EXPECT_THROW(Apply(1), ui::Error);
  EXPECT_EQ(DesktopValue("Wallpaper"), good);
}

TEST_F(ApplyTest, HighQualityResamplingSoftensAndBrightensThePicture) {
  IniFile(ExeFolder() + "settings.ini").WriteBool("High Quality Image Resampling", "Checked", true);
  std::string grey = Bmp("grey.bmp", MakePixel(100, 100, 100), 6, 5);
  Load({grey});
  Apply(0);
  Image32 out = DecodeBmp(ReadFileBytes(ExeFolder() + "wallpaper.bmp"));
  ASSERT_EQ(out.width, 6);
  EXPECT_EQ(PixelRed(out.at(2, 2)), 112);  // interior: four pixels over a count of five, times 1.4
  EXPECT_EQ(PixelRed(out.at(5, 4)), 70);   // the corner
}

TEST_F(ApplyTest, ShowingThePanelAppliesTheCurrentEntryAgain) {
  std::string a = Bmp("a.bmp"), b = Bmp("b.bmp");
  Load({a, b});
  panel->CurrentIndex = 1;
  panel->MainListBox.SetItemIndex(1);
  panel->Show();
  EXPECT_EQ(DesktopValue("Wallpaper"), b);
}

TEST_F(ApplyTest, ASolidJpegTurnsTheDesktopItsColour) {
  // Wine draws bitmaps only, and centres them: a picture as large as the
  // desktop covers it whatever the style.
  std::string jpg = Jpeg("red.jpg", 1280, 1024, MakePixel(200, 30, 30));
  Load({jpg});
  panel->ComboBox1.SetItemIndex(1);
  Apply(0);
  auto centre = [] {
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    ReleaseDC(nullptr, screen);
    return c;
  };
  bool red = PumpUntil([&] {
    COLORREF c = centre();
    return std::abs(GetRValue(c) - 200) < 8 && std::abs(GetGValue(c) - 30) < 8 && std::abs(GetBValue(c) - 30) < 8;
  }, std::chrono::seconds(5));
  COLORREF c = centre();
  EXPECT_TRUE(red) << "desktop centre is " << int(GetRValue(c)) << "," << int(GetGValue(c)) << "," << int(GetBValue(c));
}

}  // namespace
}  // namespace wc
