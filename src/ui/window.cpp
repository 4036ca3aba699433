#include "ui/window.h"

#include <commctrl.h>

#include <set>

#include "ui/error.h"
#include "ui/menu.h"
#include "ui/window_table.h"

namespace ui {

namespace {

// Which object serves which window, looked up on every message.
struct Entry {
  Window* object = nullptr;
  WNDPROC superProc = nullptr;  // a subclassed system control's own procedure
};
WindowTable<Entry>& Table() {
  static WindowTable<Entry> table;
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
  wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
  wc.lpszClassName = name;
  if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    ThrowLastError(std::string("RegisterClassEx ") + name);
  }
  registered.insert(name);
}
}  // namespace

Window::~Window() { DestroyHandle(); }

Window* Window::FromHandle(HWND hwnd) {
  return hwnd ? Table().Find(hwnd).value_or(Entry{}).object : nullptr;
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

void Window::Attach(HWND hwnd, WNDPROC superProc) {
  hwnd_ = hwnd;
  superProc_ = superProc;
  Table().Set(hwnd, Entry{this, superProc});
}

void Window::Detach(bool destroyed) {
  if (!hwnd_) return;
  if (destroyed || !superProc_ || !IsWindow(hwnd_)) {
    Table().Erase(hwnd_);
  } else if (GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProc)) {
    // A control that outlives its object gets its own procedure back.
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
    Table().Erase(hwnd_);
  } else {
    // Someone subclassed the control after us and still calls our
    // procedure: it goes on passing messages to the control's own.
    Table().Set(hwnd_, Entry{nullptr, superProc_});
  }
  superProc_ = nullptr;
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
    Attach(h, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC)));
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
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

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  const Entry e = Table().Find(hwnd).value_or(Entry{});
  if (e.object) return e.object->Dispatch(msg, w, l);
  // The object is gone but the procedure is still in a chain.
  if (msg == WM_NCDESTROY) Table().Erase(hwnd);
  return e.superProc ? CallWindowProcA(e.superProc, hwnd, msg, w, l) : DefWindowProcA(hwnd, msg, w, l);
}

LRESULT Window::Dispatch(UINT msg, WPARAM w, LPARAM l) {
  LRESULT result = 0;
  try {
    result = WndProc(msg, w, l);
  } catch (...) {
    ShowCurrentException();
    result = 0;
  }
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
  if (superProc_) return CallWindowProcA(superProc_, hwnd_, msg, w, l);
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

HFONT DefaultFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSA m{};
    m.cbSize = sizeof m;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) return CreateFontIndirectA(&m.lfMessageFont);
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }();
  return font;
}

}  // namespace ui
