#include "ui/picture_preview_hook.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "ui/dpi.h"
#include "ui/graphics.h"

namespace ui {

namespace {

constexpr int kFrameSize = 160;  // the preview's square, in pixels at 96 DPI
constexpr int kMargin = 10;

}  // namespace

void PicturePreviewHook::Install(OPENFILENAMEA& ofn) {
  ofn.Flags |= OFN_ENABLEHOOK;
  // The system's own resizing would move its buttons over the preview.
  ofn.Flags &= ~DWORD(OFN_ENABLESIZING);
  ofn.lpfnHook = &PicturePreviewHook::Procedure;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
}

PicturePreviewHook::~PicturePreviewHook() {
  if (shown_) DeleteObject(shown_);
}

UINT_PTR CALLBACK PicturePreviewHook::Procedure(HWND hook, UINT msg, WPARAM, LPARAM l) {
  if (msg == WM_INITDIALOG) {
    auto* ofn = reinterpret_cast<OPENFILENAMEA*>(l);
    SetWindowLongPtrA(hook, DWLP_USER, ofn->lCustData);
    return TRUE;
  }
  auto* self = reinterpret_cast<PicturePreviewHook*>(GetWindowLongPtrA(hook, DWLP_USER));
  if (!self || msg != WM_NOTIFY) return 0;
  const auto* note = reinterpret_cast<const OFNOTIFYA*>(l);
  if (note->hdr.code == CDN_INITDONE) self->Create(GetParent(hook));
  if (note->hdr.code == CDN_SELCHANGE) self->Show(GetParent(hook));
  return 0;
}

void PicturePreviewHook::Create(HWND dialog) {
  const int dpi = WindowDpi(dialog);
  const int frame = MulDiv(kFrameSize, dpi, 96), margin = MulDiv(kMargin, dpi, 96);
  RECT outer{}, client{};
  GetWindowRect(dialog, &outer);
  GetClientRect(dialog, &client);
  SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left + frame + margin, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int left = client.right;
  const int top = margin * 3;
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  frame_ = CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, left, top,
                           frame, frame, dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
  caption_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER, left, top + frame + margin / 2, frame,
                             MulDiv(16, dpi, 96), dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (font) SendMessageA(caption_, WM_SETFONT, WPARAM(font), FALSE);
}

void PicturePreviewHook::Show(HWND dialog) {
  if (!frame_) return;
  char path[MAX_PATH * 4] = {};
  LRESULT length = SendMessageA(dialog, CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
  HBITMAP next = nullptr;
  std::string size;
  RECT box{};
  GetClientRect(frame_, &box);
  if (length > 0 && !(GetFileAttributesA(path) & FILE_ATTRIBUTE_DIRECTORY)) {
    try {
      Picture picture = Picture::LoadFromFile(path);
      if (picture.Width() > 0 && picture.Height() > 0) {
        const int bw = box.right, bh = box.bottom;
        // Fitted into the square, never enlarged.
        int w = picture.Width(), h = picture.Height();
        if (w > bw || h > bh) {
          if (int64_t(w) * bh > int64_t(h) * bw) {
            h = std::max(1, int(int64_t(h) * bw / w));
            w = bw;
          } else {
            w = std::max(1, int(int64_t(w) * bh / h));
            h = bh;
          }
        }
        Bitmap bitmap(w, h);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, bitmap.Handle());
        RECT all{0, 0, w, h};
        FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
        SetStretchBltMode(dc, HALFTONE);
        picture.Draw(dc, all);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        next = static_cast<HBITMAP>(CopyImage(bitmap.Handle(), IMAGE_BITMAP, 0, 0, 0));
        size = std::to_string(picture.Width()) + " x " + std::to_string(picture.Height());
      }
    } catch (const std::exception&) {
      size = "No preview";
    }
  }
  SendMessageA(frame_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(next));
  if (shown_) DeleteObject(shown_);
  shown_ = next;
  SetWindowTextA(caption_, size.c_str());
}

}  // namespace ui
