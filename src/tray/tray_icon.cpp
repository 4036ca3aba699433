#include "tray/tray_icon.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

#include "ui/application.h"
#include "ui/error.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/menu.h"

namespace wc {

namespace {

// Balloon notifications (NIN_BALLOONSHOW ... NIN_BALLOONUSERCLICK).
constexpr UINT kBalloonShow = 0x402;
constexpr UINT kBalloonHide = 0x403;
constexpr UINT kBalloonTimeout = 0x404;
constexpr UINT kBalloonClick = 0x405;
// Keyboard and mouse selection of a version-3 icon (NIN_SELECT, NIN_KEYSELECT).
constexpr UINT kSelect = 0x400;
constexpr UINT kKeySelect = 0x401;

uint32_t Handle32(const void* h) { return uint32_t(HandleToLong(h)); }

ui::ShiftState KeyShift() {
  ui::ShiftState s = 0;
  if (GetAsyncKeyState(VK_SHIFT) & 0x8000) s |= ui::ssShift;
  if (GetAsyncKeyState(VK_MENU) & 0x8000) s |= ui::ssAlt;
  if (GetAsyncKeyState(VK_CONTROL) & 0x8000) s |= ui::ssCtrl;
  return s;
}

UINT RegisterTaskbarCreated() {
  // Shells older than common controls 4.71 never broadcast it.
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  if (!comctl) return 0;
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(comctl, "DllGetVersion"));
  if (!getVersion) return 0;
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  if (FAILED(getVersion(&info))) return 0;
  DWORD packed = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
  if (packed < 0x40047) return 0;
  return RegisterWindowMessageA("TaskbarCreated");
}

}  // namespace

// ---- the shared notification window ------------------------------------------

TTrayIconHandler::TTrayIconHandler() {
  CreateParams p;
  p.style = WS_POPUP;
  p.exStyle = WS_EX_TOOLWINDOW;
  p.x = p.y = p.width = p.height = 0;
  try {
    CreateHandle(p, "WcTrayIconHandler");
  } catch (const ui::Error&) {
    // No desktop to make top-level windows on: the shell's messages reach a
    // message-only window as well.
    p.parent = HWND_MESSAGE;
    CreateHandle(p, "WcTrayIconHandler");
  }
}

TTrayIconHandler::~TTrayIconHandler() { DestroyHandle(); }

LRESULT TTrayIconHandler::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case TrayCallbackMessage: {
      // The id is matched against live tray icons, never turned back into a
      // pointer: it may be stale, or on 64-bit Windows only half an address.
      auto it = std::find_if(Clients().begin(), Clients().end(), [w](TTrayIcon* i) { return WPARAM(i->Identity()) == w; });
      if (it == Clients().end()) return 0;
      Dispatch([&] { (*it)->HandleNotification(UINT(l)); });
      return 0;
    }
    // The window lives as long as a tray icon does, whatever asks it to go.
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
      return 1;
    default:
      return DefaultProc(msg, w, l);
  }
}

// ---- the tray icon ------------------------------------------------------------

UINT TTrayIcon::TaskbarCreatedMessage() {
  static const UINT id = RegisterTaskbarCreated();
  return id;
}

