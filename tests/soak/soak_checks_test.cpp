// The soak's own parts that could fool it: the pictures it makes must be
// what their names say (a PNG the system cannot read would pass for a
// damaged one), and its checks must see a cut file, a changed folder and a
// leak, and must not take a passing peak for one.
#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <string>

#include "common/bmp.h"
#include "soak_data.h"
#include "soak_watch.h"
#include "temp_dir.h"

namespace wc::soak {
namespace {

// Width, height and the top-left pixel (0xRRGGBB) through the system's codecs.
bool DecodeWithSystem(const std::string& path, UINT& w, UINT& h, uint32_t& first) {
  IWICImagingFactory* factory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))) return false;
  std::wstring wide(path.begin(), path.end());
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  bool ok = SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                         WICDecodeMetadataCacheOnDemand, &decoder)) &&
            SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
            SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
            SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                            WICBitmapPaletteTypeCustom));
  if (ok) {
    WICRect one{0, 0, 1, 1};
    BYTE px[4] = {};
    ok = SUCCEEDED(converter->CopyPixels(&one, 4, 4, px));
    first = uint32_t(px[2]) << 16 | uint32_t(px[1]) << 8 | px[0];
  }
  for (IUnknown* u : std::initializer_list<IUnknown*>{converter, frame, decoder, factory})
    if (u) u->Release();
  return ok;
}

TEST(SoakMaterial, PngGifAndTiffFilesAreReadByTheSystemsCodecsWithTheirSizeAndColour) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  test::TempDir dir;
  const uint32_t colour = 0x204080;
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    uint32_t first;
  } cases[] = {
      {"a.png", EncodePng(300, 70, colour), colour},
      // The GIF's first pixel takes palette entry 200, a grey.
      {"a.gif", EncodeGif(300, 70, colour), 0xC8C8C8},
      {"a.tif", EncodeTiff(300, 70, colour), colour},
  };
  for (const Case& c : cases) {
    const std::string path = dir.file(c.name);
    WriteFileBytes(path, c.bytes);
    UINT w = 0, h = 0;
    uint32_t first = 0;
    ASSERT_TRUE(DecodeWithSystem(path, w, h, first)) << c.name;
    EXPECT_EQ(w, 300u) << c.name;
    EXPECT_EQ(h, 70u) << c.name;
    EXPECT_EQ(first, c.first) << c.name;
  }
  CoUninitialize();
}

TEST(SoakChecks, ACutPlaylistOrIniFileAndAChangedFolderAreSeen) {
  test::TempDir dir;
  const std::string list = dir.file("list.qvl"), ini = dir.file("settings.ini");
  auto write = [](const std::string& path, const std::string& text) {
    WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
  };
  write(list, dir.file("list.qvl") + "\r\nlist\r\nC:\\gone.jpg\r\ngone\r\n");
  PlaylistCheck whole = CheckPlaylistFile(list);
  EXPECT_TRUE(whole.whole);
  EXPECT_EQ(whole.entries, 2u);
  EXPECT_EQ(whole.existing, 1u);
  write(list, "C:\\a.jpg\r\na\r\nC:\\b.j");
  EXPECT_FALSE(CheckPlaylistFile(list).whole);

  write(ini, "[Shuffle Wallpapers]\r\nChecked=1\r\n[language]\r\nvalue=French\r\n");
  IniCheck good = CheckIniFile(ini);
  EXPECT_TRUE(good.whole) << good.problem;
  EXPECT_EQ(good.sections, (std::vector<std::string>{"Shuffle Wallpapers", "language"}));
  for (const char* cut : {"[Shuffle Wallpapers]\r\nChecked=1\r\n[lang", "[Shuffle Wallpapers]\r\nChec\r\n", ""}) {
    write(ini, cut);
    EXPECT_FALSE(CheckIniFile(ini).whole) << cut;
  }

  const Snapshot before = TakeSnapshot(dir.path());
  EXPECT_EQ(CompareSnapshots(before, TakeSnapshot(dir.path())), "");
  write(dir.file("new.txt"), "x");
  EXPECT_EQ(CompareSnapshots(before, TakeSnapshot(dir.path())), "new.txt was created");
  DeleteFileA(list.c_str());
  EXPECT_EQ(CompareSnapshots(before, TakeSnapshot(dir.path())), "list.qvl was deleted or moved");
}

