// Run by two_monitors.sh on an X display with two monitors side by side
// (WC_SECOND_MONITOR=right: two 800 x 600, 0,0 and 800,0; =left: the second
// at -800,0; =mixed: a 1024 x 768 landscape primary and a 600 x 800
// portrait right of it), in a Wine prefix without a virtual desktop. Checks what the program sees
// of the monitors and what its captures take.
#include <gtest/gtest.h>
#include <windows.h>

#include <shobjidl.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/panel/main_form.h"
#include "capture/capture_rect_form.h"
#include "capture/screen_grabber.h"
#include "common/bmp.h"
#include "common/ini_file.h"
#include "common/jpeg.h"
#include "settings/settings_form.h"
#include "gui_test.h"
#include "program_files.h"
#include "temp_dir.h"
#include "ui/monitors.h"
#include "wallpaper/monitor_wallpaper.h"
#include "wallpaper/wallpaper_style.h"

namespace wc {
namespace {

// The primary's and the other monitor's rectangles as the layout puts them.
struct Layout {
  RECT primary, other;
};
Layout LayoutOfTheRun() {
  const char* name = std::getenv("WC_SECOND_MONITOR");
  const std::string layout = name ? name : "right";
  if (layout == "left") return {{0, 0, 800, 600}, {-800, 0, 0, 600}};
  if (layout == "mixed") return {{0, 0, 1024, 768}, {1024, 0, 1624, 800}};
  return {{0, 0, 800, 600}, {800, 0, 1600, 600}};
}
int Width(const RECT& r) { return int(r.right - r.left); }
int Height(const RECT& r) { return int(r.bottom - r.top); }

// A top-most window of one solid colour, for the captures to find.
class SolidWindow {
 public:
  SolidWindow(const RECT& at, COLORREF colour) : brush_(CreateSolidBrush(colour)) {
    static int made = 0;  // a class of its own, with its own brush
    const std::string name = "WcSolid" + std::to_string(++made);
    WNDCLASSA c{};
    c.lpfnWndProc = DefWindowProcA;
    c.hInstance = GetModuleHandleA(nullptr);
    c.hbrBackground = brush_;
    c.lpszClassName = name.c_str();
    RegisterClassA(&c);
    window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, name.c_str(), "", WS_POPUP | WS_VISIBLE, at.left,
                              at.top, at.right - at.left, at.bottom - at.top, nullptr, nullptr, c.hInstance, nullptr);
    UpdateWindow(window_);
  }
  // Waits until the screen shows the window's colour in its middle.
  bool Shown(COLORREF colour) const {
    RECT r{};
    GetWindowRect(window_, &r);
    for (int i = 0; i < 100; ++i) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      HDC screen = GetDC(nullptr);
      const COLORREF seen = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
      ReleaseDC(nullptr, screen);
      if (seen == colour) return true;
      Sleep(50);
    }
    return false;
  }
  ~SolidWindow() {
    DestroyWindow(window_);
    DeleteObject(brush_);
  }

 private:
  HBRUSH brush_;
  HWND window_ = nullptr;
};

uint32_t PixelOf(const ui::Bitmap& b, int x, int y) { return b.Bits()[size_t(y) * size_t(b.Width()) + size_t(x)] & 0xFFFFFF; }

class TwoMonitorsTest : public test::GuiTest {
 protected:
  RECT primary = LayoutOfTheRun().primary;
  RECT other = LayoutOfTheRun().other;
  RECT screen{std::min(primary.left, other.left), std::min(primary.top, other.top), std::max(primary.right, other.right),
              std::max(primary.bottom, other.bottom)};
  const RECT& leftMonitor = screen.left == primary.left ? primary : other;
  const RECT& rightMonitor = screen.left == primary.left ? other : primary;
  // Where the monitor at virtual-screen x `left` finds its part of a desktop
  // bitmap shown tiled from the primary's corner: a part at a negative x
  // sits at the bitmap's right.
  int PartOf(int left) const {
    const int width = Width(screen);
    return ((left - int(primary.left)) % width + width) % width;
  }
};

