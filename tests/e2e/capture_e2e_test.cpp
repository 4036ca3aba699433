// The area capture used as a user uses it: the real WallpaperChanger.exe,
// its tray menu "Screen Capture" -> "Selected Area", a drag over a known
// picture with the mouse, and the clipboard read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/bmp.h"
#include "common/jpeg.h"
#include "printed_pdf.h"
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"
#include "user_input.h"

namespace wc::test {
namespace {

using namespace std::chrono_literals;

// The known picture: never pure red or white, so no band pixel passes for it.
uint32_t PatternAt(int x, int y) { return uint32_t((x * 3 & 255) << 16 | (y * 5 & 255) << 8 | 90); }

LRESULT CALLBACK PatternProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r{};
    GetClientRect(w, &r);
    std::vector<uint32_t> px;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = 0; x < r.right; ++x) px.push_back(PatternAt(x, y));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = r.right;
    bi.bmiHeader.biHeight = -r.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    SetDIBitsToDevice(dc, 0, 0, DWORD(r.right), DWORD(r.bottom), 0, 0, 0, UINT(r.bottom), px.data(), &bi,
                      DIB_RGB_COLORS);
    EndPaint(w, &ps);
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

// A window of the test's own showing the known picture.
HWND ShowPattern(const RECT& at) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PatternProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "WcCapturePattern";
  RegisterClassA(&wc);
  // Never activated: the program's menus must keep the keyboard.
  HWND w = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, "", WS_POPUP, at.left, at.top,
                           at.right - at.left, at.bottom - at.top, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(w, SW_SHOWNOACTIVATE);
  UpdateWindow(w);
  return w;
}

void Pump(std::chrono::milliseconds time) {
  auto end = std::chrono::steady_clock::now() + time;
  MSG msg;
  do {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (time.count() > 0) std::this_thread::sleep_for(10ms);
  } while (std::chrono::steady_clock::now() < end);
}

// Waits for `done` while the test's own window goes on painting itself.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  return WaitFor(
      [&] {
        Pump(std::chrono::milliseconds(0));
        return done();
      },
      limit);
}

// One pointer event; given a place, the event carries it itself, so a
// pointer motion the desktop reports late cannot move it elsewhere.
void Input(DWORD flags, POINT at = {-1, -1}) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (at.x >= 0) {
    SetCursorPos(at.x, at.y);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = LONG((at.x * 65535LL + (w - 1) / 2) / std::max(1, w - 1));
    in.mi.dy = LONG((at.y * 65535LL + (h - 1) / 2) / std::max(1, h - 1));
    in.mi.dwFlags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  }
  SendInput(1, &in, sizeof(INPUT));
}

// The clipboard's bitmap as 0x00RRGGBB pixels, top row first.
bool ClipboardPixels(int& w, int& h, std::vector<uint32_t>& out) {
  if (!OpenClipboard(nullptr)) return false;
  bool got = false;
  if (HANDLE mem = GetClipboardData(CF_DIB)) {
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(mem));
    if (header && header->biBitCount >= 24 && header->biCompression == BI_RGB) {
      w = header->biWidth;
      h = std::abs(header->biHeight);
      const int bpp = header->biBitCount / 8;
      const size_t stride = (size_t(w) * bpp + 3) & ~size_t(3);
      const auto* bits = reinterpret_cast<const BYTE*>(header) + header->biSize;
      out.clear();
      for (int y = 0; y < h; ++y) {
        const BYTE* row = bits + stride * size_t(header->biHeight > 0 ? h - 1 - y : y);
        for (int x = 0; x < w; ++x) out.push_back(uint32_t(row[x * bpp + 2]) << 16 | row[x * bpp + 1] << 8 | row[x * bpp]);
      }
      got = true;
    }
    GlobalUnlock(mem);
  }
  CloseClipboard();
  return got;
}

