#include "ui/application.h"

#include "ui/monitors.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdlib>

#include "common/paths.h"
#include "ui/error.h"
#include "ui/form.h"
#include "ui/prompts.h"
#include "ui/sync.h"
#include "ui/timer.h"

namespace ui {

namespace {
Application* current = nullptr;
}

Application* Application::Current() { return current; }

Application::Application() : Component(nullptr, "Application") {
  if (current) throw Error("Only one application object may exist");
  current = this;
  guiThread_ = GetCurrentThreadId();

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                           ICC_ANIMATE_CLASS | ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);

  char path[MAX_PATH * 2] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, DWORD(sizeof path));
  exeName_.assign(path, n);
  for (int i = 1; i < __argc; ++i) Arguments.emplace_back(__argv[i]);
  Title = wc::ExtractFileName(exeName_);
  size_t dot = Title.rfind('.');
  if (dot != std::string::npos) Title.resize(dot);

  ownPrompts_ = std::make_unique<SystemPrompts>();
  prompts_ = ownPrompts_.get();

  CreateParams p;
  p.style = WS_POPUP;
  p.exStyle = WS_EX_TOOLWINDOW;
  p.caption = Title;
  p.x = p.y = 0;
  p.width = p.height = 0;
  Window::CreateHandle(p, "WcApplication");
  detail::OpenHub(this);
}

Application::~Application() {
  // Workers may be waiting for a hand-off: release them, and give them a
  // moment to finish before their windows go.
  detail::CloseHub(3000);
  while (!forms_.empty()) forms_.pop_back();
  hooks_.clear();
  Window::DestroyHandle();
  OleUninitialize();
  current = nullptr;
}

void Application::RegisterForm(Form& f) {
  formOrder_.push_back(&f);
  if (!mainForm_) mainForm_ = &f;
}

void Application::UnregisterForm(Form& f) {
  formOrder_.erase(std::remove(formOrder_.begin(), formOrder_.end(), &f), formOrder_.end());
  hiddenByMinimize_.erase(std::remove(hiddenByMinimize_.begin(), hiddenByMinimize_.end(), &f), hiddenByMinimize_.end());
  if (mainForm_ == &f) mainForm_ = nullptr;
}

void Application::AdoptForm(std::unique_ptr<Form> form) { forms_.push_back(std::move(form)); }

void Application::SetPrompts(Prompts* p) { prompts_ = p ? p : ownPrompts_.get(); }

bool Application::PreTranslate(MSG& msg) {
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  if (!top) return false;
  auto* form = dynamic_cast<Form*>(Window::FromHandle(top));
  if (!form) return false;
  if (msg.message == WM_KEYDOWN && form->OnShortCut && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 &&
      form->OnShortCut(UINT(msg.wParam))) {
    return true;
  }
  // Dialog keys (Tab, arrows, Enter, Esc) for our windows; not for windows
  // that draw and handle the mouse themselves.
  if (form->OnPaint) return false;
  return IsDialogMessageA(top, &msg) != FALSE;
}

