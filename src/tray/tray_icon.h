#pragma once
// The program's icon in the taskbar's notification area.
//
// TTrayIcon puts one icon there and keeps it there (also after the shell
// restarts), turns the shell's mouse notifications into events, shows a popup
// menu, animates the icon through an image list and hides the main window
// into the tray when the program is minimised. All tray icons of the process
// share one hidden window, the TTrayIconHandler, that receives the shell's
// notifications.
//
// How a window holds one (it must be created after the application):
//
//   class TMainForm : public ui::Form {
//     ui::ImageList ImageList1{this, "ImageList1"};   // declared before the
//     ui::PopupMenu PopupMenu1{this, "PopupMenu1"};   // tray icon: it uses them
//     wc::TTrayIcon TrayIcon1{this, "TrayIcon1"};     // until it is destroyed
//   };
//   TMainForm::TMainForm(ui::Application& app) : Form(app, "MainForm") {
//     CreateWindowFrom(...);
//     BuildLayout(...);
//     TrayIcon1.SetIconList(&ImageList1);
//     TrayIcon1.SetCycleInterval(5000);
//     TrayIcon1.SetIconVisible(true);    // takes effect in Loaded()
//     TrayIcon1.PopupMenu = &PopupMenu1;
//     TrayIcon1.MinimizeToTray = true;
//     ui::Bind(*this, kBindings);        // {"TrayIcon1", ui::Event::Click, ...}
//     TrayIcon1.Loaded();                // once, when the window is built
//   }
//
// Until Loaded() the icon is not in the tray: IconVisible, CycleIcons,
// WantEnterExitEvents and ShellVersionMode are only stored, and the owner
// window's procedure is not yet hooked (its window may not exist before).
// An event handler must not destroy the tray icon that raised it.
//
// GUI thread only.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tray/shared_window.h"
#include "tray/simple_timer.h"
#include "ui/window_hook.h"
#include "ui/component.h"
#include "ui/events.h"
#include "ui/handle.h"
#include "ui/window.h"

namespace ui {
class Application;
class Form;
class ImageList;
class PopupMenu;
}  // namespace ui

namespace wc {

// The message the shell sends to the handler window for every tray icon.
constexpr UINT TrayCallbackMessage = 0x0800;

enum TShellVersionMode { svmClassic = 0, svmVersion3 = 1 };

using TCycleEvent = std::function<void(ui::Component& sender, int NextIndex)>;
using TStartupEvent = std::function<void(ui::Component& sender, bool& ShowMainForm)>;

// The shell's notify record in its 488-byte ANSI form: the layout with the
// balloon fields and without the item GUID, handles and the id in 32 bits
// each, as 32-bit programs hand it over. Window and icon handles keep only
// 32 significant bits on 64-bit Windows too, so nothing is lost; the id is
// the low half of the tray icon's address there. A 64-bit shell reads its
// own, wider layout of the same fields: CallShell widens the record for it.
#pragma pack(push, 4)
struct TNotifyIconData {
  uint32_t cbSize;
  uint32_t hWnd;
  uint32_t uID;
  uint32_t uFlags;
  uint32_t uCallbackMessage;
  uint32_t hIcon;
  char szTip[128];
  uint32_t dwState;
  uint32_t dwStateMask;
  char szInfo[256];
  uint32_t uVersion;  // shared with uTimeout
  char szInfoTitle[64];
  uint32_t dwInfoFlags;

  HWND Window() const { return static_cast<HWND>(LongToHandle(LONG(hWnd))); }
  HICON Icon() const { return static_cast<HICON>(LongToHandle(LONG(hIcon))); }
};
#pragma pack(pop)
static_assert(sizeof(TNotifyIconData) == 488);

class TTrayIcon;

// The hidden top-level window of every tray icon: one per process, made with
// the first tray icon and freed with the last one.
class TTrayIconHandler : public SharedWindow<TTrayIconHandler, TTrayIcon> {
 public:
  ~TTrayIconHandler() override;

 private:
  friend SharedWindow;
  TTrayIconHandler();
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
};

class TTrayIcon : public ui::Component {
 public:
  // `owner` is normally the window that holds the tray icon; an application
  // must exist.
  TTrayIcon(ui::Component* owner, std::string name);
  ~TTrayIcon() override;

  // Call once when the owner's window and layout are built: hooks the owner
  // window, asks OnStartup whether the main window is shown, then puts the
  // icon into the tray (or not) and starts what the properties ask for.
  void Loaded();
  bool IsLoaded() const { return loaded_; }

  // ---- properties (published by name, except the references and the icon)
  bool DesignPreview = false;  // no effect while the program runs
  bool LeftPopup = false;      // the menu also opens on a left press
  bool MinimizeToTray = false; // minimising the program hides it into the tray
  ui::PopupMenu* PopupMenu = nullptr;