TEST_F(TwoMonitorsTest, TheSystemsTwoMonitorsMakeOneVirtualScreen) {
  const std::vector<ui::Monitor> monitors = ui::Monitors();
  ASSERT_EQ(monitors.size(), 2u);
  int primaries = 0;
  for (const ui::Monitor& m : monitors) {
    primaries += m.primary;
    const RECT& want = m.primary ? primary : other;
    EXPECT_EQ(m.area.left, want.left);
    EXPECT_EQ(m.area.right, want.right);
  }
  EXPECT_EQ(primaries, 1);
  // Each monitor has a name of its own that a new layout keeps.
  EXPECT_FALSE(monitors[0].devicePath.empty());
  EXPECT_NE(monitors[0].devicePath, monitors[1].devicePath);
  const RECT v = ui::VirtualScreen();
  EXPECT_EQ(v.left, screen.left);
  EXPECT_EQ(v.right - v.left, Width(screen));
  EXPECT_EQ(v.bottom - v.top, Height(screen));
  // A window left where a removed monitor was comes back onto the one given.
  const RECT lost{5000, 5000, 5300, 5200};
  const RECT back = ui::KeepWithin(lost, ui::WorkAreaNear(other));
  EXPECT_GE(back.left, other.left);
  EXPECT_LE(back.right, other.right);
  EXPECT_EQ(back.right - back.left, 300);
}

TEST_F(TwoMonitorsTest, TheDesktopCaptureTakesBothMonitorsAndTheirWindows) {
  SolidWindow red(RECT{primary.left + 100, 100, primary.left + 300, 300}, RGB(220, 20, 20));
  SolidWindow blue(RECT{other.left + 100, 200, other.left + 400, 500}, RGB(20, 20, 220));
  ASSERT_TRUE(red.Shown(RGB(220, 20, 20)) && blue.Shown(RGB(20, 20, 220)));
  TScreenGrabber grabber(nullptr, "ScreenGrabber1");
  std::unique_ptr<ui::Bitmap> shot = grabber.CaptureDesktop();
  ASSERT_TRUE(shot);
  ASSERT_EQ(shot->Width(), Width(screen));
  ASSERT_EQ(shot->Height(), Height(screen));
  // Picture coordinates are screen coordinates less the virtual screen's corner.
  EXPECT_EQ(PixelOf(*shot, primary.left + 200 - screen.left, 200), 0xDC1414u);
  EXPECT_EQ(PixelOf(*shot, other.left + 250 - screen.left, 350), 0x1414DCu);
}

TEST_F(TwoMonitorsTest, AnAreaDraggedAcrossTheBoundaryIsExactlyThatRectangle) {
  SolidWindow red(RECT{primary.left + 10, 50, primary.right - 10, 550}, RGB(220, 20, 20));
  SolidWindow blue(RECT{other.left + 10, 50, other.right - 10, 550}, RGB(20, 20, 220));
  ASSERT_TRUE(red.Shown(RGB(220, 20, 20)) && blue.Shown(RGB(20, 20, 220)));
  TCaptureRectForm overlay(app);
  RECT covered{};
  GetWindowRect(overlay.Handle(), &covered);
  EXPECT_EQ(covered.left, screen.left);
  EXPECT_EQ(covered.right, screen.right);
  // From 100 pixels into the left monitor to 100 into the right one.
  const RECT left = leftMonitor;
  const int fromX = left.right - 100 - screen.left, toX = left.right + 100 - screen.left;
  auto at = [](int x, int y) { return MAKELPARAM(x, y); };
  SendMessageA(overlay.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(fromX, 100));
  SendMessageA(overlay.Handle(), WM_MOUSEMOVE, MK_LBUTTON, at(toX, 300));
  SendMessageA(overlay.Handle(), WM_LBUTTONUP, 0, at(toX, 300));
  ui::Bitmap selection = overlay.TakeSelection();
  ASSERT_EQ(selection.Width(), 200);
  ASSERT_EQ(selection.Height(), 200);
  const uint32_t leftColour = left.left == primary.left ? 0xDC1414u : 0x1414DCu;
  const uint32_t rightColour = leftColour == 0xDC1414u ? 0x1414DCu : 0xDC1414u;
  EXPECT_EQ(PixelOf(selection, 50, 100), leftColour);
  EXPECT_EQ(PixelOf(selection, 150, 100), rightColour);
}

std::string DesktopValue(const char* name) {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
    return "<none>";
  }
  return value;
}