void Application::Run() {
  if (mainForm_ && ShowMainForm) mainForm_->Show();
  MSG msg;
  while (!terminated_) {
    BOOL r = GetMessageA(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
      terminated_ = true;
      break;
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

void Application::RunUntil(const std::function<bool()>& done) {
  MSG msg;
  while (!terminated_ && !done()) {
    BOOL r = GetMessageA(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
      terminated_ = true;
      PostQuitMessage(0);  // the outer loop must end too
      break;
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

void Application::AnimateMainForm(bool toTray) {
  if (!ShowMainForm || !mainForm_ || !mainForm_->Handle() || !mainForm_->Visible()) return;
  RECT window{};
  GetWindowRect(mainForm_->Handle(), &window);
  const RECT tray = NotificationArea();
  if (AnimateCaption) {
    AnimateCaption(mainForm_->Handle(), toTray ? window : tray, toTray ? tray : window);
  } else {
    DrawAnimatedRects(mainForm_->Handle(), IDANI_CAPTION, toTray ? &window : &tray, toTray ? &tray : &window);
  }
}

void Application::SetRightToLeft(bool on) {
  if (on == rightToLeft_) return;
  rightToLeft_ = on;
  for (Form* f : formOrder_) f->ApplyDirection();
}

void Application::Minimize() {
  if (minimized_) return;
  minimized_ = true;
  AnimateMainForm(true);
  hiddenByMinimize_.clear();
  for (Form* f : formOrder_) {
    if (f->Handle() && IsWindowVisible(f->Handle())) {
      hiddenByMinimize_.push_back(f);
      ShowWindow(f->Handle(), SW_HIDE);
    }
  }
  SendMessageA(UtilityWindow(), WM_SIZE, SIZE_MINIMIZED, 0);
}

void Application::Restore() {
  if (!minimized_) return;
  minimized_ = false;
  AnimateMainForm(false);
  std::vector<Form*> forms;
  forms.swap(hiddenByMinimize_);
  for (Form* f : forms) {
    if (f->Visible()) ShowWindow(f->Handle(), SW_SHOW);
  }
  SendMessageA(UtilityWindow(), WM_SIZE, SIZE_RESTORED, 0);
  if (mainForm_ && mainForm_->Visible()) mainForm_->BringToFront();
}

int Application::HookMainWindow(MessageHook hook) {
  int id = nextHookId_++;
  hooks_.emplace_back(id, std::move(hook));
  return id;
}

void Application::UnhookMainWindow(int id) {
  hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(), [id](auto& h) { return h.first == id; }), hooks_.end());
}

void Application::Post(std::function<void()> f) {
  {
    std::lock_guard lock(queueMutex_);
    queue_.push_back(std::move(f));
  }
  PostMessageA(UtilityWindow(), kRunQueuedMessage, 0, 0);
}

void Application::RunQueued() {
  std::vector<std::function<void()>> work;
  {
    std::lock_guard lock(queueMutex_);
    work.swap(queue_);
  }
  for (auto& f : work) Guarded(f);
}

void Application::ShowError(const std::string& text) {
  // A box is modal only to its owner: timer ticks and workers' hand-offs go
  // on while it waits for the user, and an error of theirs would open a box
  // inside the box, without end for a program left alone (the rotation
  // timer at one second over unreadable pictures). While one error box is
  // open, later errors still end their commands but show no box of their own.
  if (showingError_) return;
  showingError_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{showingError_};
  HWND owner = GetActiveWindow();
  if (owner && !Window::FromHandle(owner)) owner = nullptr;
  prompts().Message(owner, text, Title, MB_OK | MB_ICONERROR);
}

UINT_PTR Application::RegisterTimer(Timer* t) {
  UINT_PTR id = nextTimerId_++;
  timers_.emplace_back(id, t);
  return id;
}

void Application::UnregisterTimer(UINT_PTR id) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [id](auto& e) { return e.first == id; }), timers_.end());
}

LRESULT Application::WndProc(UINT msg, WPARAM w, LPARAM l) {
  // A hook may remove itself while it runs: walk a copy.
  auto hooks = hooks_;
  for (auto& [id, hook] : hooks) {
    // A hook removed by an earlier one during this message is not called.
    bool live = std::any_of(hooks_.begin(), hooks_.end(), [id = id](auto& h) { return h.first == id; });
    if (!live) continue;
    LRESULT result = 0;
    if (hook(msg, w, l, result)) return result;
  }
  switch (msg) {
    case WM_TIMER: {
      Timer* timer = nullptr;
      for (auto& [id, t] : timers_) {
        if (id == w) timer = t;
      }
      // The tick may switch timers on and off, so it runs after the lookup.
      if (timer) {
        timer->Tick();
      } else {
        KillTimer(UtilityWindow(), w);
      }
      return 0;
    }
    case kRunQueuedMessage:
      RunQueued();
      return 0;
    default:
      return Window::WndProc(msg, w, l);
  }
}

}  // namespace ui
