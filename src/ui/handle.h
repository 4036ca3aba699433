#pragma once
// Move-only owners of Windows handles, GDI objects and COM pointers.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace ui {

template <class Traits>
class Unique {
 public:
  using Handle = typename Traits::Handle;
  Unique() noexcept = default;
  explicit Unique(Handle h) noexcept : h_(h) {}
  Unique(Unique&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
  Unique& operator=(Unique&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, Traits::Invalid()));
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { reset(); }

  Handle get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Traits::Invalid(); }
  Handle release() noexcept { return std::exchange(h_, Traits::Invalid()); }
  void reset(Handle h = Traits::Invalid()) noexcept {
    if (h_ != Traits::Invalid()) Traits::Close(h_);
    h_ = h;
  }

 private:
  Handle h_ = Traits::Invalid();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { FindClose(h); }
};
struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { RegCloseKey(h); }
};
template <class T>
struct GdiTraits {
  using Handle = T;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyIcon(h); }
};
struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
};
struct MemoryDCTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteDC(h); }
};
struct GlobalTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { GlobalFree(h); }
};

using KernelHandle = Unique<KernelHandleTraits>;
using FileHandle = Unique<FileHandleTraits>;
using FindHandle = Unique<FindHandleTraits>;
using RegKey = Unique<RegKeyTraits>;
using BitmapHandle = Unique<GdiTraits<HBITMAP>>;
using FontHandle = Unique<GdiTraits<HFONT>>;
using BrushHandle = Unique<GdiTraits<HBRUSH>>;
using PenHandle = Unique<GdiTraits<HPEN>>;
using PaletteHandle = Unique<GdiTraits<HPALETTE>>;
using RegionHandle = Unique<GdiTraits<HRGN>>;
using IconHandle = Unique<IconTraits>;
using MenuHandle = Unique<MenuTraits>;
using MemoryDC = Unique<MemoryDCTraits>;
using GlobalMemory = Unique<GlobalTraits>;

// GetDC / ReleaseDC pair.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDC(HWND hwnd, bool wholeWindow) : hwnd_(hwnd), dc_(wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// One WM_PAINT's drawing context, from BeginPaint to EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
  ~PaintScope() { EndPaint(window_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  // What the system asks to be painted again.
  const RECT& Asked() const { return ps_.rcPaint; }
  // The window's whole client area.
  RECT Client() const {
    RECT r{};
    GetClientRect(window_, &r);
    return r;
  }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects a GDI object into a DC for the lifetime of the guard.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectGuard() { SelectObject(dc_, old_); }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// An owning COM interface pointer.
template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      reset();
      p_ = std::exchange(o.p_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr& o) noexcept : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr& operator=(const ComPtr& o) noexcept {
    if (this != &o) {
      reset();
      p_ = o.p_;
      if (p_) p_->AddRef();
    }
    return *this;
  }
  ~ComPtr() { reset(); }
  void reset() noexcept {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  // For out-parameters: releases what is held first.
  T** put() noexcept {
    reset();
    return &p_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

 private:
  T* p_ = nullptr;
};

// CoInitialize for the lifetime of the object (apartment-threaded, as the shell wants).
class ComInit {
 public:
  ComInit() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComInit() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComInit(const ComInit&) = delete;
  ComInit& operator=(const ComInit&) = delete;

 private:
  HRESULT hr_;
};

}  // namespace ui