TEST_F(TwoMonitorsTest, WithTheOptionEachMonitorShowsAnEntryOfItsOwn) {
  test::TempDir dir;
  app.SetExeName(dir.file("WallpaperChanger.exe"));
  app.Arguments.clear();
  IniFile ini(dir.file("settings.ini"));
  ini.WriteBool("Different Wallpaper on each Monitor", "Checked", true);
  TMainForm& panel = app.CreateForm<TMainForm>();
  panel.StartupTimerTick(panel.StartupTimer);
  panel.FolderReaderTimer.SetEnabled(false);
  const uint32_t colours[] = {0xDC1414, 0x14DC14, 0x1414DC, 0xDCDC14};
  for (int i = 0; i < 4; ++i) {
    const std::string path = dir.file("picture" + std::to_string(i) + ".jpg");
    EncodeJpegFile(path, MakeImage(400, 300, colours[i]), 95);
    panel.AddOneFile(path);
  }
  panel.StyleBox.SetItemIndex(RowOf(WallpaperStyle::Fill).comboIndex);
  auto similar = [](uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16}) {
      if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 6) return false;
    }
    return true;
  };
  // The left monitor's part is the first entry, the right one's the second.
  auto expectHalves = [&](uint32_t leftColour, uint32_t rightColour) {
    const Image32 desktop = DecodeBmp(ReadFileBytes(panel.WPChanger1.BitmapPath()));
    ASSERT_EQ(desktop.width, Width(screen));
    ASSERT_EQ(desktop.height, Height(screen));
    const int leftPart = PartOf(int(leftMonitor.left)), rightPart = PartOf(int(rightMonitor.left));
    EXPECT_TRUE(similar(desktop.at(leftPart + 20, 20), leftColour)) << std::hex << desktop.at(leftPart + 20, 20);
    EXPECT_TRUE(similar(desktop.at(rightPart + 20, Height(rightMonitor) - 20), rightColour));
    EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
    EXPECT_EQ(DesktopValue("Wallpaper"), panel.WPChanger1.BitmapPath());
  };
  panel.MainListBox.SetItemIndex(0);
  panel.MainListBoxDblClick(panel);
  expectHalves(colours[0], colours[1]);
  panel.NextWallpaper();
  expectHalves(colours[2], colours[3]);
  EXPECT_EQ(panel.CurrentIndex, 3);

  // Off: one entry, filled to each monitor.
  ini.WriteBool("Different Wallpaper on each Monitor", "Checked", false);
  panel.MainListBox.SetItemIndex(1);
  panel.MainListBoxDblClick(panel);
  expectHalves(colours[1], colours[1]);
}

// Windows' desktop wallpaper object, stood in for by the tests' own server
// (Wine has none) while this lives: registered for this prefix, its calls
// written to `log`.
class RegisteredWallpaperServer {
 public:
  explicit RegisteredWallpaperServer(const std::string& log) {
    std::string dll = WC_DESKTOP_WALLPAPER_SERVER;
    std::replace(dll.begin(), dll.end(), '/', '\\');
    SetEnvironmentVariableA("WC_DESKTOP_WALLPAPER_LOG", log.c_str());
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kKey) + "\\InprocServer32").c_str(), 0, nullptr, 0,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return;
    }
    const char both[] = "Both";
    registered = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                                DWORD(dll.size() + 1)) == ERROR_SUCCESS &&
                 RegSetValueExA(key, "ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(both), sizeof both) ==
                     ERROR_SUCCESS;
    RegCloseKey(key);
  }
  ~RegisteredWallpaperServer() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
    SetEnvironmentVariableA("WC_DESKTOP_WALLPAPER_LOG", nullptr);
    CoFreeUnusedLibraries();
  }
  RegisteredWallpaperServer(const RegisteredWallpaperServer&) = delete;
  RegisteredWallpaperServer& operator=(const RegisteredWallpaperServer&) = delete;
  bool registered = false;

 private:
  static constexpr const char* kKey = "Software\\Classes\\CLSID\\{C2CF3110-460E-4FC1-B9D0-8A1C0C9CC4BD}";
};

// A panel started in a folder of its own, with the settings written before.
class TwoMonitorsPanelTest : public TwoMonitorsTest {
 protected:
  TMainForm& StartPanel(bool eachMonitor) {
    app.SetExeName(dir.file("WallpaperChanger.exe"));
    app.Arguments.clear();
    IniFile(dir.file("settings.ini")).WriteBool("Different Wallpaper on each Monitor", "Checked", eachMonitor);
    TMainForm& panel = app.CreateForm<TMainForm>();
    panel.StartupTimerTick(panel.StartupTimer);
    panel.FolderReaderTimer.SetEnabled(false);
    return panel;
  }
  // The bitmap registered for the desktop, with the part of the monitor at
  // virtual-screen x `left` found where the tiling from the primary's corner
  // puts it.
  Image32 Desktop(TMainForm& panel) const { return DecodeBmp(ReadFileBytes(panel.WPChanger1.BitmapPath())); }
  // The left monitor's part of the desktop bitmap shows `leftColour` at its
  // top-left, the right one's `rightColour`.
  void ExpectSides(TMainForm& panel, uint32_t leftColour, uint32_t rightColour) const {
    const Image32 desktop = Desktop(panel);
    ASSERT_EQ(desktop.width, Width(screen));
    EXPECT_TRUE(Similar(desktop.at(PartOf(leftMonitor.left) + 20, 20), leftColour));
    EXPECT_TRUE(Similar(desktop.at(PartOf(rightMonitor.left) + 20, 20), rightColour));
  }
  static bool Similar(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16}) {
      if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 8) return false;
    }
    return true;
  }
  test::TempDir dir;
};

