// The preview and information panel of the control panel: what a click on a
// playlist row shows for pictures, JPEGs, movies and pages, the preview's
// size and place, the preview switch, vanished files and broken pictures.
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "app/panel/main_form.h"
#include "app/shorten_path.h"
#include "common/bmp.h"
#include "common/jpeg.h"
#include "common/text.h"
#include "gui_test.h"
#include "playlist/playlist_file.h"
#include "program_files.h"
#include "ui/error.h"
#include "ui/graphics.h"
#include "wallpaper/picture_reader.h"

namespace wc {
namespace {

using test::MakeFile;

class PreviewTest : public test::GuiTest {
 protected:
  PreviewTest() {
    panel = &app.CreateForm<TMainForm>();
    panel->StartupTimerTick(panel->StartupTimer);
    panel->FolderReaderTimer.SetEnabled(false);
    // The preview decodes only while the panel is on the screen.
    panel->Show();
    // Stock pictures of their own sizes, so the preview shows which one it took.
    Bmp("moviepreview.bmp", 200, 100);
    Bmp("htmlpreview.bmp", 100, 200);
  }
  std::string Bmp(const std::string& name, int w, int h, uint32_t colour = 0x336699) {
    std::string path = dir.file(name);
    WriteFileBytes(path, EncodeBmp(MakeImage(w, h, colour), 24));
    return path;
  }
  std::string Jpeg(const std::string& name, int w, int h, int quality = 95) {
    std::string path = dir.file(name);
    EncodeJpegFile(path, MakeImage(w, h, 0x20A040), quality);
    return path;
  }
  void Load(const std::vector<std::string>& paths) {
    panel->AddFilesToPlaylist(paths);
    panel->MainListBox.Clear();
    panel->FillPlaylistBox(false);
  }
  void Click(int row) {
    panel->MainListBox.SetItemIndex(row);
    panel->MainListBoxClick(panel->MainListBox);
  }
  // A click as the user makes it: an error reaches the program's error box.
  void GuardedClick(int row) {
    ui::Guarded([&] { Click(row); });
  }
  struct Info {
    std::string location, type, size, properties;
    bool operator==(const Info&) const = default;
  };
  Info Labels() const {
    return {panel->LocationValue.Caption(), panel->TypeValue.Caption(), panel->SizeValue.Caption(),
            panel->PropertiesValue.Caption()};
  }
  // Which of the three control sets is showing: "style", "movie", "html";
  // anything mixed is reported as it is.
  std::string VisibleSet() const {
    std::string sets;
    auto add = [&](const char* name, std::initializer_list<const ui::Control*> controls) {
      int shown = 0;
      for (const ui::Control* c : controls) shown += c->Visible() ? 1 : 0;
      if (shown == int(controls.size())) sets += std::string(sets.empty() ? "" : "+") + name;
      else if (shown) sets += std::string(sets.empty() ? "" : "+") + "part of " + name;
    };
    const TMainForm& p = *panel;
    add("style", {&p.MainWallpaperStyleLabel, &p.StyleBox, &p.OriginXLabel, &p.OriginXEdit, &p.OriginYLabel, &p.OriginYEdit});
    add("movie", {&p.MovieDimensionLabel, &p.MovieWidthLabel, &p.MovieHeightLabel, &p.MovieWidthEdit,
                  &p.MovieHeightEdit});
    add("html", {&p.ActiveDesktopNote, &p.PagePreviewButton});
    return sets;
  }
  RECT PreviewBounds() const {
    const ui::Image& m = panel->MainPreview;
    return RECT{m.Left(), m.Top(), m.Width(), m.Height()};  // left, top, width, height
  }
  int PictureWidth() const { return panel->MainPreview.GetPicture().Width(); }
  int PictureHeight() const { return panel->MainPreview.GetPicture().Height(); }

  TMainForm* panel;
};

void ExpectBounds(const RECT& r, int left, int top, int width, int height) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, width);
  EXPECT_EQ(r.bottom, height);
}