TTrayIcon::TTrayIcon(ui::Component* owner, std::string name) : Component(owner, std::move(name)) {
  PublishBoolean("DesignPreview", [this] { return DesignPreview; }, [this](bool v) { DesignPreview = v; });
  PublishBoolean("CycleIcons", [this] { return cycleIcons_; }, [this](bool v) { SetCycleIcons(v); });
  PublishInteger("CycleInterval", [this] { return int64_t(cycleInterval_); },
                 [this](int64_t v) { SetCycleInterval(uint32_t(std::clamp<int64_t>(v, 0, UINT32_MAX))); });
  PublishBoolean("Enabled", [this] { return enabled_; }, [this](bool v) { SetEnabled(v); });
  PublishText("Hint", [this] { return hint_; }, [this](const std::string& v) { SetHint(v); });
  PublishBoolean("ShowHint", [this] { return showHint_; }, [this](bool v) { SetShowHint(v); });
  PublishBoolean("IconVisible", [this] { return iconVisible_; }, [this](bool v) { SetIconVisible(v); });
  PublishInteger("IconIndex", [this] { return int64_t(iconIndex_); },
                 [this](int64_t v) { SetIconIndex(int(std::clamp<int64_t>(v, INT_MIN, INT_MAX))); });
  PublishBoolean("LeftPopup", [this] { return LeftPopup; }, [this](bool v) { LeftPopup = v; });
  PublishBoolean("WantEnterExitEvents", [this] { return wantEnterExit_; },
                 [this](bool v) { SetWantEnterExitEvents(v); });
  PublishBoolean("MinimizeToTray", [this] { return MinimizeToTray; }, [this](bool v) { MinimizeToTray = v; });

  cycleTicker_ = std::make_unique<TSimpleTimer>(1000, [this](TSimpleTimer&) { CycleTick(); });
  clickDelayTicker_ = std::make_unique<TSimpleTimer>(1000, [this](TSimpleTimer&) { DelayedClick(); });
  exitPollTicker_ = std::make_unique<TSimpleTimer>(20, [this](TSimpleTimer&) { ExitPoll(); });
  TaskbarCreatedMessage();

  TTrayIconHandler& handler = TTrayIconHandler::Register(*this);
  data_.cbSize = sizeof data_;
  data_.hWnd = Handle32(handler.Handle());
  data_.uID = UINT(reinterpret_cast<uintptr_t>(this));
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = TrayCallbackMessage;

  app_ = ui::Application::Current();
  if (app_) {
    try {
      appHookId_ = app_->HookMainWindow([this](UINT m, WPARAM w, LPARAM l, LRESULT&) { return ApplicationHook(m, w, l); });
    } catch (...) {
      TTrayIconHandler::Unregister(*this);
      throw;
    }
  }
}

TTrayIcon::~TTrayIcon() {
  *alive_ = false;
  try {
    if (loaded_ && iconVisible_) {
      RemoveFromTray();
    } else {
      iconVisible_ = false;
    }
  } catch (...) {
    // A failing shell call cannot be reported from here; the icon goes anyway.
  }
  DesignPreview = false;
  cycleTicker_.reset();
  clickDelayTicker_.reset();
  exitPollTicker_.reset();
  icon_.reset();
  if (app_ && appHookId_ && ui::Application::Current() == app_) app_->UnhookMainWindow(appHookId_);
  UnhookOwner();
  TTrayIconHandler::Unregister(*this);
}

ui::NotifyEvent* TTrayIcon::EventSlot(ui::Event e) {
  switch (e) {
    case ui::Event::Click: return &OnClick;
    case ui::Event::DblClick: return &OnDblClick;
    case ui::Event::MouseEnter: return &OnMouseEnter;
    case ui::Event::MouseExit: return &OnMouseExit;
    case ui::Event::BalloonHintShow: return &OnBalloonHintShow;
    case ui::Event::BalloonHintHide: return &OnBalloonHintHide;
    case ui::Event::BalloonHintTimeout: return &OnBalloonHintTimeout;
    case ui::Event::BalloonHintClick: return &OnBalloonHintClick;
    case ui::Event::MinimizeToTray: return &OnMinimizeToTray;
    default: return nullptr;
  }
}

void TTrayIcon::Loaded() {
  if (loaded_) return;
  HookOwner();
  if (OwnerIsWindowed()) {
    bool showMainForm = true;
    if (OnStartup) OnStartup(*this, showMainForm);
    if (!showMainForm) {
      if (app_) app_->ShowMainForm = false;
      HideMainWindow();
    }
  }
  loaded_ = true;
  RefreshTrayIcon();
  SetIconVisible(iconVisible_);
  ApplyCycleIcons();
  ApplyWantEnterExitEvents();
  Notify(NIM_SETVERSION);
}

// ---- the shell --------------------------------------------------------------