TEST_F(TwoMonitorsPanelTest, EachMonitorTakesDistinctPicturesAndPassesOverPagesMoviesAndMissingFiles) {
  TMainForm& panel = StartPanel(true);
  const std::string a = dir.file("a.jpg"), b = dir.file("b.jpg"), gone = dir.file("gone.jpg");
  EncodeJpegFile(a, MakeImage(400, 300, 0xDC1414), 95);
  EncodeJpegFile(b, MakeImage(400, 300, 0x1414DC), 95);
  EncodeJpegFile(gone, MakeImage(400, 300, 0x14DC14), 95);
  const std::string page = dir.file("page.html"), movie = dir.file("clip.AVI");
  WriteFileBytes(page, {'<', 'p', '>'});
  WriteFileBytes(movie, {'R', 'I', 'F', 'F'});
  for (const std::string& path : {a, page, movie, gone, b}) panel.AddOneFile(path);
  ASSERT_EQ(panel.MainListBox.Count(), 5);
  DeleteFileA(gone.c_str());
  panel.StyleBox.SetItemIndex(RowOf(WallpaperStyle::Fill).comboIndex);
  auto expectPair = [&](uint32_t leftColour, uint32_t rightColour) { ExpectSides(panel, leftColour, rightColour); };

  // In order: the page, the movie and the missing file are passed over.
  panel.MainListBox.SetItemIndex(0);
  panel.MainListBoxDblClick(panel);
  expectPair(0xDC1414, 0x1414DC);
  EXPECT_EQ(panel.CurrentIndex, 4);

  // Shuffled: the second monitor's entry is drawn from the others, never
  // the first monitor's again, and whatever the draw meets first is passed
  // over until a picture comes.
  panel.ShuffleCheck.SetChecked(true);
  for (int change = 0; change < 12; ++change) {
    SCOPED_TRACE(change);
    DeleteFileA(panel.WPChanger1.BitmapPath().c_str());
    panel.MainListBox.SetItemIndex(0);
    panel.MainListBoxDblClick(panel);
    expectPair(0xDC1414, 0x1414DC);
    EXPECT_EQ(panel.CurrentIndex, 0);
  }

  // The same monitors where they were: the desktop is left as it is.
  ASSERT_TRUE(DeleteFileA(panel.WPChanger1.BitmapPath().c_str()));
  SendMessageA(app.UtilityWindow(), WM_DISPLAYCHANGE, 24, MAKELPARAM(Width(screen), Height(screen)));
  ASSERT_TRUE(PumpUntil([&] { return !panel.RelayoutTimer.Enabled(); }));
  EXPECT_FALSE(test::Exists(panel.WPChanger1.BitmapPath()));

  // The pictures were made when the two monitors stood the other way round:
  // after the change each monitor, found by its device path, gets its own
  // picture back on the side where it is now; the rotation stays.
  ASSERT_EQ(panel.Shown.monitors.size(), 2u);
  std::swap(panel.Shown.monitors[0], panel.Shown.monitors[1]);
  panel.Shown.layout.clear();
  SendMessageA(app.UtilityWindow(), WM_DISPLAYCHANGE, 24, MAKELPARAM(Width(screen), Height(screen)));
  ASSERT_TRUE(PumpUntil([&] { return !panel.RelayoutTimer.Enabled(); }));
  expectPair(0x1414DC, 0xDC1414);
  EXPECT_EQ(panel.CurrentIndex, 0);
}

