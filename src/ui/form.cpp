#include "ui/form.h"

#include "ui/monitors.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/application.h"
#include "ui/control.h"
#include "ui/dpi.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/menu.h"

namespace ui {

Form::Form(Application& app, std::string name) : Component(&app, std::move(name)), app_(app) {
  PublishText("Caption", [this] { return caption_; }, [this](const std::string& v) { SetCaption(v); });
  app_.RegisterForm(*this);
}

Form::~Form() {
  app_.UnregisterForm(*this);
  if (tooltip_) DestroyWindow(tooltip_);
  DestroyHandle();
}

void Form::CreateWindowFrom(const FormSpec& look) {
  look_ = look;
  caption_ = look.caption;
  DWORD style = WS_CLIPCHILDREN;
  DWORD ex = WS_EX_CONTROLPARENT;
  switch (look.border) {
    case BorderStyle::None: style |= WS_POPUP; break;
    case BorderStyle::Single: style |= WS_OVERLAPPED | WS_CAPTION; break;
    case BorderStyle::Dialog: style |= WS_POPUP | WS_CAPTION; ex |= WS_EX_DLGMODALFRAME; break;
    case BorderStyle::Sizeable: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
  }
  if (look.border != BorderStyle::None) {
    if (look.icons & biSystemMenu) style |= WS_SYSMENU;
    if (look.icons & biMinimize) style |= WS_MINIMIZEBOX;
    if (look.icons & biMaximize) style |= WS_MAXIMIZEBOX;
  }
  if (look.topMost) ex |= WS_EX_TOPMOST;
  if (look.mirrors && app_.RightToLeft()) ex |= WS_EX_LAYOUTRTL;
  if (look.toolWindow) ex |= WS_EX_TOOLWINDOW;
  bool isMain = app_.MainForm() == this;
  if (isMain) ex |= WS_EX_APPWINDOW;

  // Made at the system's scale; a window that lands on a screen of another
  // scale takes that one at once (below).
  dpi_ = SystemDpi();
  RECT r{0, 0, ScaleToDpi(look.clientWidth, dpi_), ScaleToDpi(look.clientHeight, dpi_)};
  AdjustWindowRectForDpi(r, style, false, ex, dpi_);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = ScaleToDpi(look.left, dpi_), y = ScaleToDpi(look.top, dpi_);
  centred_ = look.position == FormPosition::ScreenCenter;
  if (centred_) {
    const RECT work = WorkAreaNear(NotificationArea());
    x = work.left + std::max(0L, (work.right - work.left - w) / 2);
    y = work.top + std::max(0L, (work.bottom - work.top - h) / 2);
  }
  CreateParams p;
  p.exStyle = ex;
  p.style = style;
  p.caption = caption_;
  p.x = x;
  p.y = y;
  p.width = w;
  p.height = h;
  // Secondary windows belong to the application's hidden window: they get no
  // taskbar button of their own.
  p.parent = isMain ? nullptr : app_.UtilityWindow();
  CreateHandle(p, "WcForm");
  if (int dpi = WindowDpi(Handle()); dpi != dpi_) {
    ApplyDpi(dpi, nullptr);
  } else {
    SetClientPixels(ScaleToDpi(look.clientWidth, dpi_), ScaleToDpi(look.clientHeight, dpi_), nullptr);
  }
}

void Form::SetClientPixels(int width, int height, const POINT* topLeft) {
  scaling_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{scaling_};
  const auto style = DWORD(GetWindowLongPtrA(Handle(), GWL_STYLE));
  const auto ex = DWORD(GetWindowLongPtrA(Handle(), GWL_EXSTYLE));
  RECT r{0, 0, width, height};
  AdjustWindowRectForDpi(r, style, GetMenu(Handle()) != nullptr, ex, dpi_);
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(Handle(), nullptr, topLeft ? topLeft->x : 0, topLeft ? topLeft->y : 0, r.right - r.left, r.bottom - r.top,
               flags | (topLeft ? 0 : SWP_NOMOVE));
  // A frame drawn at another scale than the one asked for (a system that
  // scales frames by the system's scale only): size it by what it is.
  RECT client{}, frame{};
  GetClientRect(Handle(), &client);
  if (client.right != width || client.bottom != height) {
    GetWindowRect(Handle(), &frame);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left + width - client.right,
                 frame.bottom - frame.top + height - client.bottom, flags | SWP_NOMOVE);
  }
}