TEST_F(PreviewTest, FitPreviewMakesTheLongerSide141InsideTheFrame) {
  Load({Bmp("tall.bmp", 300, 600), Bmp("wide.bmp", 600, 300), Bmp("square.bmp", 50, 50)});
  // Frame 16,17 150 x 126: a tall preview is centred across it, 4 below its top.
  Click(0);
  // A picture larger than the preview is kept at the preview's size.
  EXPECT_EQ(PictureWidth(), 70);
  EXPECT_EQ(PictureHeight(), 141);
  ExpectBounds(PreviewBounds(), 16 + 75 - 35, 21, 70, 141);
  // A wide one is centred down it, 4 right of its left.
  Click(1);
  ExpectBounds(PreviewBounds(), 20, 17 + 63 - 35, 141, 70);
  // Small pictures grow to the same side.
  Click(2);
  ExpectBounds(PreviewBounds(), 20, 17 + 63 - 70, 141, 141);

  panel->FitPreview(ui::Picture(ui::Bitmap(300, 600)));
  ExpectBounds(PreviewBounds(), 56, 21, 70, 141);
  panel->FitPreview(ui::Picture());
  ExpectBounds(PreviewBounds(), 16, 17, 0, 0);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PreviewTest, JpegShowsItsHeaderFactsAndABitmapAfterItChangesOnlyTheLocation) {
  std::string jpeg = Jpeg("photo.jpg", 320, 200);
  std::string other = Jpeg("second.JPEG", 64, 48, 40);
  std::string bmp = Bmp("plain.bmp", 30, 20);
  Load({jpeg, bmp, other});
  ASSERT_EQ(panel->MainListBox.Count(), 3);

  Click(0);
  EXPECT_EQ(Labels(), (Info{ShortenPath(jpeg), "JPEG image", "320x200", "90% Compression"}));
  EXPECT_EQ(VisibleSet(), "style");
  EXPECT_EQ(PictureWidth(), 141);
  ExpectBounds(PreviewBounds(), 20, 17 + 63 - 44, 141, 88);

  // A bitmap has no facts of its own here: the JPEG's stay.
  Click(1);
  EXPECT_EQ(Labels(), (Info{ShortenPath(bmp), "JPEG image", "320x200", "90% Compression"}));
  EXPECT_EQ(PictureWidth(), 30);

  // The codec's own setting is shown, not the file's quality.
  Click(2);
  EXPECT_EQ(Labels(), (Info{ShortenPath(other), "JPEG image", "64x48", "90% Compression"}));
  EXPECT_EQ(panel->CreationValue.Caption(), ":");
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PreviewTest, LongLocationsAreShortenedAndOtherPictureKindsChangeNothing) {
  std::string sub = dir.file("a folder with a rather long name");
  CreateDirectoryA(sub.c_str(), nullptr);
  std::string longBmp = Bmp("a folder with a rather long name\\and a long file name too.bmp", 8, 8);
  ASSERT_GT(longBmp.size(), 50u);
  std::string icon = MakeFile(dir.file("app.ico"), "icon");  // an icon the loader is never asked about here
  Load({longBmp, icon});

  Click(0);
  EXPECT_EQ(panel->LocationValue.Caption(), ShortenPath(longBmp));
  EXPECT_NE(panel->LocationValue.Caption(), longBmp);
  const Info before = Labels();
  // Icon files change no label and no control set; the preview is off so
  // that nothing tries to draw the stand-in file.
  panel->MainChPreview.SetChecked(false);
  Click(1);
  EXPECT_EQ(Labels(), before);
  EXPECT_EQ(VisibleSet(), "style");
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PreviewTest, PicturesOfTheSystemsCodecsShowTheirKindSizeAndPicture) {
  std::vector<std::string> files;
  for (const char* name : {"png32-alpha.png", "gif-animated.gif", "tiff-two-pages.tiff"}) {
    files.push_back(dir.file(std::string("copy of ") + name));
    ASSERT_TRUE(CopyFileA((std::string(WC_TEST_PICTURES) + "\\" + name).c_str(), files.back().c_str(), FALSE));
  }
  Load(files);
  const char* kinds[] = {"PNG image", "GIF image", "TIFF image"};
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(files[size_t(row)]);
    Click(row);
    const Info info = Labels();
    EXPECT_EQ(info.location, ShortenPath(files[size_t(row)]));
    EXPECT_NE(info.type.find(kinds[row]), std::string::npos) << info.type;
    EXPECT_EQ(info.size, "48x32");
    EXPECT_EQ(info.properties, IntToText(int64_t(std::filesystem::file_size(files[size_t(row)]) / 1024)) + " kb");
    EXPECT_EQ(VisibleSet(), "style");
    EXPECT_EQ(PictureWidth(), 48);
    EXPECT_EQ(PictureHeight(), 32);
  }
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PreviewTest, MoviesShowTheFilmPictureAndTheirSizeWithoutBeingDecoded) {
  std::string jpeg = Jpeg("photo.jpg", 320, 200);
  // Not a movie at all: anything that tried to decode it would fail loudly.
  std::string avi = MakeFile(dir.file("clip.AVI"), std::string(5000, '\x5a'));
  std::string mpeg = MakeFile(dir.file("clip.mpeg"), std::string(1023, 'm'));
  std::string avi2 = MakeFile(dir.file("other.avi"), std::string(2 * 1024 * 1024 + 5, 'z'));
  Load({jpeg, avi, mpeg, avi2});
  Click(0);
  const Info jpegInfo = Labels();

  Click(1);
  EXPECT_EQ(VisibleSet(), "movie");
  EXPECT_EQ(Labels(), (Info{jpegInfo.location, jpegInfo.type, jpegInfo.size, "4 kb"}));
  EXPECT_EQ(PictureWidth(), 200);  // moviepreview.bmp
  EXPECT_EQ(PictureHeight(), 100);
  ExpectBounds(PreviewBounds(), 20, 17 + 63 - 35, 141, 70);

  Click(2);
  EXPECT_EQ(panel->PropertiesValue.Caption(), "0 kb");
  Click(3);
  EXPECT_EQ(panel->PropertiesValue.Caption(), "2048 kb");
  EXPECT_EQ(PictureWidth(), 200);
  EXPECT_TRUE(prompts.messages.empty());

  // Back to a picture: the style controls return.
  Click(0);
  EXPECT_EQ(VisibleSet(), "style");
}