TEST_F(TwoMonitorsPanelTest, FillAndFitWithOneWallpaperMakeThePictureToEachMonitor) {
  TMainForm& panel = StartPanel(false);
  // Twice as wide as high, red on the left half and blue on the right: on
  // a landscape or portrait monitor Fill cuts its sides and Fit leaves bars
  // above and below, on each monitor alike.
  Image32 wide = MakeImage(400, 200, 0xDC1414);
  for (int y = 0; y < 200; ++y) {
    for (int x = 200; x < 400; ++x) wide.pixels[size_t(y) * 400 + size_t(x)] = 0x1414DC;
  }
  const std::string path = dir.file("wide.jpg");
  EncodeJpegFile(path, wide, 95);
  panel.AddOneFile(path);
  for (const int style : {RowOf(WallpaperStyle::Fill).comboIndex, RowOf(WallpaperStyle::Fit).comboIndex}) {
    SCOPED_TRACE(style == RowOf(WallpaperStyle::Fill).comboIndex ? "fill" : "fit");
    panel.StyleBox.SetItemIndex(style);
    DeleteFileA(panel.WPChanger1.BitmapPath().c_str());
    panel.MainListBox.SetItemIndex(0);
    panel.MainListBoxDblClick(panel);
    const Image32 desktop = Desktop(panel);
    ASSERT_EQ(desktop.width, Width(screen));
    ASSERT_EQ(desktop.height, Height(screen));
    EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
    for (const RECT& monitor : {primary, other}) {
      const int middle = int(monitor.top - screen.top) + Height(monitor) / 2;
      const int x = PartOf(monitor.left);
      const uint32_t top = desktop.at(x + 20, 20);
      if (style == RowOf(WallpaperStyle::Fill).comboIndex) {
        EXPECT_TRUE(Similar(top, 0xDC1414)) << std::hex << top;
      } else {
        EXPECT_FALSE(Similar(top, 0xDC1414)) << "no bar above the fitted picture";
      }
      EXPECT_TRUE(Similar(desktop.at(x + 20, middle), 0xDC1414)) << std::hex << desktop.at(x + 20, middle);
      EXPECT_TRUE(Similar(desktop.at(x + Width(monitor) - 20, middle), 0x1414DC));
    }
  }
}

TEST_F(TwoMonitorsPanelTest, NextWallpaperOnOneMonitorLeavesTheOtherAsItWas) {
  TMainForm& panel = StartPanel(false);
  const uint32_t colours[] = {0xDC1414, 0x1414DC, 0x14DC14, 0xDCDC14};
  for (size_t i = 0; i < std::size(colours); ++i) {
    const std::string path = dir.file("picture" + std::to_string(i) + ".jpg");
    EncodeJpegFile(path, MakeImage(400, 300, colours[i]), 95);
    panel.AddOneFile(path);
  }
  panel.StyleBox.SetItemIndex(RowOf(WallpaperStyle::Fill).comboIndex);
  auto expectPair = [&](uint32_t leftColour, uint32_t rightColour) { ExpectSides(panel, leftColour, rightColour); };

  // The tray menu numbers the monitors left to right with their sizes.
  panel.TrayMenuPopup(panel.TrayMenu);
  ASSERT_TRUE(panel.NextOnMonitorMenu.Visible());
  const auto caption = [](const RECT& r) {
    return std::to_string(Width(r)) + " \xC3\x97 " + std::to_string(Height(r));
  };
  EXPECT_EQ(panel.NextOnMonitorItems[0]->Caption(), "1: " + caption(leftMonitor));
  EXPECT_EQ(panel.NextOnMonitorItems[1]->Caption(), "2: " + caption(rightMonitor));
  EXPECT_FALSE(panel.NextOnMonitorItems[2]->Visible());

  // One picture on both; then the right monitor alone moves on, twice,
  // never to what the left one shows.
  panel.MainListBox.SetItemIndex(0);
  panel.MainListBoxDblClick(panel);
  expectPair(colours[0], colours[0]);
  panel.NextOnMonitorItems[1]->Click();
  expectPair(colours[0], colours[1]);
  EXPECT_EQ(panel.CurrentIndex, 1);
  panel.NextOnMonitorItems[1]->Click();
  expectPair(colours[0], colours[2]);
  // The left one by the hotkey's command, with the pointer over it.
  SetCursorPos(int(leftMonitor.left) + 50, int(leftMonitor.top) + 50);
  panel.NextWallpaperUnderPointer();
  expectPair(colours[3], colours[2]);
  EXPECT_EQ(panel.CurrentIndex, 3);
  // Past the end, round to the first; the picture the right monitor shows
  // is passed over.
  panel.NextOnMonitorItems[0]->Click();
  expectPair(colours[0], colours[2]);
  panel.NextOnMonitorItems[0]->Click();
  expectPair(colours[1], colours[2]);
  panel.NextOnMonitorItems[0]->Click();
  expectPair(colours[3], colours[2]);
  EXPECT_EQ(panel.CurrentIndex, 3);

  // A display change (to another layout) keeps both as they are.
  ASSERT_TRUE(DeleteFileA(panel.WPChanger1.BitmapPath().c_str()));
  panel.Shown.layout.clear();
  SendMessageA(app.UtilityWindow(), WM_DISPLAYCHANGE, 24, MAKELPARAM(Width(screen), Height(screen)));
  ASSERT_TRUE(PumpUntil([&] { return !panel.RelayoutTimer.Enabled(); }));
  expectPair(colours[3], colours[2]);
}

