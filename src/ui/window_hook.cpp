#include "ui/window_hook.h"

#include <algorithm>
#include <array>

#include "ui/error.h"
#include "ui/window_table.h"

namespace ui {

namespace {

constexpr size_t kMaxHooks = 6;

// One window's chain: the procedure it had, then the hooks, oldest first.
struct Chain {
  WNDPROC original = nullptr;
  std::array<MessageHook*, kMaxHooks> hooks{};
  size_t count = 0;

  bool Has(const MessageHook* h) const { return std::find(hooks.begin(), hooks.begin() + count, h) != hooks.begin() + count; }
  void Remove(const MessageHook* h) {
    auto end = std::remove(hooks.begin(), hooks.begin() + count, h);
    count = size_t(end - hooks.begin());
  }
};

WindowTable<Chain>& Chains() {
  static WindowTable<Chain> chains;
  return chains;
}

}  // namespace

void MessageHook::Hook(HWND hwnd) {
  if (hwnd_ == hwnd) return;
  Unhook();
  if (!hwnd) return;
  Chain chain;
  auto found = Chains().Find(hwnd);
  if (found) {
    chain = *found;
  } else {
    chain.original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (!chain.original) ThrowLastError("A window's procedure cannot be read");
  }
  if (chain.count == kMaxHooks) throw Error("Too many hooks on one window");
  chain.hooks[chain.count++] = this;
  Chains().Set(hwnd, chain);
  // Our procedure goes in once; a chain that is known already has it.
  if (!found) {
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  }
  hwnd_ = hwnd;
}

void MessageHook::Unhook() {
  HWND h = hwnd_;
  hwnd_ = nullptr;
  if (!h) return;
  auto found = Chains().Find(h);
  if (!found) return;
  Chain chain = *found;
  chain.Remove(this);
  bool ontop = IsWindow(h) && GetWindowLongPtrA(h, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Procedure);
  if (chain.count == 0 && ontop) {
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.original));
    Chains().Erase(h);
  } else if (!IsWindow(h)) {
    Chains().Erase(h);
  } else {
    Chains().Set(h, chain);
  }
}

LRESULT MessageHook::CallOriginal(UINT msg, WPARAM w, LPARAM l) const {
  if (!hwnd_) return 0;
  auto chain = Chains().Find(hwnd_);
  WNDPROC original = chain ? chain->original : nullptr;
  return original ? CallWindowProcA(original, hwnd_, msg, w, l) : DefWindowProcA(hwnd_, msg, w, l);
}

LRESULT CALLBACK MessageHook::Procedure(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  const Chain chain = Chains().Find(hwnd).value_or(Chain{});
  LRESULT result = 0;
  for (size_t i = chain.count; i-- > 0;) {
    MessageHook* hook = chain.hooks[i];
    // A hook taken off by an earlier one while this message went round is
    // not called any more.
    if (i + 1 != chain.count) {
      auto now = Chains().Find(hwnd);
      if (!now || !now->Has(hook)) continue;
    }
    bool kept = false;
    Guarded([&] { kept = hook->HookMessage(msg, w, l, result); });
    if (kept) {
      if (msg == WM_NCDESTROY) WindowGone(hwnd);
      return result;
    }
  }
  result = chain.original ? CallWindowProcA(chain.original, hwnd, msg, w, l) : DefWindowProcA(hwnd, msg, w, l);
  if (msg == WM_NCDESTROY) WindowGone(hwnd);
  return result;
}

void MessageHook::WindowGone(HWND hwnd) {
  auto found = Chains().Find(hwnd);
  Chains().Erase(hwnd);
  if (!found) return;
  for (size_t i = 0; i < found->count; ++i) {
    MessageHook* hook = found->hooks[i];
    if (hook->hwnd_ != hwnd) continue;
    hook->hwnd_ = nullptr;
    Guarded([&] { hook->HookedWindowDestroyed(); });
  }
}

}  // namespace ui