TEST(CaptureProgram, TheTrayMenusSelectedAreaPutsTheDraggedRegionOnTheClipboard) {
  HWND taskbar = WakeDesktop();
  ASSERT_NE(taskbar, nullptr) << "no taskbar: the Wine prefix runs without its virtual desktop";
  TempDir dir;
  ProgramRunner program(dir.path());
  WriteTextFile(program.File("DefPlayList.qvl"), "");
  program.Start();

  RECT icon{};
  ASSERT_TRUE(FindTrayIcon(taskbar, icon)) << "no icon in the taskbar";

  const RECT patternAt{200, 150, 560, 400};
  HWND pattern = ShowPattern(patternAt);
  Pump(500ms);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }

  DWORD pid = 0;
  ASSERT_TRUE(WaitFor([&] { return program.MainWindow() != nullptr; }, 15s));
  GetWindowThreadProcessId(program.MainWindow(), &pid);
  // Screen Capture > Selected Area by the keyboard. A key the busy menu
  // loses leaves the submenu shut: the menu is closed and walked again.
  auto menusOpen = [&] {
    int open = 0;
    for (HWND m = nullptr; (m = FindWindowExA(nullptr, m, "#32768", nullptr)) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(m, &owner);
      open += owner == pid && IsWindowVisible(m);
    }
    return open;
  };
  bool chosen = false;
  for (int attempt = 0; attempt < 3 && !chosen; ++attempt) {
    ASSERT_TRUE(OpenTrayMenu(icon, pid)) << "no menu opened";
    for (WORD k : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}) {
      Key(k);
      Pump(150ms);
    }
    if (PumpUntil([&] { return menusOpen() >= 2; }, 3s)) {
      // "Selected Area", the second of the submenu's four items, is
      // clicked: a key the busy menu loses there would choose the first.
      HWND submenu = nullptr;
      LONG shortest = LONG_MAX;
      for (HWND m = nullptr; (m = FindWindowExA(nullptr, m, "#32768", nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(m, &owner);
        RECT r{};
        GetWindowRect(m, &r);
        if (owner == pid && IsWindowVisible(m) && r.bottom - r.top < shortest) {
          shortest = r.bottom - r.top;
          submenu = m;
        }
      }
      RECT r{};
      GetWindowRect(submenu, &r);
      LeftClick(POINT{(r.left + r.right) / 2, r.top + (r.bottom - r.top) * 3 / 8});
      chosen = true;
    } else {
      Key(VK_ESCAPE);
      Key(VK_ESCAPE);
      PumpUntil([&] { return menusOpen() == 0; }, 3s);
    }
  }
  ASSERT_TRUE(chosen) << "the capture submenu never opened";

  // The overlay covers the screen.
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  auto overlay = [&] {
    for (HWND w : program.VisibleWindows()) {
      RECT r{};
      GetWindowRect(w, &r);
      if (r.left == 0 && r.top == 0 && r.right == sw && r.bottom == sh) return w;
    }
    return HWND{};
  };
  ASSERT_TRUE(PumpUntil([&] { return overlay() != nullptr; }, 20s)) << "no area overlay";
  Pump(300ms);

  // Drag from (240, 180) to (440, 330) as a hand does, and look at the band.
  const POINT from{240, 180}, to{440, 330};
  Input(MOUSEEVENTF_LEFTDOWN, from);
  for (int i = 1; i <= 10; ++i) {
    Input(MOUSEEVENTF_MOVE, POINT{from.x + (to.x - from.x) * i / 10, from.y + (to.y - from.y) * i / 10});
    std::this_thread::sleep_for(30ms);
  }
  std::this_thread::sleep_for(300ms);
  std::vector<uint32_t> during = GrabScreen(RECT{0, 0, sw, sh});
  long red = 0;
  for (int x = from.x; x < to.x; ++x) red += during[size_t(from.y) * size_t(sw) + size_t(x)] == 0xFF0000;
  EXPECT_GT(red, (to.x - from.x) / 4) << "no band along the top edge during the drag";
  if (const char* out = std::getenv("WC_SCREENSHOT")) {
    WriteBmpFile(out, during.data(), sw, sh, 24);
  }
  Input(MOUSEEVENTF_LEFTUP, to);

  int w = 0, h = 0;
  std::vector<uint32_t> pasted;
  ASSERT_TRUE(WaitFor([&] { return ClipboardPixels(w, h, pasted); }, 20s)) << "nothing on the clipboard";
  ASSERT_EQ(w, to.x - from.x);
  ASSERT_EQ(h, to.y - from.y);
  long differing = 0;
  std::string first;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t got = pasted[size_t(y) * size_t(w) + size_t(x)];
      const uint32_t want = PatternAt(from.x - patternAt.left + x, from.y - patternAt.top + y);
      if (got != want && differing++ == 0) {
        char text[96];
        std::snprintf(text, sizeof text, "first at %d,%d: %06x, not %06x", x, y, unsigned(got), unsigned(want));
        first = text;
      }
    }
  EXPECT_EQ(differing, 0) << first;
  EXPECT_TRUE(WaitFor([&] { return overlay() == nullptr; }, 15s)) << "the overlay stayed";

  DestroyWindow(pattern);
  program.Kill();
}

// A visible window of the process whose title ends with `tail`.
HWND WindowTitled(const ProgramRunner& program, const std::string& tail) {
  for (HWND w : program.VisibleWindows()) {
    char title[256] = "";
    GetWindowTextA(w, title, sizeof title);
    const std::string t = title;
    if (t.size() >= tail.size() && t.compare(t.size() - tail.size(), tail.size(), tail) == 0) return w;
  }
  return nullptr;
}