bool TTrayIcon::CallShell(DWORD message, const TNotifyIconData& r) {
#ifdef _WIN64
  // The 64-bit shell reads pointer-sized handles at other offsets: the record
  // is widened into the same layout of this build (balloon fields, no GUID).
  NOTIFYICONDATAA n{};
  n.cbSize = NOTIFYICONDATAA_V2_SIZE;
  n.hWnd = r.Window();
  n.uID = r.uID;
  n.uFlags = r.uFlags;
  n.uCallbackMessage = r.uCallbackMessage;
  n.hIcon = r.Icon();
  std::memcpy(n.szTip, r.szTip, sizeof n.szTip);
  n.dwState = r.dwState;
  n.dwStateMask = r.dwStateMask;
  std::memcpy(n.szInfo, r.szInfo, sizeof n.szInfo);
  n.uVersion = r.uVersion;
  std::memcpy(n.szInfoTitle, r.szInfoTitle, sizeof n.szInfoTitle);
  n.dwInfoFlags = r.dwInfoFlags;
  return Shell_NotifyIconA(message, &n) != FALSE;
#else
  static_assert(NOTIFYICONDATAA_V2_SIZE == sizeof(TNotifyIconData));
  TNotifyIconData copy = r;
  return Shell_NotifyIconA(message, reinterpret_cast<NOTIFYICONDATAA*>(&copy)) != FALSE;
#endif
}

void TTrayIcon::PrepareIconData() {
  data_.hIcon = icon_ ? Handle32(icon_.get()) : 0;
  std::memset(data_.szTip, 0, sizeof data_.szTip);
  if (!hint_.empty() && showHint_) {
    std::memcpy(data_.szTip, hint_.data(), std::min(hint_.size(), sizeof data_.szTip - 1));
  }
}

bool TTrayIcon::Notify(DWORD message) {
  PrepareIconData();
  return ShellNotify ? ShellNotify(message, data_) : CallShell(message, data_);
}

bool TTrayIcon::AddToTray() {
  iconVisible_ = true;
  return Notify(NIM_ADD);
}

bool TTrayIcon::RemoveFromTray() {
  iconVisible_ = false;
  return Notify(NIM_DELETE);
}

bool TTrayIcon::RefreshTrayIcon() { return Notify(NIM_MODIFY); }

// ---- properties -------------------------------------------------------------

void TTrayIcon::SetIconVisible(bool on) {
  if (!loaded_) {
    iconVisible_ = on;
    return;
  }
  if (on) {
    AddToTray();
  } else {
    RemoveFromTray();
  }
}

void TTrayIcon::SetHint(const std::string& text) {
  hint_ = text;
  RefreshTrayIcon();
}

void TTrayIcon::SetShowHint(bool on) {
  showHint_ = on;
  RefreshTrayIcon();
}

void TTrayIcon::SetIcon(HICON icon) {
  icon_.reset(icon ? CopyIcon(icon) : nullptr);
  RefreshTrayIcon();
}

void TTrayIcon::SetIconList(ui::ImageList* list) {
  iconList_ = list;
  SetIconIndex(0);
}

void TTrayIcon::LoadImageIntoIcon(int index) { icon_ = iconList_ ? iconList_->GetIcon(index) : ui::IconHandle(); }

void TTrayIcon::SetIconIndex(int index) {
  if (iconList_) {
    // Limited from above only: an empty list gives -1 and shows no image.
    iconIndex_ = std::min(index, iconList_->Count() - 1);
    LoadImageIntoIcon(iconIndex_);
  } else {
    iconIndex_ = 0;
  }
  RefreshTrayIcon();
}

void TTrayIcon::SetCycleIcons(bool on) {
  cycleIcons_ = on;
  if (loaded_) ApplyCycleIcons();
}

void TTrayIcon::SetCycleInterval(uint32_t ms) {
  cycleInterval_ = ms;
  if (loaded_) ApplyCycleIcons();
}

void TTrayIcon::ApplyCycleIcons() {
  if (cycleIcons_) {
    SetIconIndex(0);
    cycleTicker_->SetIntervalMs(cycleInterval_);
    cycleTicker_->Start();
  } else {
    cycleTicker_->Stop();
  }
}

void TTrayIcon::SetWantEnterExitEvents(bool on) {
  wantEnterExit_ = on;
  if (loaded_) ApplyWantEnterExitEvents();
}

void TTrayIcon::ApplyWantEnterExitEvents() {
  if (wantEnterExit_) {
    exitPollTicker_->Start();
  } else {
    exitPollTicker_->Stop();
  }
}

void TTrayIcon::SetShellVersionMode(TShellVersionMode mode) {
  shellVersion_ = mode;
  data_.uVersion = mode == svmVersion3 ? 3 : 0;
  if (loaded_) Notify(NIM_SETVERSION);
}

// ---- timers -----------------------------------------------------------------