TEST_F(PreviewTest, PagesShowThePagePictureAndOpenInTheBrowser) {
  std::string htm = MakeFile(dir.file("page.HTM"), "<html><body>one</body></html>");
  std::string html = MakeFile(dir.file("site.html"), "<html></html>");
  std::string bmp = Bmp("plain.bmp", 30, 20);
  Load({bmp, htm, html});
  Click(0);
  const Info bmpInfo = Labels();

  for (int row : {1, 2}) {
    Click(row);
    EXPECT_EQ(VisibleSet(), "html") << row;
    EXPECT_EQ(Labels(), bmpInfo) << row;
    EXPECT_EQ(PictureWidth(), 100) << row;  // htmlpreview.bmp
    EXPECT_EQ(PictureHeight(), 200) << row;
    ExpectBounds(PreviewBounds(), 16 + 75 - 35, 21, 70, 141);
  }

  panel->MainListBox.SetItemIndex(1);
  panel->PagePreviewButton.Click();
  ASSERT_EQ(prompts.shellCalls.size(), 1u);
  const auto& call = prompts.shellCalls[0];
  EXPECT_EQ(call.owner, panel->Handle());
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, htm);
  EXPECT_EQ(call.parameters, "");
  EXPECT_EQ(call.folder, "");
  EXPECT_EQ(call.show, SW_SHOW);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PreviewTest, VanishedFilesAreRemovedWithAMessageAndThePlaylistIsSaved) {
  std::string a = Bmp("a.bmp", 8, 8), b = Bmp("b.bmp", 8, 8), c = Bmp("c.bmp", 8, 8), d = Bmp("d.bmp", 12, 8);
  Load({a, b, c, d});
  ASSERT_EQ(panel->MainListBox.Count(), 4);

  DeleteFileA(b.c_str());
  Click(1);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "This file does not exist anymore: " + b + ". Deleted from playlist.");
  EXPECT_EQ(prompts.messages[0].type, UINT(MB_OK));
  EXPECT_EQ(panel->Playlist->Lines(), (std::vector<std::string>{a, "a", c, "c", d, "d"}));
  EXPECT_EQ(ReadPlaylistFile(panel->StartupPlaylistFile), panel->Playlist->Lines());
  EXPECT_EQ(panel->MainListBox.Items(), (std::vector<std::string>{"a", "c", "d"}));

  // Several gone at once: the clicked one is reported and removed; the list
  // filled again has no row for the other missing file, whose entry stays
  // (rows show only existing files), and the row then selected is described.
  DeleteFileA(a.c_str());
  DeleteFileA(c.c_str());
  prompts.messages.clear();
  Click(0);
  EXPECT_EQ(prompts.MessageTexts(),
            (std::vector<std::string>{"This file does not exist anymore: " + a + ". Deleted from playlist."}));
  EXPECT_EQ(panel->Playlist->Lines(), (std::vector<std::string>{c, "c", d, "d"}));
  EXPECT_EQ(panel->MainListBox.Items(), (std::vector<std::string>{"d"}));
  EXPECT_EQ(ReadPlaylistFile(panel->StartupPlaylistFile), panel->Playlist->Lines());
  EXPECT_EQ(panel->LocationValue.Caption(), ShortenPath(d));
  EXPECT_EQ(PictureWidth(), 12);
}

