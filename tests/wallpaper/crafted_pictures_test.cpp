// Crafted and damaged pictures through every way a picture is opened: the
// reader itself, the control panel's preview, Remove Bad Graphics, applying
// a wallpaper and the viewer's Open. Each file is refused with a message
// that names it (never a crash, never a picture another decoder made of
// it, never memory for a size the file cannot hold), and the good picture
// beside them still works. And an icon's transparent parts show the
// desktop's colour, as every other kind's do.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "capture/screen_form.h"
#include "common/bmp.h"
#include "gui_test.h"
#include "program_files.h"
#include "ui/error.h"
#include "ui/graphics.h"
#include "ui/sync.h"
#include "wallpaper/picture_reader.h"

namespace wc {
namespace {

using test::DesktopValue;
using Paths = std::vector<std::string>;

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// A bitmap file of a 40-byte header, a two-colour palette when `bits` is 8,
// then `data` as its pixels.
std::vector<uint8_t> BitmapFile(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                                const std::vector<uint8_t>& data) {
  const size_t offset = 54 + (bits == 8 ? 8 : 0);
  std::vector<uint8_t> b(offset, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 2, uint32_t(offset + data.size()));
  Put32(b, 10, uint32_t(offset));
  Put32(b, 14, 40);
  Put32(b, 18, uint32_t(width));
  Put32(b, 22, uint32_t(height));
  b[26] = 1, b[28] = uint8_t(bits);
  Put32(b, 30, compression);
  if (bits == 8) Put32(b, 58, 0xFFFFFF);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

std::string Sample(const std::string& name) { return std::string(WC_TEST_PICTURES) + "\\" + name; }

std::string Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  WriteFileBytes(path, bytes);
  return path;
}
std::string Write(const std::string& path, const std::string& bytes) {
  return Write(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

// The crafted files, written into `folder`.
Paths MakeCraftedFiles(const std::string& folder) {
  Paths paths;
  auto add = [&](const std::string& name, const auto& bytes) { paths.push_back(Write(folder + "\\" + name, bytes)); };
  // Pixel data said to start far past the end of the file.
  std::vector<uint8_t> distant = BitmapFile(16, 16, 24, 0, std::vector<uint8_t>(16 * 16 * 3, 0x40));
  Put32(distant, 10, 0x7FFFFFF0);
  add("offset-past-the-end.bmp", distant);
  // 2000 x 2000 at 24 bits over 1 KB of pixels.
  add("claims-more-than-it-holds.bmp", BitmapFile(2000, 2000, 24, 0, std::vector<uint8_t>(1024, 0x40)));
  // 1 MB of runs of 255 pixels: 32768 x 8192, a gigabyte of pixels.
  std::vector<uint8_t> runs(1 << 20, 0);
  for (size_t i = 0; i < runs.size(); i += 2) runs[i] = 255;
  add("runs-claim-a-huge-picture.bmp", BitmapFile(32768, 8192, 8, 1, runs));
  // Cut inside its first frame, and a PNG without its end chunk.
  const std::string gif = ui::ReadSharedFile(Sample("gif-animated.gif"));
  add("cut.gif", gif.substr(0, gif.size() / 3));
  const std::string png = ui::ReadSharedFile(Sample("png24.png"));
  add("cut.png", png.substr(0, png.size() - 12));
  // A PNG whole in length whose pixel data's checksum is wrong (the data
  // itself decodes: only the checksum tells).
  std::string flipped = png;
  const size_t idat = flipped.find("IDAT");
  const size_t idatLength = (uint8_t(flipped[idat - 2]) << 8) | uint8_t(flipped[idat - 1]);
  flipped[idat + 4 + idatLength + 1] ^= 0x10;
  add("checksum-wrong.png", flipped);
  // An icon whose one image lies past the end of the file.
  std::vector<uint8_t> icon{0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0};
  icon.resize(22 + 40, 0);
  Put32(icon, 14, 40 + 16 * 16 * 4);
  Put32(icon, 18, 4000);
  add("image-past-the-end.ico", icon);
  // An enhanced metafile whose frame is 20 km wide.
  std::vector<uint8_t> emf(108, 0);
  Put32(emf, 0, 1), Put32(emf, 4, 88), Put32(emf, 32, 2000000000), Put32(emf, 36, 2540);
  std::memcpy(emf.data() + 40, " EMF", 4);
  Put32(emf, 44, 0x10000), Put32(emf, 48, 108), Put32(emf, 52, 2), Put32(emf, 88, 14), Put32(emf, 92, 20);
  add("twenty-kilometres.emf", emf);
  return paths;
}

// A 16 x 16 icon of 32 bits: the left half opaque red, the right half
// fully transparent.
std::vector<uint8_t> HalfTransparentIcon() {
  std::vector<uint8_t> b{0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0};
  const uint32_t length = 40 + 16 * 16 * 4 + 16 * 4;
  b.resize(22 + length, 0);
  Put32(b, 14, length);
  Put32(b, 18, 22);
  Put32(b, 22, 40), Put32(b, 26, 16), Put32(b, 30, 32);
  b[34] = 1, b[36] = 32;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) Put32(b, 62 + size_t(y * 16 + x) * 4, x < 8 ? 0xFFFF0000 : 0);
    b[62 + 1024 + size_t(y) * 4 + 1] = 0xFF;  // the mask: the right half shows what is below
  }
  return b;
}

void ExpectRefusedNaming(const std::function<void()>& open, const std::string& path) {
  try {
    open();
    ADD_FAILURE() << path << " was opened";
  } catch (const ui::Error& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
}

TEST(CraftedPictureTest, TheReaderRefusesEachInEveryFormItGives) {
  test::TempDir dir;
  for (const std::string& path : MakeCraftedFiles(dir.path())) {
    SCOPED_TRACE(path);
    ExpectRefusedNaming([&] { (void)ReadPictureFile(path, 0); }, path);
    ExpectRefusedNaming([&] { (void)ReadPictureBitmap(path, 0); }, path);
    ExpectRefusedNaming([&] { (void)DecodePicture(ui::ReadSharedFile(path), path, 0); }, path);
    if (!path.ends_with(".ico") && !path.ends_with(".emf")) {
      ExpectRefusedNaming([&] { (void)ReadPictureInfo(path); }, path);
    }
  }
}

TEST(CraftedPictureTest, AnIconsTransparentPartShowsTheBackground) {
  test::TempDir dir;
  const std::string path = Write(dir.file("half.ico"), HalfTransparentIcon());
  for (uint32_t background : {0x008080u, 0x203040u}) {
    const ui::Bitmap bitmap = ReadPictureBitmap(path, background);
    ASSERT_EQ(bitmap.Width(), 16);
    ASSERT_EQ(bitmap.Height(), 16);
    EXPECT_EQ(bitmap.Bits()[5 * 16 + 2], 0xFF0000u);
    EXPECT_EQ(bitmap.Bits()[5 * 16 + 12], background);
    // The same from a picture already read, as the copy beside the program is made.
    const ui::Bitmap drawn = PictureBitmap(ReadPictureFile(path, background), background);
    EXPECT_EQ(drawn.Bits()[9 * 16 + 13], background);
  }
}

TEST(CraftedPictureTest, AMetafileTheSystemWroteIsTakenAndItsUndrawnPartShowsTheBackground) {
  test::TempDir dir;
  // 4 x 2 cm, a red square drawn in its left quarter only.
  HDC recording = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(recording, nullptr);
  SetMapMode(recording, MM_HIMETRIC);
  ui::BrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
  RECT square{0, 0, 1000, -2000};
  FillRect(recording, &square, red.get());
  RECT corner{3990, -1990, 4000, -2000};
  FillRect(recording, &corner, red.get());
  HENHMETAFILE metafile = CloseEnhMetaFile(recording);
  ASSERT_NE(metafile, nullptr);
  std::vector<uint8_t> bytes(GetEnhMetaFileBits(metafile, 0, nullptr));
  GetEnhMetaFileBits(metafile, UINT(bytes.size()), bytes.data());
  DeleteEnhMetaFile(metafile);
  const std::string path = Write(dir.file("drawing.emf"), bytes);

  const ui::Bitmap bitmap = ReadPictureBitmap(path, 0x008080);
  ASSERT_GT(bitmap.Width(), 100);
  ASSERT_GT(bitmap.Height(), 50);
  const int middle = bitmap.Height() / 2;
  EXPECT_EQ(bitmap.Bits()[size_t(middle) * bitmap.Width() + 2], 0xFF0000u);
  EXPECT_EQ(bitmap.Bits()[size_t(middle) * bitmap.Width() + bitmap.Width() / 2], 0x008080u);
}

// The panel, the viewer and the desktop: each way a user opens a picture.
class CraftedPictureGuiTest : public test::GuiTest {
 protected:
  TMainForm& panel = app.CreateForm<TMainForm>();
  TScreenForm& viewer = app.CreateForm<TScreenForm>();

  CraftedPictureGuiTest() {
    panel.StartupTimerTick(panel.StartupTimer);
    panel.FolderReaderTimer.SetEnabled(false);
    PumpUntil([] { return ui::RunningWorkers() == 0; });
    // The preview decodes only while the panel is on the screen.
    panel.Show();
  }
  void Load(const Paths& paths) {
    panel.Playlist->Clear();
    panel.AddFilesToPlaylist(paths);
    panel.MainListBox.Clear();
    panel.FillPlaylistBox(false);
  }
  Paths Entries() const {
    Paths v;
    for (size_t k = 0; k < panel.Playlist->EntryCount(); ++k) v.push_back(panel.Playlist->Path(k));
    return v;
  }
  void Select(int row) {
    panel.MainListBox.SetItemIndex(row);
  }
};

TEST_F(CraftedPictureGuiTest, EachIsRefusedWithAMessageByThePreviewTheCheckTheDesktopAndTheViewer) {
  const std::string good = test::MakePicture(dir.file("good.bmp"), 8, 6, 0x3080C0);
  const Paths crafted = MakeCraftedFiles(dir.path());
  Paths all{good};
  all.insert(all.end(), crafted.begin(), crafted.end());
  Load(all);
  ASSERT_EQ(panel.MainListBox.Count(), int(all.size()));
  prompts.messages.clear();

  // The preview: one message naming the file, and no picture.
  for (size_t row = 1; row < all.size(); ++row) {
    SCOPED_TRACE(all[row]);
    Select(0);
    panel.MainListBoxClick(panel.MainListBox);
    ASSERT_FALSE(panel.MainPreview.GetPicture().Empty());
    prompts.messages.clear();
    Select(int(row));
    ui::Guarded([&] { panel.MainListBoxClick(panel.MainListBox); });
    EXPECT_EQ(prompts.messages.size(), 1u);
    if (prompts.messages.empty()) continue;
    EXPECT_NE(prompts.messages[0].text.find(all[row]), std::string::npos) << prompts.messages[0].text;
    EXPECT_TRUE(panel.MainPreview.GetPicture().Empty());
  }

  // Applying: the command stops with the message; the desktop and the copy
  // beside the program keep the good picture.
  Select(0);
  panel.MainListBoxDblClick(panel);
  ASSERT_EQ(DesktopValue("Wallpaper"), good);
  const std::vector<uint8_t> copy = ReadFileBytes(ExeFolder() + "wallpaper.bmp");
  for (size_t row = 1; row < all.size(); ++row) {
    SCOPED_TRACE(all[row]);
    Select(int(row));
    ExpectRefusedNaming([&] { panel.MainListBoxDblClick(panel); }, all[row]);
    EXPECT_EQ(DesktopValue("Wallpaper"), good);
    EXPECT_EQ(ReadFileBytes(ExeFolder() + "wallpaper.bmp"), copy);
  }

  // The viewer's Open: an error naming the file, and no tab.
  for (const std::string& path : crafted) {
    SCOPED_TRACE(path);
    prompts.AnswerOpen({path});
    ExpectRefusedNaming([&] { viewer.Open1Click(viewer); }, path);
    EXPECT_EQ(viewer.TabCount, 0);
  }
  prompts.AnswerOpen({good});
  viewer.Open1Click(viewer);
  EXPECT_EQ(viewer.TabCount, 1);

  // Remove Bad Graphics: every crafted entry goes, the good one stays.
  prompts.messages.clear();
  panel.RemoveBadGraphicsItem.Click();
  ASSERT_TRUE(PumpUntil([&] { return !panel.CheckingGraphics(); }, std::chrono::seconds(60)));
  EXPECT_EQ(Entries(), Paths{good});
  EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace wc