void TTrayIcon::CycleTick() {
  if (!iconList_) return;
  LoadImageIntoIcon(iconIndex_);
  RefreshTrayIcon();
  int last = iconList_->Count() - 1;
  DoCycle(iconIndex_ < last ? iconIndex_ + 1 : 0);
  // The handler may have changed the list or the index: step from what is now.
  if (!iconList_) return;
  last = iconList_->Count() - 1;
  SetIconIndex(iconIndex_ < last ? iconIndex_ + 1 : 0);
}

void TTrayIcon::DelayedClick() {
  clickDelayTicker_->Stop();
  if (!doubleClickSeen_ && clickPending_) {
    clickPending_ = false;
    DoClick();
  }
  doubleClickSeen_ = false;
}

void TTrayIcon::ExitPoll() {
  if (pointerOutside_) return;
  POINT p{};
  if (!GetCursorPos(&p)) return;
  // Any movement after the last notification means the pointer left.
  if (p.x != lastTrayPoint_.x || p.y != lastTrayPoint_.y) {
    pointerOutside_ = true;
    DoMouseExit();
  }
}

// ---- notifications -----------------------------------------------------------

void TTrayIcon::HandleNotification(UINT m) {
  switch (m) {
    case kBalloonShow: Raise(OnBalloonHintShow, *this); return;
    case kBalloonHide: Raise(OnBalloonHintHide, *this); return;
    case kBalloonTimeout: Raise(OnBalloonHintTimeout, *this); return;
    case kBalloonClick: Raise(OnBalloonHintClick, *this); return;
    default: break;
  }
  if (!enabled_) return;
  POINT pt{};
  GetCursorPos(&pt);
  const ui::ShiftState keys = KeyShift();
  switch (m) {
    case WM_MOUSEMOVE:
      if (wantEnterExit_ && pointerOutside_) {
        DoMouseEnter();
        pointerOutside_ = false;
      }
      DoMouseMove(keys, pt.x, pt.y);
      lastTrayPoint_ = pt;
      break;
    case WM_LBUTTONDOWN:
      // With a double-click handler a click waits until no second one came.
      if (OnDblClick) {
        clickDelayTicker_->SetIntervalMs(GetDoubleClickTime());
        clickDelayTicker_->Start();
      }
      DoMouseDown(ui::MouseButton::Left, keys | ui::ssLeft, pt.x, pt.y);
      leftPressed_ = true;
      if (LeftPopup) PopupAtPointer();
      break;
    case WM_LBUTTONUP:
      if (leftPressed_) clickPending_ = true;
      if (leftPressed_ && !clickDelayTicker_->Running()) {
        leftPressed_ = false;
        clickPending_ = false;
        DoClick();
      }
      leftPressed_ = false;
      DoMouseUp(ui::MouseButton::Left, keys | ui::ssLeft, pt.x, pt.y);
      break;
    case WM_LBUTTONDBLCLK:
      clickPending_ = false;
      doubleClickSeen_ = true;
      DoDblClick();
      if (PopupMenu && PopupMenu->AutoPopup && !LeftPopup) {
        for (ui::MenuItem* item : PopupMenu->Items()) {
          if (item->Default()) {
            item->Click();
            break;
          }
        }
      }
      break;
    case WM_RBUTTONDOWN:
      DoMouseDown(ui::MouseButton::Right, keys | ui::ssRight, pt.x, pt.y);
      PopupAtPointer();
      break;
    case WM_RBUTTONUP:
      if (shellVersion_ == svmClassic) DoMouseUp(ui::MouseButton::Right, keys | ui::ssRight, pt.x, pt.y);
      break;
    case WM_MBUTTONDOWN:
      DoMouseDown(ui::MouseButton::Middle, keys | ui::ssMiddle, pt.x, pt.y);
      break;
    case WM_MBUTTONUP:
      DoMouseUp(ui::MouseButton::Middle, keys | ui::ssMiddle, pt.x, pt.y);
      break;
    case WM_CONTEXTMENU:
    case kSelect:
    case kKeySelect:
      if (shellVersion_ == svmVersion3) DoMouseUp(ui::MouseButton::Right, keys | ui::ssRight, pt.x, pt.y);
      break;
    default:
      break;
  }
}