TEST(SoakChecks, TheLeakWatchFlagsSteadyGrowthButNotAPassingPeakNorWhatALifeMakesOnce) {
  // Flat, with a restart every 150 steps; in each life the overlay's
  // objects made before it is warm, a picture held for six steps now and
  // then, and a font made once late.
  LeakWatch flat;
  for (int step = 0; step < 600; ++step) {
    const int age = step % 150;
    if (age == 0) flat.Restart();
    Figures f{120, 500, 230, 50000};
    if (age >= 10) f.gdi += 132;
    if (age > 60 && age < 67) {
      f.gdi += 300;
      f.privateKb += 80000;
    }
    if (age > 100) f.gdi += 12;
    ASSERT_EQ(flat.Sample(step, f, age >= 20), "") << "step " << step;
  }
  EXPECT_EQ(flat.Finish(), "");
  ASSERT_EQ(flat.Stretches().size(), 4u);
  EXPECT_EQ(flat.Stretches()[0].warm.gdi, 632);
  EXPECT_GE(flat.WatchedSteps(), 400);
  EXPECT_EQ(flat.Growth().gdi, 4 * 12);
  EXPECT_NE(flat.Report().find("GDI objects +48"), std::string::npos) << flat.Report();

  // Captures held in the viewer for long stretches, 80 MB and 3 GDI objects
  // each: what they take is theirs, not a leak; what leaks beside them is.
  auto withCaptures = [](int gdiPerStep) {
    LeakWatch watch;
    std::string verdict;
    for (int step = 0; step < 400 && verdict.empty(); ++step) {
      const int held = std::min(21, step / 15);
      verdict = watch.Sample(step, Figures{120, 600 + 3 * held + gdiPerStep * step / 2, 230, 50000 + 80000 * held},
                             true, held);
    }
    return verdict.empty() ? watch.Finish() : verdict;
  };
  EXPECT_EQ(withCaptures(0), "");
  EXPECT_NE(withCaptures(1).find("GDI objects grew"), std::string::npos);

  // Handles growing steadily in one long life are caught during the run.
  LeakWatch leaking;
  std::string found;
  int at = 0;
  for (int step = 0; step < 600 && found.empty(); ++step) {
    found = leaking.Sample(step, Figures{120 + step / 2, 500, 230, 50000}, step >= 20);
    at = step;
  }
  EXPECT_NE(found.find("handles grew"), std::string::npos) << found;
  EXPECT_LT(at, 250);
}

// The short soak's case: one GDI object leaked per wallpaper change, a
// change every other step, in one life or in lives that restarts cut short.
TEST(SoakChecks, OneGdiObjectPerWallpaperChangeFailsEvenAcrossShortLives) {
  auto run = [](int lifeLength, int steps, int gdiPerChange) {
    LeakWatch watch;
    long leaked = 0;
    std::string verdict;
    for (int step = 0; step < steps && verdict.empty(); ++step) {
      const int age = step % lifeLength;
      if (age == 0) {
        watch.Restart();
        leaked = 0;
      }
      if (step % 2 == 0) leaked += gdiPerChange;
      verdict = watch.Sample(step, Figures{120, 500 + leaked, 230, 50000}, age >= 10);
    }
    return verdict.empty() ? watch.Finish() : verdict;
  };
  // Lives of 80 steps, 64 of them watched.
  const std::string leak = run(80, 300, 1);
  EXPECT_NE(leak.find("GDI objects grew by"), std::string::npos) << leak;
  EXPECT_NE(leak.find("2 lives"), std::string::npos) << leak;
  EXPECT_EQ(run(80, 300, 0), "");
  // One life: judged at its hundredth watched step, after fifty changes.
  EXPECT_NE(run(1000, 10 + LeakWatch::kWarmWindow + 101, 1), "");
  // Too few steps after warm-up to judge: no verdict rather than a guess.
  EXPECT_EQ(run(1000, 10 + LeakWatch::kWarmWindow + 60, 1), "");
}

}  // namespace
}  // namespace wc::soak
