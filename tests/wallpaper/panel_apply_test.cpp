// Applying a playlist entry from the control panel: the desktop values per
// style, JPEG conversion, the movie page, skipping missing files.
#include <windows.h>
#include <wtsapi32.h>

#include <atomic>
#include <stdexcept>

#include "app/panel/main_form.h"
#include "common/bmp.h"
#include "common/ini_file.h"
#include "common/jpeg.h"
#include "gui_test.h"
#include "program_files.h"
#include "ui/error.h"
#include "ui/menu.h"
#include "wallpaper/monitor_wallpaper.h"
#include "wallpaper/wallpaper_style.h"

namespace wc {
namespace {

using test::MakeFile;
using test::ReadTextFile;

using test::DesktopValue;

// Counts the SPI_SETDESKWALLPAPER calls this process makes: its import of
// SystemParametersInfoA is pointed, while the counter lives, at a stand-in
// that counts and passes every call on.
class DeskWallpaperCalls {
 public:
  DeskWallpaperCalls() {
    slot_ = ImportSlot("user32.dll", "SystemParametersInfoA");
    if (!slot_) throw std::runtime_error("no import of SystemParametersInfoA");
    original_ = reinterpret_cast<Spi>(*slot_);
    Swap(reinterpret_cast<ULONG_PTR>(&Counting));
  }
  ~DeskWallpaperCalls() { Swap(reinterpret_cast<ULONG_PTR>(original_)); }
  DeskWallpaperCalls(const DeskWallpaperCalls&) = delete;
  DeskWallpaperCalls& operator=(const DeskWallpaperCalls&) = delete;
  int Count() const { return count_; }
  void Reset() { count_ = 0; }

 private:
  using Spi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
  static BOOL WINAPI Counting(UINT action, UINT param, PVOID value, UINT flags) {
    if (action == SPI_SETDESKWALLPAPER) ++count_;
    return original_(action, param, value, flags);
  }
  static ULONG_PTR* ImportSlot(const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const LONG header = reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + header);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
      if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
      const DWORD named = d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + named);
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
      for (; names->u1.AddressOfData; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) == 0) return &slots->u1.Function;
      }
    }
    return nullptr;
  }
  void Swap(ULONG_PTR to) {
    DWORD was = 0;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &was);
    *slot_ = to;
    VirtualProtect(slot_, sizeof *slot_, was, &was);
  }
  ULONG_PTR* slot_ = nullptr;
  static inline Spi original_ = nullptr;
  static inline std::atomic<int> count_{0};
};

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
    panel->StartupTimerTick(panel->StartupTimer);
    panel->FolderReaderTimer.SetEnabled(false);
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

TEST_F(ApplyTest, EachStyleWritesItsValuesOnceAndTellsTheSystemOnce) {
  std::string bmp = Bmp("plain.bmp");
  Load({bmp});
  struct Row {
    int index;
    DesktopValues last;
  };
  const Row rows[] = {
      {0, {"1", "0", "0", "0"}},
      {1, {"0", "0", "0", "0"}},
      {2, {"0", "2", "0", "0"}},
      {3, {"0", "0", "-10", "25"}},
      {-1, {"0", "0", "0", "0"}},  // no style: the applier keeps its last one, without the origin
      {4, {"0", "0", "0", "0"}},
      {5, {"0", "0", "0", "0"}},
      // Span: composed and tiled where the system does not span (Wine has no
      // IDesktopWallpaper), the system's own span elsewhere.
      {6, SystemHasMonitorWallpapers() ? DesktopValues{"0", "22", "0", "0"} : DesktopValues{"1", "0", "0", "0"}},
  };
  panel->OriginXEdit.SetValue(-10);
  panel->OriginYEdit.SetValue(25);
  DeskWallpaperCalls calls;
  for (const Row& r : rows) {
    // The values are written once, after the picture is ready: the applier
    // starts on the previous change's values.
    DesktopValues seen;
    panel->WPChanger1.OnBeginChange = [&](ui::Component&) { seen = ReadDesktop(); };
    const DesktopValues before = ReadDesktop();
    panel->StyleBox.SetItemIndex(r.index);
    calls.Reset();
    Apply(0);
    EXPECT_EQ(calls.Count(), 1) << "style " << r.index;
    EXPECT_EQ(seen, before) << "style " << r.index;
    EXPECT_EQ(ReadDesktop(), r.last) << "style " << r.index;
    const bool systemSpan = r.index == 6 && SystemHasMonitorWallpapers();
    const std::string registered = r.index >= 4 && !systemSpan ? panel->WPChanger1.BitmapPath() : bmp;
    EXPECT_EQ(DesktopValue("Wallpaper"), registered);
    EXPECT_EQ(DesktopValue("PrevWallpaper"), registered);  // as the system left it after its own call
  }
}