void Form::ApplyDpi(int dpi, const POINT* topLeft) {
  const int layoutWidth = ClientWidth(), layoutHeight = ClientHeight();
  dpi_ = dpi;
  SetClientPixels(ScaleToDpi(layoutWidth, dpi), ScaleToDpi(layoutHeight, dpi), topLeft);
  if (tooltip_) SendMessageA(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFontForDpi(dpi)), FALSE);
  for (Control* c : controls_) c->ApplyDpi();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::BuildLayout(Layout layout) {
  for (const LayoutItem& item : layout) {
    auto* c = dynamic_cast<Control*>(FindOwnedByName(item.name));
    if (!c) throw Error(Name() + ": the layout names a control it does not have: " + item.name);
    Control* parent = nullptr;
    if (item.parent && *item.parent) {
      parent = dynamic_cast<Control*>(FindOwnedByName(item.parent));
      if (!parent || !parent->Handle()) throw Error(Name() + ": " + item.name + " has no container " + item.parent);
    }
    if (item.flags & lfHidden) c->SetVisible(false);
    if (item.flags & lfDisabled) c->SetEnabled(false);
    c->CreateIn(*this, parent, RECT{item.left, item.top, item.left + item.width, item.top + item.height},
                item.caption ? item.caption : "");
  }
}

void Form::RememberControl(Control& c) { controls_.push_back(&c); }

void Form::ForgetControl(Control& c) { controls_.erase(std::remove(controls_.begin(), controls_.end(), &c), controls_.end()); }

