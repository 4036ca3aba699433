#pragma once
// Replacing a window's procedure, the one way the program does it.
//
// A hook sees a window's messages before the window's own procedure: the
// layer's objects for the system controls they wrap, the tray icon for the
// window it serves, the playlist for files dropped on its box. Any number of
// hooks may sit on one window; the newest sees a message first, and a message
// no hook keeps goes on to the procedure the window had before. Every hook is
// called inside the program's error boundary.
//
// A hook taken off while something else has replaced the procedure on top of
// ours stays out of the chain, which itself stays in place and passes every
// message on, so the other procedure's chain is never broken.
#include <windows.h>

namespace ui {

class MessageHook {
 public:
  MessageHook() = default;
  virtual ~MessageHook() { Unhook(); }
  MessageHook(const MessageHook&) = delete;
  MessageHook& operator=(const MessageHook&) = delete;

  // Puts this hook on the window (nothing when it is on it already; it
  // leaves another window first). Throws ui::Error when the window has no
  // procedure to replace.
  void Hook(HWND hwnd);
  void Unhook();
  HWND HookedWindow() const { return hwnd_; }

  // The window's procedure from before the first hook.
  LRESULT CallOriginal(UINT msg, WPARAM w, LPARAM l) const;

 protected:
  // True when the hook kept the message (its answer in `result`); false
  // passes it on.
  virtual bool HookMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) = 0;
  // The window is gone; the hook is off it already.
  virtual void HookedWindowDestroyed() {}

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
  static void WindowGone(HWND hwnd);
  HWND hwnd_ = nullptr;
};

// A hook that hands every message to a member function of its owner.
template <class Owner>
class HookTo : public MessageHook {
 public:
  using Handler = bool (Owner::*)(UINT msg, WPARAM w, LPARAM l, LRESULT& result);
  HookTo(Owner& owner, Handler handler) : owner_(owner), handler_(handler) {}

 protected:
  bool HookMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override {
    return (owner_.*handler_)(msg, w, l, result);
  }

 private:
  Owner& owner_;
  Handler handler_;
};

}  // namespace ui