TEST_F(ApplyTest, EachTrayStyleCommandChoosesItsStyleAndWritesItsValues) {
  std::string bmp = Bmp("plain.bmp");
  Load({bmp});
  panel->OriginXEdit.SetValue(7);
  panel->OriginYEdit.SetValue(-3);
  DeskWallpaperCalls calls;
  for (const WallpaperStyleRow& row : WallpaperStyles()) {
    SCOPED_TRACE(row.caption);
    auto* item = dynamic_cast<ui::MenuItem*>(panel->FindOwnedByName(row.menuItem));
    ASSERT_NE(item, nullptr);
    panel->StyleBox.SetItemIndex(-1);
    calls.Reset();
    item->Click();
    EXPECT_EQ(panel->StyleBox.ItemIndex(), row.comboIndex);
    EXPECT_EQ(panel->StyleBox.Text(), row.caption);
    EXPECT_EQ(StyleOfComboIndex(panel->StyleBox.ItemIndex()), row.style);
    EXPECT_EQ(calls.Count(), 1);
    const bool custom = row.style == WallpaperStyle::Custom;
    // A span the program composes is registered tiled.
    const WallpaperStyleRow& registered =
        row.spansMonitors && !SystemHasMonitorWallpapers() ? RowOf(WallpaperStyle::Tile) : row;
    const DesktopValues expected{registered.registryTile, registered.registryStyle, custom ? "7" : "0",
                                 custom ? "-3" : "0"};
    EXPECT_EQ(ReadDesktop(), expected);
  }
}

TEST_F(ApplyTest, ABurstOfDisplayChangesMakesTheFilledPictureAgainOnceWithoutMovingOn) {
  const std::string a = Jpeg("a.jpg", 40, 30, 0x2060A0), b = Jpeg("b.jpg", 40, 30, 0xA06020);
  Load({a, b});
  panel->StyleBox.SetItemIndex(RowOf(WallpaperStyle::Fill).comboIndex);
  Apply(0);
  const std::string bitmap = panel->WPChanger1.BitmapPath();
  ASSERT_EQ(DesktopValue("Wallpaper"), bitmap);
  const int index = panel->CurrentIndex;
  int changes = 0;
  panel->WPChanger1.OnBeginChange = [&](ui::Component&) { ++changes; };
  const HWND window = app.UtilityWindow();

  // The same monitors where they were (a resume, an unlock): nothing is
  // made again.
  SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
  ASSERT_TRUE(PumpUntil([&] { return !panel->RelayoutTimer.Enabled(); }));
  EXPECT_EQ(changes, 0);

  // The picture was made for another layout (the screen has changed its
  // size since): a burst makes it again once, at the size now.
  ASSERT_FALSE(panel->Shown.layout.empty());
  panel->Shown.layout[0].area.right += 100;
  ASSERT_TRUE(DeleteFileA(bitmap.c_str()));
  // A new resolution, a resume and an unlock in a row, as after sleep.
  SendMessageA(window, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
  SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
  SendMessageA(window, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
  EXPECT_EQ(changes, 0) << "the re-layout waits for the burst to end";
  ASSERT_TRUE(PumpUntil([&] { return !panel->RelayoutTimer.Enabled(); }));
  EXPECT_EQ(changes, 1);
  const Image32 made = DecodeBmp(ReadFileBytes(bitmap));
  EXPECT_EQ(made.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(made.height, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(DesktopValue("Wallpaper"), bitmap);
  EXPECT_EQ(panel->CurrentIndex, index) << "the rotation does not move";

  // Going to sleep and locking are no changes of the display.
  SendMessageA(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  SendMessageA(window, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
  EXPECT_FALSE(panel->RelayoutTimer.Enabled());

  // A style the system lays out itself, and a cleared desktop: nothing to make again.
  panel->StyleBox.SetItemIndex(RowOf(WallpaperStyle::Center).comboIndex);
  Apply(1);
  changes = 0;
  SendMessageA(window, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
  EXPECT_FALSE(panel->RelayoutTimer.Enabled());
  panel->StyleBox.SetItemIndex(RowOf(WallpaperStyle::Fit).comboIndex);
  Apply(1);
  panel->ClearWallpaperItem.Click();
  changes = 0;
  SendMessageA(window, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
  EXPECT_FALSE(panel->RelayoutTimer.Enabled());
  EXPECT_EQ(changes, 0);
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
  panel->MovieWidthEdit.SetValue(320);
  panel->MovieHeightEdit.SetValue(240);
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
  panel->StyleBox.SetItemIndex(1);
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
