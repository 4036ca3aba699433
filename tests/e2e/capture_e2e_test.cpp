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
#include "program_files.h"
#include "program_runner.h"
#include "temp_dir.h"

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
  HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, at.left, at.top,
                           at.right - at.left, at.bottom - at.top, nullptr, nullptr, wc.hInstance, nullptr);
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

void Input(DWORD flags, POINT at = {-1, -1}) {
  if (at.x >= 0) SetCursorPos(at.x, at.y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof(INPUT));
}

void Key(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

HWND OpenMenuOf(DWORD pid) {
  HWND menu = nullptr;
  while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(menu, &owner);
    if (owner == pid && IsWindowVisible(menu)) return menu;
  }
  return nullptr;
}

// The smallest rectangle of the area whose pixels differ from its middle one.
RECT Foreground(const RECT& area) {
  std::vector<uint32_t> px = GrabScreen(area);
  RECT box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  if (px.empty()) return RECT{};
  const int w = area.right - area.left;
  const uint32_t background = px[px.size() / 2];
  for (size_t i = 0; i < px.size(); ++i) {
    if (px[i] == background) continue;
    LONG x = area.left + LONG(i % size_t(w)), y = area.top + LONG(i / size_t(w));
    box = RECT{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
  }
  return box.left > box.right ? RECT{} : box;
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

  // The icon: the right end of the taskbar, once it shows.
  RECT icon{};
  ASSERT_TRUE(WaitFor(
      [&] {
        if (!IsWindowVisible(taskbar)) return false;
        RedrawWindow(taskbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        std::this_thread::sleep_for(200ms);
        RECT bar{};
        GetWindowRect(taskbar, &bar);
        bar.left = std::max(bar.left, bar.right - 64);
        icon = Foreground(bar);
        const LONG w = icon.right - icon.left, h = icon.bottom - icon.top;
        return w >= 12 && w <= 24 && h >= 12 && h <= 24;
      },
      15s))
      << "no icon in the taskbar";
  const POINT onIcon{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};

  const RECT patternAt{200, 150, 560, 400};
  HWND pattern = ShowPattern(patternAt);
  Pump(500ms);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }

  Input(MOUSEEVENTF_RIGHTDOWN, onIcon);
  Input(MOUSEEVENTF_RIGHTUP);
  DWORD pid = 0;
  ASSERT_TRUE(WaitFor([&] { return program.MainWindow() != nullptr; }, 5s));
  GetWindowThreadProcessId(program.MainWindow(), &pid);
  ASSERT_TRUE(WaitFor([&] { return OpenMenuOf(pid) != nullptr; }, 5s)) << "no menu opened";
  for (WORD k : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}) {
    Key(k);
    Pump(150ms);
  }

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
  ASSERT_TRUE(PumpUntil([&] { return overlay() != nullptr; }, 10s)) << "no area overlay";
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
  ASSERT_TRUE(WaitFor([&] { return ClipboardPixels(w, h, pasted); }, 10s)) << "nothing on the clipboard";
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
  EXPECT_TRUE(WaitFor([&] { return overlay() == nullptr; }, 5s)) << "the overlay stayed";

  DestroyWindow(pattern);
  program.Kill();
}

}  // namespace
}  // namespace wc::test