TEST_F(PreviewTest, TheSwitchEmptiesThePreviewAndStopsLoadingPictures) {
  std::string bmp = Bmp("plain.bmp", 30, 20);
  std::string jpeg = Jpeg("photo.jpg", 320, 200);
  std::string avi = MakeFile(dir.file("clip.avi"), std::string(3000, 'a'));
  Load({bmp, jpeg, avi});
  Click(0);
  ASSERT_EQ(PictureWidth(), 30);

  panel->MainChPreview.SetChecked(false);  // runs MainChPreviewClick
  EXPECT_TRUE(panel->MainPreview.GetPicture().Empty());

  // The facts are still read; the picture is not.
  Click(1);
  EXPECT_TRUE(panel->MainPreview.GetPicture().Empty());
  EXPECT_EQ(Labels(), (Info{ShortenPath(jpeg), "JPEG image", "320x200", "90% Compression"}));
  // Movies and pages still show their stand-in picture.
  Click(2);
  EXPECT_EQ(PictureWidth(), 200);

  // Switching it on again describes the selected row.
  panel->MainListBox.SetItemIndex(0);
  panel->MainChPreview.SetChecked(true);
  EXPECT_EQ(PictureWidth(), 30);
  EXPECT_TRUE(prompts.messages.empty());
}

// A tray program waits hidden for hours: the panel off the screen holds no
// picture, and on it only one of the preview's size, made again when it
// comes back.
TEST_F(PreviewTest, OnlyThePanelOnTheScreenHoldsAPictureAndOnlyOfThePreviewsSize) {
  Load({Jpeg("large.jpg", 1600, 1200)});
  Click(0);
  EXPECT_EQ(PictureWidth(), 141);
  EXPECT_EQ(PictureHeight(), 105);
  panel->Hide();
  EXPECT_TRUE(panel->MainPreview.GetPicture().Empty());
  Click(0);  // a rotation's selection while hidden decodes nothing
  EXPECT_TRUE(panel->MainPreview.GetPicture().Empty());
  EXPECT_EQ(panel->SizeValue.Caption(), "1600x1200");
  panel->Show();
  EXPECT_EQ(PictureWidth(), 141);
  // Sent to the tray by its close or minimise button, the same.
  app.Minimize();
  EXPECT_TRUE(panel->MainPreview.GetPicture().Empty());
  panel->ShowControlPanel();
  EXPECT_EQ(PictureWidth(), 141);
  EXPECT_TRUE(prompts.messages.empty());
}

// A large JPEG is decoded reduced and a large PNG scaled while it is
// decoded: either way the preview is the whole picture, not a corner.
TEST_F(PreviewTest, ALargePictureIsPreviewedWholeFromAReducedDecode) {
  Image32 halves = MakeImage(1600, 1200, 0xC02020);
  for (int y = 0; y < 1200; ++y)
    for (int x = 800; x < 1600; ++x) halves.at(x, y) = 0x2020C0;
  const std::string jpg = dir.file("halves.jpg"), png = dir.file("halves.png");
  EncodeJpegFile(jpg, halves, 95);
  WritePngFile(png, ui::Bitmap::FromImage(halves));
  Load({jpg, png});
  for (int row : {0, 1}) {
    SCOPED_TRACE(row == 0 ? "JPEG" : "PNG");
    Click(row);
    const ui::Bitmap* shown = panel->MainPreview.GetPicture().AsBitmap();
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->Width(), 141);
    ASSERT_EQ(shown->Height(), 105);
    const Image32 pixels = shown->ToImage();
    for (int y : {2, 52, 102}) {
      EXPECT_GT(PixelRed(pixels.at(3, y)), 160) << y;
      EXPECT_LT(PixelBlue(pixels.at(3, y)), 80) << y;
      EXPECT_GT(PixelBlue(pixels.at(137, y)), 160) << y;
      EXPECT_LT(PixelRed(pixels.at(137, y)), 80) << y;
    }
  }
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PreviewTest, TheSwitchSelectsTheFirstRowWhenNoneIs) {
  std::string bmp = Bmp("first.bmp", 30, 20);
  Load({bmp, Bmp("second.bmp", 8, 8)});
  // Filling the list already described the first row.
  EXPECT_EQ(panel->MainListBox.ItemIndex(), 0);
  EXPECT_EQ(panel->LocationValue.Caption(), ShortenPath(bmp));

  panel->MainListBox.SetItemIndex(-1);
  panel->LocationValue.SetCaption(":");
  panel->MainChPreviewClick(panel->MainChPreview);
  EXPECT_EQ(panel->MainListBox.ItemIndex(), 0);
  EXPECT_EQ(panel->LocationValue.Caption(), ShortenPath(bmp));
}