void Form::SyncTool(Control& c) {
  if (!Handle() || !c.Handle()) return;
  if (!tooltip_) {
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                               Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  TTTOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(c.Handle());
  SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  if (c.ShowHint() && !c.Hint().empty()) {
    std::string text = c.Hint();
    ti.lpszText = text.data();
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void Form::SetCaption(const std::string& text) {
  caption_ = text;
  if (Handle()) SetWindowTextA(Handle(), text.c_str());
}

int Form::ClientWidth() const {
  RECT r{};
  GetClientRect(Handle(), &r);
  return ScaleFromDpi(r.right, dpi_);
}

int Form::ClientHeight() const {
  RECT r{};
  GetClientRect(Handle(), &r);
  return ScaleFromDpi(r.bottom, dpi_);
}

bool Form::Mirrored() const { return Handle() && (GetWindowLongPtrA(Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL); }

void Form::ApplyDirection() {
  if (!Handle() || !look_.mirrors) return;
  const bool rtl = app_.RightToLeft();
  if (rtl == Mirrored()) return;
  const auto ex = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
  SetWindowLongPtrA(Handle(), GWL_EXSTYLE, rtl ? ex | WS_EX_LAYOUTRTL : ex & ~LONG_PTR(WS_EX_LAYOUTRTL));
  for (Control* c : controls_) c->ApplyDirection(rtl);
  for (Control* c : controls_) c->ApplyDpi();
  if (menu_) DrawMenuBar(Handle());
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Form::SetMenu(MainMenu* menu) {
  menu_ = menu;
  if (menu) menu->AttachTo(Handle());
  if (Handle()) ::SetMenu(Handle(), menu ? menu->Handle() : nullptr);
}

void Form::ShowNow() {
  // Showing a window of a program that sits minimised (in the tray) brings
  // the program back first, with the windows it had open.
  if (app_.Minimized() && !look_.keepsProgramHidden) app_.Restore();
  ShowWindow(Handle(), SW_SHOW);
  BringToFront();
}

void Form::SetVisible(bool on) {
  if (on == visible_) {
    if (on) BringToFront();
    return;
  }
  visible_ = on;
  if (on) {
    shownOnce_ = true;
    // What the show handler does must not keep the window from appearing.
    Guarded([&] { Raise(OnShow, *this); });
    if (visible_) ShowNow();
  } else {
    ShowWindow(Handle(), SW_HIDE);
    Raise(OnHide, *this);
  }
}

void Form::ComeToUsersMonitor() {
  if (!centred_ || !Handle() || Visible()) return;
  // The monitor with the notification area is where the user works with the
  // program; a monitor removed since the window was last placed leaves it
  // off every screen otherwise.
  RECT now{};
  GetWindowRect(Handle(), &now);
  const RECT to = KeepWithin(now, WorkAreaNear(NotificationArea()));
  if (to.left != now.left || to.top != now.top) {
    SetWindowPos(Handle(), nullptr, to.left, to.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Form::Show() {
  ComeToUsersMonitor();
  SetVisible(true);
}

NotifyEvent* Form::EventSlot(Event e) {
  switch (e) {
    case Event::Show: return &OnShow;
    case Event::Hide: return &OnHide;
    case Event::Activate: return &OnActivate;
    case Event::Resize: return &OnResize;
    default: return nullptr;
  }
}

void Form::Hide() { SetVisible(false); }

void Form::BringToFront() {
  if (!Handle() || !IsWindowVisible(Handle())) return;
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  SetForegroundWindow(Handle());
}

void Form::SetModalResult(int r) { modalResult_ = r; }

int Form::ShowModal() {
  ComeToUsersMonitor();
  if (modal_ || visible_) throw Error("Cannot make a visible window modal");
  HWND previousOwner = GetWindow(Handle(), GW_OWNER);
  HWND active = GetActiveWindow();
  Form* activeForm = dynamic_cast<Form*>(Window::FromHandle(active));
  if (activeForm && activeForm != this) SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(active));
  std::vector<HWND> disabled;
  for (Form* f : app_.Forms()) {
    if (f != this && f->Handle() && IsWindowEnabled(f->Handle()) && IsWindowVisible(f->Handle())) {
      EnableWindow(f->Handle(), FALSE);
      disabled.push_back(f->Handle());
    }
  }
  modal_ = true;
  modalResult_ = mrNone;
  struct Restore {
    Form& f;
    std::vector<HWND>& disabled;
    HWND owner;
    HWND active;
    ~Restore() {
      for (HWND h : disabled) EnableWindow(h, TRUE);
      f.modal_ = false;
      if (f.visible_) f.Hide();
      SetWindowLongPtrA(f.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
      if (active && IsWindowVisible(active)) SetActiveWindow(active);
    }
  } restore{*this, disabled, previousOwner, active};
  Show();
  app_.RunUntil([this] {
    if (modalResult_ != mrNone) {
      // A modal result ends the dialog through the close protocol, which may refuse.
      bool canClose = true;
      if (OnCloseQuery) OnCloseQuery(*this, canClose);
      if (!canClose) {
        modalResult_ = mrNone;
        return false;
      }
      CloseAction action = CloseAction::Hide;
      if (OnClose) OnClose(*this, action);
      if (action == CloseAction::None) {
        modalResult_ = mrNone;
        return false;
      }
      return true;
    }
    return !visible_;
  });
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  return modalResult_;
}

void Form::Close() {
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return;
  }
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(*this, canClose);
  if (!canClose) return;
  CloseAction action = CloseAction::Hide;
  if (OnClose) OnClose(*this, action);
  if (action == CloseAction::None) return;
  if (app_.MainForm() == this) {
    app_.Terminate();
  } else if (action == CloseAction::Minimize) {
    ShowWindow(Handle(), SW_MINIMIZE);
  } else {
    Hide();
  }
}

LRESULT Form::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SYSCOMMAND:
      if ((w & 0xFFF0) == SC_MINIMIZE && app_.MainForm() == this) {
        app_.Minimize();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(w) != WA_INACTIVE) Raise(OnActivate, *this);
      break;
    case WM_SIZE:
      Raise(OnResize, *this);
      break;
    case WM_DPICHANGED: {
      // Moved to a screen of another scale (or the user changed it).
      const auto* suggested = reinterpret_cast<const RECT*>(l);
      POINT topLeft{suggested->left, suggested->top};
      ApplyDpi(HIWORD(w), &topLeft);
      return 0;
    }
    case WM_WINDOWPOSCHANGING: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(l);
      if (OnCanResize && !scaling_ && !(wp->flags & SWP_NOSIZE)) {
        RECT r;
        GetWindowRect(Handle(), &r);
        if (wp->cx != r.right - r.left || wp->cy != r.bottom - r.top) {
          bool resize = true;
          int cx = wp->cx, cy = wp->cy;
          OnCanResize(*this, cx, cy, resize);
          if (!resize) wp->flags |= SWP_NOSIZE;
        }
      }
      break;
    }
    case WM_ERASEBKGND:
      if (OnPaint) return 1;
      break;
    case WM_PAINT:
      if (OnPaint) {
        PaintScope paint(Handle());
        OnPaint(paint.dc());
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (OnMouseDown) {
        MouseButton b = msg == WM_LBUTTONDOWN ? MouseButton::Left : msg == WM_RBUTTONDOWN ? MouseButton::Right : MouseButton::Middle;
        OnMouseDown(*this, b, ShiftFromMouseKeys(unsigned(w)), GET_X_LPARAM(l), GET_Y_LPARAM(l));
      }
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (OnMouseUp) {
        MouseButton b = msg == WM_LBUTTONUP ? MouseButton::Left : msg == WM_RBUTTONUP ? MouseButton::Right : MouseButton::Middle;
        OnMouseUp(*this, b, ShiftFromMouseKeys(unsigned(w)), GET_X_LPARAM(l), GET_Y_LPARAM(l));
      }
      break;
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(*this, ShiftFromMouseKeys(unsigned(w)), GET_X_LPARAM(l), GET_Y_LPARAM(l));
      break;
    case WM_COMMAND:
      if (l == 0 && HIWORD(w) <= 1) {
        if (MenuItem* item = MenuItem::FromCommand(LOWORD(w))) item->Click();
        return 0;
      }
      break;
    default:
      break;
  }
  return Window::WndProc(msg, w, l);
}

}  // namespace ui