  ui::ImageList* IconList() const { return iconList_; }
  void SetIconList(ui::ImageList* list);
  bool CycleIcons() const { return cycleIcons_; }
  void SetCycleIcons(bool on);
  uint32_t CycleInterval() const { return cycleInterval_; }
  void SetCycleInterval(uint32_t ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on) { enabled_ = on; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& text);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on);
  // The icon shown; the tray icon keeps its own copy.
  HICON Icon() const { return icon_.get(); }
  void SetIcon(HICON icon);
  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool on);
  int IconIndex() const { return iconIndex_; }
  void SetIconIndex(int index);
  bool WantEnterExitEvents() const { return wantEnterExit_; }
  void SetWantEnterExitEvents(bool on);
  TShellVersionMode ShellVersionMode() const { return shellVersion_; }
  void SetShellVersionMode(TShellVersionMode mode);

  // ---- events
  ui::NotifyEvent OnClick;
  ui::NotifyEvent OnDblClick;
  ui::MouseEvent OnMouseDown;  // x, y: the pointer on the screen
  ui::MouseEvent OnMouseUp;
  ui::MouseMoveEvent OnMouseMove;
  ui::NotifyEvent OnMouseEnter;  // only with WantEnterExitEvents
  ui::NotifyEvent OnMouseExit;
  TCycleEvent OnCycle;
  ui::NotifyEvent OnBalloonHintShow;
  ui::NotifyEvent OnBalloonHintHide;
  ui::NotifyEvent OnBalloonHintTimeout;
  ui::NotifyEvent OnBalloonHintClick;
  ui::NotifyEvent OnMinimizeToTray;
  TStartupEvent OnStartup;
  ui::NotifyEvent* EventSlot(ui::Event e) override;

  // ---- operations; each answers whether the shell call succeeded
  virtual bool AddToTray();
  virtual bool RemoveFromTray();
  virtual bool RefreshTrayIcon();
  // Opens the popup menu at the pointer (when there is one and it pops up
  // by itself).
  void PopupAtPointer();
  // Hides the main window and its taskbar button, then shows the icon.
  virtual void MinimizeToTrayNow();
  void HideMainWindow();
  void HideTaskbarButton();

  // ---- the shell
  // The record as it was last sent.
  const TNotifyIconData& IconData() const { return data_; }
  // The tray icon's identity in the record and in the shell's notifications.
  UINT Identity() const { return data_.uID; }
  // The window that receives the shell's notifications.
  HWND CallbackWindow() const { return data_.Window(); }
  // Every shell call goes through here; by default the system's call. A test
  // may put itself in between (and call CallShell to reach the shell).
  std::function<bool(DWORD message, const TNotifyIconData& data)> ShellNotify;
  // Hands the record to Shell_NotifyIconA in the layout of this build.
  static bool CallShell(DWORD message, const TNotifyIconData& data);
  // The id of the shell's "TaskbarCreated" broadcast; 0 when the common
  // controls are older than 4.71 and a restarted shell is not noticed.
  static UINT TaskbarCreatedMessage();

  // One notification from the shell (the handler window calls it).
  void HandleNotification(UINT mouseMessage);

  // ---- the click and pointer state
  // A left click waits for the double-click time (only with OnDblClick).
  bool ClickPending() const { return clickPending_; }
  bool DoubleClickSeen() const { return doubleClickSeen_; }
  bool ClickDelayRunning() const { return clickDelayTicker_->Running(); }
  // Where the pointer was at the last mouse-move notification.
  POINT LastTrayPoint() const { return lastTrayPoint_; }
  bool ExitPollRunning() const { return exitPollTicker_->Running(); }
  bool CycleRunning() const { return cycleTicker_->Running(); }

 protected:
  // Each event is raised through one of these.
  virtual void DoClick();
  virtual void DoDblClick();
  virtual void DoCycle(int nextIndex);
  virtual void DoMouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y);
  virtual void DoMouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y);
  virtual void DoMouseMove(ui::ShiftState shift, int x, int y);
  virtual void DoMouseEnter();
  virtual void DoMouseExit();

 private:
  bool Notify(DWORD message);
  void PrepareIconData();
  void ApplyCycleIcons();
  void ApplyWantEnterExitEvents();
  void SendShellVersion();
  void LoadImageIntoIcon(int index);
  void CycleTick();
  void DelayedClick();
  void ExitPoll();
  ui::Form* OwnerForm() const;
  HWND OwnerWindow() const;
  bool OwnerIsWindowed() const { return OwnerWindow() != nullptr; }
  bool ApplicationHook(UINT msg, WPARAM w, LPARAM l);
  void HookOwner();
  void UnhookOwner();
  bool OwnerHook(UINT msg, WPARAM w, LPARAM l, LRESULT& result);


  ui::Application* app_ = nullptr;
  int appHookId_ = 0;
  // Sees the owner window's messages before the window does.
  ui::HookTo<TTrayIcon> ownerHook_{*this, &TTrayIcon::OwnerHook};
  bool loaded_ = false;

  ui::ImageList* iconList_ = nullptr;
  bool cycleIcons_ = false;
  uint32_t cycleInterval_ = 0;
  bool enabled_ = true;
  std::string hint_;
  bool showHint_ = true;
  ui::IconHandle icon_;
  bool iconVisible_ = false;
  int iconIndex_ = 0;
  bool wantEnterExit_ = false;
  TShellVersionMode shellVersion_ = svmClassic;

  bool leftPressed_ = false;
  bool clickPending_ = false;
  bool doubleClickSeen_ = false;
  bool pointerOutside_ = true;
  POINT lastTrayPoint_{};
  bool mdiCheckPending_ = true;

  TNotifyIconData data_{};
  std::unique_ptr<TSimpleTimer> cycleTicker_;
  std::unique_ptr<TSimpleTimer> clickDelayTicker_;
  std::unique_ptr<TSimpleTimer> exitPollTicker_;
  // Cleared when the tray icon goes, for code that ran the message loop.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace wc