TEST_F(TwoMonitorsPanelTest, WithTheShapeOptionEachMonitorTakesAPictureOfItsOwnShape) {
  IniFile(dir.file("settings.ini")).WriteBool("Prefer Pictures Shaped like the Monitor", "Checked", true);
  TMainForm& panel = StartPanel(true);
  struct Picture {
    int width, height;
    uint32_t colour;
  };
  const Picture pictures[] = {{400, 300, 0xDC1414}, {400, 300, 0x1414DC}, {300, 400, 0x14DC14}, {400, 300, 0xDCDC14}};
  for (size_t i = 0; i < std::size(pictures); ++i) {
    const std::string path = dir.file("picture" + std::to_string(i) + ".jpg");
    EncodeJpegFile(path, MakeImage(pictures[i].width, pictures[i].height, pictures[i].colour), 95);
    panel.AddOneFile(path);
  }
  panel.StyleBox.SetItemIndex(RowOf(WallpaperStyle::Fill).comboIndex);
  panel.MainListBox.SetItemIndex(0);
  panel.MainListBoxDblClick(panel);
  // The left monitor lies flat and takes the first picture; the right one
  // takes the upright picture when it stands upright, else the next flat one.
  const bool upright = Height(rightMonitor) > Width(rightMonitor);
  ExpectSides(panel, pictures[0].colour, upright ? pictures[2].colour : pictures[1].colour);
  // The rotation goes on after the farthest picture taken.
  EXPECT_EQ(panel.CurrentIndex, upright ? 2 : 1);
}

TEST_F(TwoMonitorsPanelTest, WhereTheSystemTakesAFilePerMonitorEachGetsItsOwnMadeToItsSize) {
  const std::string log = dir.file("calls.log");
  RegisteredWallpaperServer server(log);
  ASSERT_TRUE(server.registered);
  ASSERT_TRUE(SystemHasMonitorWallpapers());
  TMainForm& panel = StartPanel(true);
  for (const uint32_t colour : {0xDC1414u, 0x1414DCu}) {
    const std::string path = dir.file("picture" + std::to_string(colour) + ".jpg");
    EncodeJpegFile(path, MakeImage(400, 300, colour), 95);
    panel.AddOneFile(path);
  }
  panel.StyleBox.SetItemIndex(RowOf(WallpaperStyle::Fill).comboIndex);
  panel.MainListBox.SetItemIndex(0);
  panel.MainListBoxDblClick(panel);

  // The monitors looked up, the position set once, and one file per
  // monitor, left to right, each at that monitor's size with its picture.
  std::vector<std::string> calls;
  std::istringstream lines(test::ReadTextFile(log));
  for (std::string line; std::getline(lines, line);) calls.push_back(line);
  EXPECT_TRUE(std::count_if(calls.begin(), calls.end(), [](const std::string& c) {
    return c.starts_with("GetMonitorDevicePathAt ");
  }) >= 2);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "SetPosition " + std::to_string(int(DWPOS_CENTER))), 1);
  std::vector<std::string> files;
  for (const std::string& c : calls) {
    if (c.starts_with("SetWallpaper ")) files.push_back(c.substr(c.find('|') + 1));
  }
  ASSERT_EQ(files.size(), 2u) << "each monitor's picture is handed over once";
  const RECT monitors[] = {leftMonitor, rightMonitor};
  const uint32_t colours[] = {0xDC1414, 0x1414DC};
  for (size_t k = 0; k < 2; ++k) {
    SCOPED_TRACE(files[k]);
    const Image32 own = DecodeBmp(ReadFileBytes(files[k]));
    EXPECT_EQ(own.width, Width(monitors[k]));
    EXPECT_EQ(own.height, Height(monitors[k]));
    EXPECT_TRUE(Similar(own.at(own.width / 2, own.height / 2), colours[k]));
  }

  // Span there is the system's own: one picture, its style 22, no file per
  // monitor.
  panel.StyleBox.SetItemIndex(RowOf(WallpaperStyle::Span).comboIndex);
  panel.MainListBoxDblClick(panel);
  EXPECT_EQ(DesktopValue("WallpaperStyle"), "22");
  EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
  std::istringstream after(test::ReadTextFile(log));
  int handedOver = 0;
  for (std::string line; std::getline(after, line);) handedOver += line.starts_with("SetWallpaper ");
  EXPECT_EQ(handedOver, 2);
}