void TTrayIcon::PopupAtPointer() {
  if (!PopupMenu || !PopupMenu->AutoPopup) return;
  POINT pt{};
  if (!GetCursorPos(&pt)) return;
  // The menu closes when the user clicks elsewhere only if our window is in
  // front while it is open.
  HWND appWindow = app_ ? app_->UtilityWindow() : nullptr;
  if (appWindow) SetForegroundWindow(appWindow);
  std::shared_ptr<bool> alive = alive_;
  if (app_) app_->ProcessMessages();
  if (!*alive || !PopupMenu) return;
  PopupMenu->PopupComponent = this;
  PopupMenu->Popup(pt.x, pt.y, appWindow);
  if (!*alive) return;
  if (HWND owner = OwnerWindow()) PostMessageA(owner, WM_NULL, 0, 0);
}

// ---- events -----------------------------------------------------------------

void TTrayIcon::DoClick() { Raise(OnClick, *this); }
void TTrayIcon::DoDblClick() { Raise(OnDblClick, *this); }
void TTrayIcon::DoCycle(int nextIndex) {
  if (OnCycle) OnCycle(*this, nextIndex);
}
void TTrayIcon::DoMouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}
void TTrayIcon::DoMouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}
void TTrayIcon::DoMouseMove(ui::ShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}
void TTrayIcon::DoMouseEnter() { Raise(OnMouseEnter, *this); }
void TTrayIcon::DoMouseExit() { Raise(OnMouseExit, *this); }

// ---- the main window ----------------------------------------------------------

ui::Form* TTrayIcon::OwnerForm() const { return dynamic_cast<ui::Form*>(Owner()); }

HWND TTrayIcon::OwnerWindow() const {
  ui::Form* form = OwnerForm();
  return form ? form->Handle() : nullptr;
}

void TTrayIcon::MinimizeToTrayNow() {
  HideMainWindow();
  SetIconVisible(true);
}

void TTrayIcon::HideMainWindow() {
  if (!OwnerIsWindowed() || !app_ || !app_->MainForm()) return;
  app_->MainForm()->Hide();
  HideTaskbarButton();
}

void TTrayIcon::HideTaskbarButton() {
  if (app_ && IsWindowVisible(app_->UtilityWindow())) ShowWindow(app_->UtilityWindow(), SW_HIDE);
}

bool TTrayIcon::ApplicationHook(UINT msg, WPARAM w, LPARAM) {
  if (msg == WM_SIZE && w == SIZE_MINIMIZED && MinimizeToTray) {
    MinimizeToTrayNow();
  } else if (msg == WM_WINDOWPOSCHANGED && mdiCheckPending_ && app_ && app_->MainForm()) {
    // Only a multiple-document main window would ask OnStartup here; the
    // window layer has none, so the check ends at once.
    mdiCheckPending_ = false;
  } else if (msg == WM_SYSCOMMAND && (w & 0xFFF0) == SC_RESTORE && app_) {
    // A minimised program shows nothing until it is restored.
    if (app_->Minimized()) app_->Restore();
    if (ui::Form* main = app_->MainForm()) main->Show();
  }
  // The shell was restarted and has forgotten the icon.
  if (msg != 0 && msg == TaskbarCreatedMessage() && loaded_ && iconVisible_) AddToTray();
  return false;
}

// ---- the owner window's procedure -------------------------------------------

void TTrayIcon::HookOwner() {
  if (HWND h = OwnerWindow()) ownerHook_.Hook(h);
}

void TTrayIcon::UnhookOwner() { ownerHook_.Unhook(); }

bool TTrayIcon::OwnerHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  if (msg == WM_SHOWWINDOW && w == TRUE && l == 0) {
    // Shown by the program itself: bring it to the front of the others.
    if (app_) SetForegroundWindow(app_->UtilityWindow());
    SetForegroundWindow(ownerHook_.HookedWindow());
    return false;
  }
  bool parentClosing = msg == WM_SHOWWINDOW && w == FALSE && l == SW_PARENTCLOSING && !(app_ && app_->Terminated());
  bool minimizing = msg == WM_SYSCOMMAND && (w & 0xFFF0) == SC_MINIMIZE;
  if ((parentClosing || minimizing) && MinimizeToTray && OnMinimizeToTray) {
    OnMinimizeToTray(*this);
    MinimizeToTrayNow();
    result = 1;
    return true;
  }
  return false;
}

}  // namespace wc