// A visible dialog box (class #32770) of the process.
void Keys(std::initializer_list<WORD> keys) {
  for (WORD k : keys) {
    Key(k);
    Pump(150ms);
  }
}

// Clicks the viewer's tool button whose left edge is at `left` (its layout
// puts every button 41 wide at the toolbar's top 4).
void ClickToolButton(HWND viewer, int left) {
  SetForegroundWindow(viewer);
  Pump(300ms);
  POINT at{left + 20, 24};
  ClientToScreen(viewer, &at);
  Input(MOUSEEVENTF_LEFTDOWN, at);
  Input(MOUSEEVENTF_LEFTUP, at);
  Pump(200ms);
}

// Clicks a tool button until `opened` finds the window it opens: on a busy
// machine Wine now and then takes the first click after keyboard input for
// the window's activation only.
bool ClickToolButtonUntil(HWND viewer, int left, const std::function<bool()>& opened) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    ClickToolButton(viewer, left);
    if (PumpUntil(opened, 5s)) return true;
  }
  return false;
}
constexpr int kSaveAsButton = 125, kPrintButton = 174, kCropButton = 264;

// Saves through the viewer's real "Save As" dialog under `path`.
bool SaveThroughDialog(HWND viewer, DWORD pid, const std::string& path) {
  HWND dialog = nullptr;
  if (!ClickToolButtonUntil(viewer, kSaveAsButton, [&] { return (dialog = DialogOf(pid)) != nullptr; })) return false;
  Pump(500ms);
  SetForegroundWindow(dialog);
  Type(path);
  Keys({VK_RETURN});
  return PumpUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && !DialogOf(pid); }, 10s);
}