TEST_F(TwoMonitorsPanelTest, SpanLaysOnePictureAcrossBothMonitors) {
  // Even with a wallpaper for each monitor ticked: Span is one picture.
  TMainForm& panel = StartPanel(true);
  // Half the size of the rectangle around the monitors, red where the left
  // monitor lies and blue where the right one does: filled over that
  // rectangle, each monitor shows one colour from edge to edge.
  const int width = Width(screen) / 2, height = Height(screen) / 2;
  const int boundary = int(leftMonitor.right - screen.left) / 2;
  Image32 wide = MakeImage(width, height, 0xDC1414);
  for (int y = 0; y < height; ++y) {
    for (int x = boundary; x < width; ++x) wide.pixels[size_t(y) * size_t(width) + size_t(x)] = 0x1414DC;
  }
  const std::string path = dir.file("wide.jpg"), green = dir.file("green.jpg");
  EncodeJpegFile(path, wide, 95);
  EncodeJpegFile(green, MakeImage(400, 300, 0x14DC14), 95);
  panel.AddOneFile(path);
  panel.AddOneFile(green);
  panel.SpanItem.Click();
  EXPECT_EQ(StyleOfComboIndex(panel.StyleBox.ItemIndex()), WallpaperStyle::Span);
  auto expectSpanned = [&] {
    const Image32 desktop = Desktop(panel);
    ASSERT_EQ(desktop.width, Width(screen));
    ASSERT_EQ(desktop.height, Height(screen));
    EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
    EXPECT_EQ(DesktopValue("Wallpaper"), panel.WPChanger1.BitmapPath());
    for (const RECT* monitor : {&leftMonitor, &rightMonitor}) {
      const uint32_t colour = monitor == &leftMonitor ? 0xDC1414 : 0x1414DC;
      const int part = PartOf(int(monitor->left)), top = int(monitor->top - screen.top);
      // Away from where the halves meet, which the JPEG blurs.
      for (const int y : {top + 20, top + Height(*monitor) / 2, top + Height(*monitor) - 20}) {
        for (const int x : {60, Width(*monitor) - 60}) {
          EXPECT_TRUE(Similar(desktop.at(part + x, y), colour))
              << std::hex << desktop.at(part + x, y) << " at " << std::dec << x << "," << y;
        }
      }
    }
  };
  expectSpanned();
  // After a display change the same picture is spanned again, the rotation
  // where it was.
  const int index = panel.CurrentIndex;
  ASSERT_TRUE(DeleteFileA(panel.WPChanger1.BitmapPath().c_str()));
  panel.Shown.layout.clear();
  SendMessageA(app.UtilityWindow(), WM_DISPLAYCHANGE, 24, MAKELPARAM(Width(screen), Height(screen)));
  ASSERT_TRUE(PumpUntil([&] { return !panel.RelayoutTimer.Enabled(); }));
  expectSpanned();
  EXPECT_EQ(panel.CurrentIndex, index);
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

// The settings' monitors page gives the right monitor a folder of its own,
// shown in Fit, while the left one keeps the playlist in the panel's Fill;
// the folder's pictures follow one another on that monitor alone.
TEST_F(TwoMonitorsPanelTest, AMonitorWithAFolderOfItsOwnShowsItsPicturesInItsOwnStyle) {
  TMainForm& panel = StartPanel(true);
  const uint32_t red = 0xDC1414, blue = 0x1414DC, green = 0x14DC14, yellow = 0xDCDC14;
  for (const auto& [name, colour] : {std::pair{"red.jpg", red}, std::pair{"blue.jpg", blue}}) {
    EncodeJpegFile(dir.file(name), MakeImage(400, 300, colour), 95);
    panel.AddOneFile(dir.file(name));
  }
  // Four times as wide as high: fitted to any monitor it leaves bars above
  // and below.
  const std::string folder = dir.file("own");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EncodeJpegFile(folder + "\\1 green.jpg", MakeImage(800, 200, green), 95);
  EncodeJpegFile(folder + "\\2 yellow.jpg", MakeImage(800, 200, yellow), 95);
  WriteFileBytes(folder + "\\notes.txt", {'x'});

  // The page draws both monitors; a click on the right one chooses it.
  TSettings& settings = app.CreateForm<TSettings>();
  settings.Show();
  const bool upright = Height(rightMonitor) > Width(rightMonitor);
  ASSERT_EQ(settings.MonitorBox.Items().size(), 2u);
  EXPECT_EQ(settings.MonitorBox.Items()[1], "2: " + std::to_string(Width(rightMonitor)) + " \xC3\x97 " +
                                                std::to_string(Height(rightMonitor)) +
                                                (upright ? ", portrait" : ", landscape"));
  const std::vector<RECT> boxes = settings.MonitorsDrawing.PlacedBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_LT(boxes[0].right, boxes[1].left + 2) << "drawn as they lie";
  SendMessageA(settings.MonitorsDrawing.Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM((boxes[1].left + boxes[1].right) / 2, (boxes[1].top + boxes[1].bottom) / 2));
  EXPECT_EQ(settings.MonitorBox.ItemIndex(), 1);
  EXPECT_TRUE(settings.PlaylistSourceRadio.Checked()) << "a monitor never seen shows the playlist";
  EXPECT_FALSE(settings.MonitorBrowseButton.Enabled());
  settings.FolderSourceRadio.SetChecked(true);
  prompts.AnswerFolder(folder);
  settings.MonitorBrowseButton.Click();
  EXPECT_EQ(settings.MonitorPathEdit.Text(), folder);
  const std::vector<std::string> styles = settings.MonitorStyleBox.Items();
  const auto fit = std::find(styles.begin(), styles.end(), "Fit");
  ASSERT_NE(fit, styles.end());
  settings.MonitorStyleBox.SetItemIndex(int(fit - styles.begin()));
  settings.MonitorStyleBoxChange(settings.MonitorStyleBox);
  settings.ApplyButtonClick(settings.ApplyButton);
  settings.Hide();
  const std::string section = "Monitor " + ui::MonitorsLeftToRight()[1].devicePath;
  const IniFile ini(dir.file("settings.ini"));
  EXPECT_EQ(ini.ReadInteger(section, "Source", -1), 2);
  EXPECT_EQ(ini.ReadString(section, "Path", ""), folder);
  EXPECT_EQ(ini.ReadInteger(section, "Style", -1), RowOf(WallpaperStyle::Fit).comboIndex);

  // The right monitor's part: a bar above the fitted picture, its colour
  // across the middle.
  const auto expectLeft = [&](uint32_t colour) {
    const Image32 desktop = Desktop(panel);
    EXPECT_TRUE(Similar(desktop.at(PartOf(leftMonitor.left) + 20, 20), colour)) << std::hex << desktop.at(20, 20);
  };
  const auto expectRight = [&](uint32_t colour) {
    const Image32 desktop = Desktop(panel);
    const int x = PartOf(rightMonitor.left) + Width(rightMonitor) / 2;
    EXPECT_FALSE(Similar(desktop.at(x, 20), colour)) << "no bar above the fitted picture";
    EXPECT_TRUE(Similar(desktop.at(x, Height(rightMonitor) / 2), colour)) << std::hex << desktop.at(x, 200);
  };
  panel.StyleBox.SetItemIndex(RowOf(WallpaperStyle::Fill).comboIndex);
  panel.MainListBox.SetItemIndex(0);
  panel.MainListBoxDblClick(panel);
  expectLeft(red);
  expectRight(green);
  EXPECT_EQ(panel.CurrentIndex, 0) << "the playlist gave one picture";

  // The next change: the next of each source.
  panel.MainListBox.SetItemIndex(1);
  panel.MainListBoxDblClick(panel);
  expectLeft(blue);
  expectRight(yellow);
  EXPECT_EQ(ini.ReadInteger(section, "Index", -1), 1);

  // "Next wallpaper on" the right monitor goes round its folder; the left
  // one keeps the playlist's picture and the rotation stays.
  panel.NextOnMonitorItems[1]->Click();
  expectLeft(blue);
  expectRight(green);
  EXPECT_EQ(panel.CurrentIndex, 1);
}

}  // namespace
}  // namespace wc
