#pragma once
// The window-procedure thunk.
//
// A Window object owns one HWND. Windows of our own classes find their object
// at WM_NCCREATE; standard controls are subclassed right after creation. From
// then on every message goes to the virtual WndProc inside the error boundary,
// and the object forgets the handle at WM_NCDESTROY.
#include <windows.h>

#include <string>

#include "ui/window_hook.h"

namespace ui {

// The program's own icon in its resources. The shell shows a program file's
// first group icon (and so does a file type registered with "exe,0"), and
// named resources are stored sorted by name: this one's name sorts first.
constexpr const char* kProgramIcon = "APPICON";

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  bool HandleAllocated() const { return hwnd_ != nullptr; }

  // The object behind a window handle, or nullptr for windows not made here.
  static Window* FromHandle(HWND hwnd);

  // Sends the message to the window; 0 when there is no window.
  LRESULT Perform(UINT msg, WPARAM w = 0, LPARAM l = 0) const;

  void DestroyHandle();

 protected:
  struct CreateParams {
    const char* className = nullptr;  // nullptr: our own class for this kind (see OwnClass)
    DWORD exStyle = 0;
    DWORD style = 0;
    std::string caption;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    HWND parent = nullptr;
    UINT_PTR id = 0;
  };
  // Creates the window. With className == nullptr the window is of the
  // program's own window class `ownClass` (registered on first use);
  // otherwise it is a system control and is subclassed.
  void CreateHandle(const CreateParams& p, const char* ownClass = "WcWindow");

  // A system control wrapped by the object, rather than a window of ours.
  bool IsSystemControl() const { return hook_.HookedWindow() != nullptr; }

  // Handles one message; the default passes it on (DefaultProc).
  virtual LRESULT WndProc(UINT msg, WPARAM w, LPARAM l);
  LRESULT DefaultProc(UINT msg, WPARAM w, LPARAM l);

  // Called after the handle is gone (WM_NCDESTROY).
  virtual void HandleDestroyed() {}

  // Passes WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, scroll messages
  // and the like to the child control they concern. Returns true when the
  // child handled it.
  static bool ReflectToChild(UINT msg, WPARAM w, LPARAM l, LRESULT& result);

  // A child control gets its parent's notification about itself here.
  virtual bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result);

 private:
  // A system control's messages reach its object through this hook.
  class ObjectHook : public MessageHook {
   public:
    explicit ObjectHook(Window& w) : window_(w) {}

   protected:
    bool HookMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

   private:
    Window& window_;
  };

  static LRESULT CALLBACK OwnClassProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
  LRESULT Dispatch(UINT msg, WPARAM w, LPARAM l);
  void Attach(HWND hwnd);
  // Forgets the handle; `destroyed` at WM_NCDESTROY.
  void Detach(bool destroyed = false);

  HWND hwnd_ = nullptr;
  ObjectHook hook_{*this};
};

// The system's message font at the system's scale.
HFONT DefaultFont();

}  // namespace ui
