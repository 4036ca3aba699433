#pragma once
// The application object: the root of the component tree, the message loop,
// the program's error handler and its hidden utility window.
//
// Exactly one Application exists at a time (the program makes one in its
// entry; each test makes its own). It owns the windows the program creates
// with CreateForm, in creation order; the first becomes the main window.
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/window.h"

namespace ui {

class Form;
class Prompts;
class Timer;

class Application : public Component, private Window {
 public:
  Application();
  ~Application() override;

  static Application* Current();

  std::string Title;
  // When false, Run does not show the main window, and Minimize and Restore
  // move it without the caption animation.
  bool ShowMainForm = true;
  // Windows laid out from right to left (mirrored), for a language written
  // that way; the windows that exist follow at once, new ones from the start.
  bool RightToLeft() const { return rightToLeft_; }
  void SetRightToLeft(bool on);
  // Draws the caption flying between a window and the notification area
  // (the system's animated rectangles); tests put their own here.
  std::function<void(HWND window, const RECT& from, const RECT& to)> AnimateCaption;

  // Creates a window of type T, owned by the application. The first one
  // becomes the main window.
  template <class T, class... Args>
  T& CreateForm(Args&&... args) {
    auto form = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& ref = *form;
    AdoptForm(std::move(form));
    return ref;
  }
  Form* MainForm() const { return mainForm_; }
  // The running application's window of that name ("MainForm", "Settings",
  // ...) when it is a T; nullptr when there is no such window or no
  // application. Windows find one another this way, not through headers.
  template <class T>
  static T* FindForm(const char* name) {
    Application* app = Current();
    return app ? dynamic_cast<T*>(app->FindOwnedByName(name)) : nullptr;
  }
  const std::vector<Form*>& Forms() const { return formOrder_; }

  // Runs the message loop until Terminate (or the main window closes).
  void Run();
  // Runs queued messages without waiting.
  void ProcessMessages();
  // Runs messages until `done` returns true or the application terminates;
  // used by modal windows.
  void RunUntil(const std::function<bool()>& done);
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Hides every shown window of the program (the taskbar button goes with
  // the main window) and tells the hooks with WM_SIZE / SIZE_MINIMIZED.
  void Minimize();
  // Shows again what Minimize hid and tells the hooks with SIZE_RESTORED.
  void Restore();
  bool Minimized() const { return minimized_; }

  // The hidden top-level window of the application: timers, hand-offs and
  // shell broadcasts arrive here.
  HWND UtilityWindow() const { return Window::Handle(); }

  // A hook sees every message of the utility window first. Returning true
  // marks it handled (with `result`).
  using MessageHook = std::function<bool(UINT msg, WPARAM w, LPARAM l, LRESULT& result)>;
  int HookMainWindow(MessageHook hook);
  void UnhookMainWindow(int id);

  // Runs `f` on the GUI thread when messages are next processed.
  void Post(std::function<void()> f);

  // The program's general error handler: one box, one OK button; errors that
  // come while its box is open show none.
  void ShowError(const std::string& text);

  // The command line after the program's name, as the C runtime split it.
  std::vector<std::string> Arguments;
  // Argument i counted from 1, or "" when there are fewer.
  std::string ParamStr(size_t i) const { return i >= 1 && i <= Arguments.size() ? Arguments[i - 1] : std::string(); }

  // The full path of the program file; tests point it elsewhere.
  const std::string& ExeName() const { return exeName_; }
  void SetExeName(std::string path) { exeName_ = std::move(path); }

  Prompts& prompts() const { return *prompts_; }
  void SetPrompts(Prompts* p);

  DWORD GuiThreadId() const { return guiThread_; }

  // Used by Form.
  void RegisterForm(Form& f);
  void UnregisterForm(Form& f);

  // Used by Timer.
  UINT_PTR RegisterTimer(Timer* t);
  void UnregisterTimer(UINT_PTR id);

  // Used by the hand-off to the GUI thread (sync.h).
  static constexpr UINT kRunQueuedMessage = WM_APP + 0x100;

 private:
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
  void AdoptForm(std::unique_ptr<Form> form);
  void RunQueued();
  bool PreTranslate(MSG& msg);

  std::vector<std::unique_ptr<Form>> forms_;
  std::vector<Form*> formOrder_;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
  bool minimized_ = false;
  bool rightToLeft_ = false;
  // The caption animation of the shown main window, to the tray or back.
  void AnimateMainForm(bool toTray);
  std::vector<Form*> hiddenByMinimize_;
  std::vector<std::pair<int, MessageHook>> hooks_;
  int nextHookId_ = 1;
  std::string exeName_;
  std::unique_ptr<Prompts> ownPrompts_;
  Prompts* prompts_ = nullptr;
  DWORD guiThread_ = 0;
  std::vector<std::pair<UINT_PTR, Timer*>> timers_;
  UINT_PTR nextTimerId_ = 1;
  bool showingError_ = false;  // an error box is open

  std::mutex queueMutex_;
  std::vector<std::function<void()>> queue_;
};

}  // namespace ui