TEST(CaptureProgram, TheViewerZoomsCropsSavesAndPrintsADesktopCapture) {
  HWND taskbar = WakeDesktop();
  ASSERT_NE(taskbar, nullptr) << "no taskbar: the Wine prefix runs without its virtual desktop";
  TempDir dir;
  ProgramRunner program(dir.path());
  WriteTextFile(program.File("DefPlayList.qvl"), "");
  program.Start();
  RECT icon{};
  ASSERT_TRUE(FindTrayIcon(taskbar, icon)) << "no icon in the taskbar";
  // The known picture at the screen's top-left corner, where the crop takes its part.
  const RECT patternAt{0, 0, 600, 450};
  HWND pattern = ShowPattern(patternAt);
  Pump(500ms);

  // "Screen Capture" -> "Desktop". A program still busy starting up may
  // miss the first click on its icon: the icon is clicked again then.
  ASSERT_TRUE(WaitFor([&] { return program.MainWindow() != nullptr; }, 15s));
  DWORD pid = 0;
  GetWindowThreadProcessId(program.MainWindow(), &pid);
  ASSERT_TRUE(OpenTrayMenu(icon, pid)) << "no menu opened";
  Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN});

  HWND viewer = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (viewer = WindowTitled(program, " - Screen Capture")) != nullptr; }, 15s))
      << "the viewer did not show";
  HWND status = FindChild(viewer, "msctls_statusbar32");
  ASSERT_TRUE(status);
  const int sh = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_TRUE(PumpUntil([&] { return TextOf(status) == "Height: " + std::to_string(sh) + " pixels"; }, 20s))
      << TextOf(status);
  Pump(500ms);
  RECT frame{};
  GetWindowRect(viewer, &frame);
  if (const char* out = std::getenv("WC_VIEWER_SCREENSHOT")) {
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    std::vector<uint32_t> screen = GrabScreen(RECT{0, 0, sw, sh});
    WriteBmpFile(out, screen.data(), sw, sh, 24);
  }

  // Zoom in: the track bar's thumb taken with the mouse, then three steps right.
  HWND track = FindChild(viewer, "msctls_trackbar32");
  ASSERT_TRUE(track);
  RECT tr{};
  GetWindowRect(track, &tr);
  // The track bar takes the focus from a click on its thumb; a click Wine
  // takes for the window's activation only is made again.
  bool zoomed = false;
  for (int attempt = 0; attempt < 3 && !zoomed; ++attempt) {
    SetForegroundWindow(viewer);
    Pump(300ms);
    Input(MOUSEEVENTF_LEFTDOWN, POINT{tr.left + 12 + (tr.right - tr.left - 24) * 15 / 50, (tr.top + tr.bottom) / 2});
    Input(MOUSEEVENTF_LEFTUP);
    Pump(200ms);
    Keys({VK_RIGHT, VK_RIGHT, VK_RIGHT});
    zoomed = PumpUntil(
        [&] {
          const std::string t = TextOf(status);
          return t.rfind("Height: ", 0) == 0 && std::atoi(t.c_str() + 8) > sh;
        },
        4s);
  }
  ASSERT_TRUE(zoomed)
      << "no zoom: " << TextOf(status);

  // The crop button.
  HWND crop = nullptr;
  ASSERT_TRUE(
      ClickToolButtonUntil(viewer, kCropButton, [&] { return (crop = WindowTitled(program, "Crop image")) != nullptr; }))
      << "no crop window";
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(crop) && GetForegroundWindow() == crop; }, 20s))
      << "the crop window did not come forward";
  POINT origin{0, 0};
  ClientToScreen(crop, &origin);
  const POINT from{origin.x + 30, origin.y + 45 + 30}, to{from.x + 200, from.y + 150};
  // The drag is done when its band shows along the top edge; a drag the
  // desktop lost (the window still taking its activation) is made again.
  auto bandShows = [&] {
    const std::vector<uint32_t> row = GrabScreen(RECT{from.x, from.y, to.x, from.y + 1});
    return std::count(row.begin(), row.end(), 0xFF0000u) > (to.x - from.x) / 4;
  };
  // And the release has been taken in: the crop window lets the pointer go
  // then. (A click posted to "Save selection" would otherwise overtake the
  // release, which still waits among the input, and find nothing selected.)
  auto released = [&] {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(GetWindowThreadProcessId(crop, nullptr), &gui) && gui.hwndCapture == nullptr;
  };
  bool dragged = false;
  for (int attempt = 0; attempt < 3 && !dragged; ++attempt) {
    SetForegroundWindow(crop);
    Input(MOUSEEVENTF_LEFTDOWN, from);
    for (int i = 1; i <= 10; ++i) {
      Input(MOUSEEVENTF_MOVE, POINT{from.x + (to.x - from.x) * i / 10, from.y + (to.y - from.y) * i / 10});
      std::this_thread::sleep_for(30ms);
    }
    Input(MOUSEEVENTF_LEFTUP, to);
    dragged = PumpUntil([&] { return bandShows() && released(); }, 3s);
  }
  ASSERT_TRUE(dragged) << "no band after the drag on the crop window";
  HWND save = FindChild(crop, "Button", "Save selection");
  ASSERT_TRUE(save);
  PostMessageA(save, BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return TextOf(status) == "Height: 150 pixels"; }, 20s)) << TextOf(status);

  // Saved as JPEG and as a bitmap through the real dialog.
  const std::string jpg = dir.path() + "\\cropped.jpg", bmp = dir.path() + "\\cropped.bmp";
  ASSERT_TRUE(SaveThroughDialog(viewer, pid, jpg)) << "no JPEG saved";
  ASSERT_TRUE(SaveThroughDialog(viewer, pid, bmp)) << "no bitmap saved";
  Image32 saved = DecodeBmp(ReadFileBytes(bmp));
  ASSERT_EQ(saved.width, 200);
  ASSERT_EQ(saved.height, 150);
  long differing = 0;
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) differing += saved.at(x, y) != PatternAt(30 + x, 30 + y);
  EXPECT_EQ(differing, 0);
  Image32 photo = DecodeJpegFile(jpg);
  EXPECT_EQ(photo.width, 200);
  EXPECT_EQ(photo.height, 150);

  // File -> Print, on the PDF printer: the page shows the cropped picture
  // across its width from the top-left corner.
  if (!HavePrinter() || PdfFolder().empty()) {
    program.Kill();
    DestroyWindow(pattern);
    GTEST_SKIP() << "no PDF printer (tools/wine/printer.sh sets one up)";
  }
  const auto before = PdfFiles();
  std::string pdf;
  for (int attempt = 0; attempt < 3 && pdf.empty(); ++attempt) {
    ClickToolButton(viewer, kPrintButton);
    pdf = WaitForNewPdf(before, 25);
  }
  ASSERT_FALSE(pdf.empty()) << "nothing printed";
  PrintedPage page;
  ASSERT_TRUE(RenderPdfPage(pdf, 72, page));
  DeleteFileA(pdf.c_str());
  const double scale = double(page.width) / 200.0;
  long wrong = 0;
  for (int y = 10; y < 150; y += 20)
    for (int x = 10; x < 200; x += 20) {
      const uint32_t want = PatternAt(30 + x, 30 + y);
      const Rgb got = page.At(int((x + 0.5) * scale), int((y + 0.5) * scale));
      wrong += !ColourNear(got, int(want >> 16), int(want >> 8 & 255), int(want & 255), 24);
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_TRUE(ColourNear(page.At(page.width / 2, int(160 * scale)), 255, 255, 255));

  DestroyWindow(pattern);
  program.Kill();
}

}  // namespace
}  // namespace wc::test
