#include "ui/window.h"

#include <commctrl.h>

#include <set>

#include "ui/dpi.h"
#include "ui/error.h"
#include "ui/menu.h"
#include "ui/window_table.h"

namespace ui {

namespace {

// Which object serves which window, looked up on every message.
WindowTable<Window*>& Table() {
  static WindowTable<Window*> table;
  return table;
}

void RegisterOwnClass(const char* name, WNDPROC proc) {
  static std::set<std::string> registered;
  if (registered.count(name)) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = LoadIconA(wc.hInstance, kProgramIcon);
  wc.lpszClassName = name;
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    ThrowLastError(std::string("RegisterClassEx ") + name);
  }
  registered.insert(name);
}
}  // namespace

Window::~Window() { DestroyHandle(); }

Window* Window::FromHandle(HWND hwnd) {
  return hwnd ? Table().Find(hwnd).value_or(nullptr) : nullptr;
}

LRESULT Window::Perform(UINT msg, WPARAM w, LPARAM l) const {
  return hwnd_ ? SendMessageA(hwnd_, msg, w, l) : 0;
}

void Window::DestroyHandle() {
  if (hwnd_) {
    HWND h = hwnd_;
    DestroyWindow(h);
    // A window of another thread or one that refused to go: forget it anyway.
    if (hwnd_ == h) Detach();
  }
}

void Window::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  Table().Set(hwnd, this);
}

void Window::Detach(bool destroyed) {
  if (!hwnd_) return;
  // A control that outlives its object gets its own procedure back (or, when
  // another procedure sits on ours, ours passes everything on).
  if (!destroyed) hook_.Unhook();
  Table().Erase(hwnd_);
  hwnd_ = nullptr;
  HandleDestroyed();
}

void Window::CreateHandle(const CreateParams& p, const char* ownClass) {
  if (hwnd_) return;
  HINSTANCE inst = GetModuleHandleA(nullptr);
  if (!p.className) {
    RegisterOwnClass(ownClass, &Window::OwnClassProc);
    HWND h = CreateWindowExA(p.exStyle, ownClass, p.caption.c_str(), p.style, p.x, p.y, p.width, p.height, p.parent,
                             reinterpret_cast<HMENU>(p.id), inst, this);
    if (!h) ThrowLastError(std::string("Cannot create window ") + ownClass);
  } else {
    HWND h = CreateWindowExA(p.exStyle, p.className, p.caption.c_str(), p.style, p.x, p.y, p.width, p.height,
                             p.parent, reinterpret_cast<HMENU>(p.id), inst, nullptr);
    if (!h) ThrowLastError(std::string("Cannot create control ") + p.className);
    Attach(h);
    hook_.Hook(h);
  }
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
}

LRESULT CALLBACK Window::OwnClassProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(l)->lpCreateParams);
    if (self) self->Attach(hwnd);
  } else {
    self = FromHandle(hwnd);
  }
  if (!self) return DefWindowProcA(hwnd, msg, w, l);
  return self->Dispatch(msg, w, l);
}

bool Window::ObjectHook::HookMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  result = window_.Dispatch(msg, w, l);
  return true;
}

LRESULT Window::Dispatch(UINT msg, WPARAM w, LPARAM l) {
  LRESULT result = 0;
  Guarded([&] { result = WndProc(msg, w, l); });
  if (msg == WM_NCDESTROY) Detach(true);
  return result;
}

LRESULT Window::WndProc(UINT msg, WPARAM w, LPARAM l) {
  LRESULT result = 0;
  if ((msg == WM_MEASUREITEM || msg == WM_DRAWITEM) && MenuItem::HandleMenuPicture(msg, l)) return TRUE;
  if (ReflectToChild(msg, w, l, result)) return result;
  return DefaultProc(msg, w, l);
}

LRESULT Window::DefaultProc(UINT msg, WPARAM w, LPARAM l) {
  if (hook_.HookedWindow()) return hook_.CallOriginal(msg, w, l);
  return DefWindowProcA(hwnd_, msg, w, l);
}

bool Window::HandleReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Window::ReflectToChild(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(l);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(l)->hwndFrom;
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
      child = reinterpret_cast<HWND>(l);
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(l)->hwndItem;
      break;
    default:
      return false;
  }
  Window* target = FromHandle(child);
  if (!target) return false;
  return target->HandleReflected(msg, w, l, result);
}

HFONT DefaultFont() { return MessageFontForDpi(SystemDpi()); }

}  // namespace ui