TEST_F(PreviewTest, HeaderAloneGivesTheJpegSize) {
  // The picture data is cut off after the header: decoding it would fail, but
  // the size is read from the header alone.
  Image32 noise = MakeImage(640, 480);
  for (size_t i = 0; i < noise.pixels.size(); ++i) noise.pixels[i] = uint32_t(i * 2654435761u);
  std::string full = dir.file("full.jpg");
  EncodeJpegFile(full, noise, 90);
  std::vector<uint8_t> bytes = ReadFileBytes(full);
  ASSERT_GT(bytes.size(), 20000u);
  bytes.resize(2000);
  std::string cut = dir.file("cut.jpg");
  WriteFileBytes(cut, bytes);
  ASSERT_THROW(DecodeJpegFile(cut), JpegError);

  panel->MainChPreview.SetChecked(false);
  Load({cut});
  Click(0);
  EXPECT_EQ(panel->SizeValue.Caption(), "640x480");
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PreviewTest, BrokenPicturesGiveAnErrorBoxAndAnEmptyPreview) {
  std::string good = Bmp("good.bmp", 30, 20);
  std::string badJpeg = MakeFile(dir.file("bad.jpg"), "this is no JPEG at all");
  std::string badBmp = MakeFile(dir.file("bad.bmp"), "BM and then nothing sensible");
  std::string avi = MakeFile(dir.file("clip.avi"), "x");
  Load({good, badJpeg, badBmp, avi});
  ASSERT_EQ(PictureWidth(), 30);  // the fill described the first row

  for (int row : {1, 2}) {
    prompts.messages.clear();
    Click(0);
    ASSERT_FALSE(panel->MainPreview.GetPicture().Empty());
    GuardedClick(row);
    ASSERT_EQ(prompts.messages.size(), 1u) << row;
    EXPECT_NE(prompts.messages[0].text.find(row == 1 ? "bad.jpg" : "bad.bmp"), std::string::npos)
        << prompts.messages[0].text;
    EXPECT_TRUE(panel->MainPreview.GetPicture().Empty()) << row;
    EXPECT_EQ(panel->LocationValue.Caption(), ShortenPath(row == 1 ? badJpeg : badBmp));
  }

  // A missing stand-in picture is an error too, and the next click works.
  DeleteFileA(dir.file("moviepreview.bmp").c_str());
  prompts.messages.clear();
  GuardedClick(3);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].text.find("moviepreview.bmp"), std::string::npos);
  Click(0);
  EXPECT_EQ(PictureWidth(), 30);
}

TEST_F(PreviewTest, ABrokenFirstPictureDoesNotStopTheCommandThatFilledTheList) {
  std::string bad = MakeFile(dir.file("bad.jpg"), "garbage");
  std::string good = Bmp("good.bmp", 30, 20);
  // Adding a file refills the list and describes its first row, the broken one.
  panel->AddFilesToPlaylist({bad});
  ASSERT_NO_THROW(panel->AddOneFile(good));
  EXPECT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(panel->MainListBox.Count(), 2);
  EXPECT_EQ(panel->Playlist->EntryCount(), 2u);
}

#ifdef WC_PROGRAM_DIR
TEST_F(PreviewTest, StockPicturesAreInstalledBesideTheProgramAs24BitBitmapsOfThePreviewSize) {
  for (const char* name : {"moviepreview.bmp", "htmlpreview.bmp"}) {
    std::string path = std::string(WC_PROGRAM_DIR) + "\\" + name;
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 54u) << path;
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[28] | bytes[29] << 8, 24) << name;
    ui::Picture picture = ui::Picture::LoadFromFile(path);
    EXPECT_EQ(std::max(picture.Width(), picture.Height()), 141) << name;
    EXPECT_LE(std::min(picture.Width(), picture.Height()), 118) << name << ": must stay inside the frame";
  }
}
#endif

}  // namespace
}  // namespace wc
