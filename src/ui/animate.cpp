#include "ui/animate.h"

#include <commctrl.h>

#include <cmath>
#include <numbers>

#include "ui/handle.h"

namespace ui {

namespace {
constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameMs = 90;
}  // namespace

Animate::Animate(Component* owner, std::string name) : Control(owner, std::move(name)) { reportMouse_ = false; }

Animate::~Animate() = default;

Window::CreateParams Animate::Params() {
  CreateParams p = Control::Params();
  p.style |= WS_CLIPCHILDREN;
  return p;
}

void Animate::HandleCreated() {
  OpenClip();
  if (active_) {
    active_ = false;
    SetActive(true);
  }
}

void Animate::HandleDestroyed() {
  clip_ = nullptr;  // a child: gone with us
  Control::HandleDestroyed();
}

void Animate::DpiChanged() {
  if (clip_) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    MoveWindow(clip_, 0, 0, rc.right, rc.bottom, TRUE);
  }
}

void Animate::OpenClip() {
  RECT rc;
  GetClientRect(Handle(), &rc);
  HMODULE shell = GetModuleHandleA("shell32.dll");
  if (!shell) return;
  HWND clip = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | ACS_CENTER | ACS_TRANSPARENT, 0, 0,
                              rc.right, rc.bottom, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!clip) return;
  if (!SendMessageA(clip, ACM_OPENA, reinterpret_cast<WPARAM>(shell), reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(kFindFolderClip)))) {
    DestroyWindow(clip);
    return;
  }
  clip_ = clip;
  // Shown idle: its first frame.
  SendMessageA(clip_, ACM_PLAY, 1, MAKELONG(0, 0));
}

void Animate::SetActive(bool on) {
  if (on == active_) return;
  active_ = on;
  frame_ = 0;
  if (!Handle()) return;
  if (clip_) {
    // From the first frame to the last, again and again; stopped, the first.
    if (on) {
      SendMessageA(clip_, ACM_PLAY, WPARAM(-1), MAKELONG(0, 0xFFFF));
    } else {
      SendMessageA(clip_, ACM_STOP, 0, 0);
      SendMessageA(clip_, ACM_PLAY, 1, MAKELONG(0, 0));
    }
    return;
  }
  if (on) {
    SetTimer(Handle(), kFrameTimer, kFrameMs, nullptr);
  } else {
    KillTimer(Handle(), kFrameTimer);
  }
  Invalidate();
}

// A folder with a magnifying glass going round above it.
void Animate::Paint(HDC dc, const RECT& rc) const {
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
  const int s = Scale(1) > 0 ? Scale(1) : 1;
  // The folder: a tab and a body.
  BrushHandle folderBrush(CreateSolidBrush(RGB(240, 200, 80)));
  PenHandle folderPen(CreatePen(PS_SOLID, s, RGB(150, 110, 30)));
  {
    SelectGuard b(dc, folderBrush.get());
    SelectGuard p(dc, folderPen.get());
    Rectangle(dc, cx - 22 * s, cy - 13 * s, cx - 6 * s, cy - 7 * s);
    Rectangle(dc, cx - 22 * s, cy - 9 * s, cx + 22 * s, cy + 17 * s);
  }
  // The glass.
  const double angle = 2 * std::numbers::pi * frame_ / kFrames;
  const int gx = cx + int(std::lround(14 * s * std::cos(angle)));
  const int gy = cy + int(std::lround(8 * s * std::sin(angle))) - 2 * s;
  const int r = 8 * s;
  PenHandle handlePen(CreatePen(PS_SOLID, 3 * s, RGB(70, 70, 70)));
  PenHandle rimPen(CreatePen(PS_SOLID, 2 * s, RGB(40, 40, 40)));
  BrushHandle lens(CreateSolidBrush(RGB(200, 230, 250)));
  {
    SelectGuard p(dc, handlePen.get());
    MoveToEx(dc, gx + r * 7 / 10, gy + r * 7 / 10, nullptr);
    LineTo(dc, gx + r * 17 / 10, gy + r * 17 / 10);
  }
  SelectGuard p(dc, rimPen.get());
  SelectGuard b(dc, lens.get());
  Ellipse(dc, gx - r, gy - r, gx + r, gy + r);
}

LRESULT Animate::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_TIMER:
      if (w == kFrameTimer) {
        frame_ = (frame_ + 1) % kFrames;
        Invalidate();
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintScope paint(Handle());
      HDC dc = paint.dc();
      if (!clip_) {
        const RECT rc = paint.Client();
        // Drawn aside first, so the glass does not flicker as it moves.
        MemoryDC mem(CreateCompatibleDC(dc));
        BitmapHandle bmp(CreateCompatibleBitmap(dc, rc.right, rc.bottom));
        if (mem && bmp) {
          SelectGuard keep(mem.get(), bmp.get());
          Paint(mem.get(), rc);
          BitBlt(dc, 0, 0, rc.right, rc.bottom, mem.get(), 0, 0, SRCCOPY);
        } else {
          Paint(dc, rc);
        }
      } else {
        FillRect(dc, &paint.Asked(), GetSysColorBrush(COLOR_BTNFACE));
      }
      return 0;
    }
  }
  return Control::WndProc(msg, w, l);
}

}  // namespace ui
