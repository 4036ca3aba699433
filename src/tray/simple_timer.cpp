#include "tray/simple_timer.h"

#include <algorithm>

namespace wc {

TSimpleTimerHandler::TSimpleTimerHandler() {
  CreateParams p;
  p.style = WS_POPUP;
  p.x = p.y = p.width = p.height = 0;
  // A message-only window: it only has to receive WM_TIMER, also without a
  // desktop to show windows on.
  p.parent = HWND_MESSAGE;
  CreateHandle(p, "WcSimpleTimerHandler");
}

TSimpleTimerHandler::~TSimpleTimerHandler() { DestroyHandle(); }

LRESULT TSimpleTimerHandler::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg != WM_TIMER) return DefaultProc(msg, w, l);
  // Only ids of live timers are trusted; a stray or late tick is dropped.
  auto it = std::find_if(Clients().begin(), Clients().end(), [w](TSimpleTimer* t) { return t->Identity() == w; });
  if (it == Clients().end()) {
    KillTimer(Handle(), w);
    return 0;
  }
  TSimpleTimer& timer = **it;
  // A copy: the handler may replace itself or free its timer while it runs.
  TSimpleTimer::TTickHandler handler = timer.TickHandler();
  // A tick handler may free the last timer: the window goes once the tick
  // has returned, not under its own feet.
  if (handler) Dispatch([&] { handler(timer); });
  return 0;
}

TSimpleTimer::TSimpleTimer() { TSimpleTimerHandler::Register(*this); }

TSimpleTimer::TSimpleTimer(uint32_t intervalMs, TTickHandler handler)
    : intervalMs_(intervalMs), handler_(std::move(handler)) {
  TSimpleTimerHandler::Register(*this);
}

TSimpleTimer::~TSimpleTimer() {
  if (running_) Stop(true);
  TSimpleTimerHandler::Unregister(*this);
}

void TSimpleTimer::SetRunning(bool on) {
  if (on) {
    Start();
  } else {
    Stop(true);
  }
}

bool TSimpleTimer::Start() {
  if (intervalMs_ == 0) return false;
  if (running_) Stop(true);
  TSimpleTimerHandler* h = TSimpleTimerHandler::Instance();
  if (!h || !SetTimer(h->Handle(), Identity(), intervalMs_, nullptr)) return false;
  running_ = true;
  return true;
}

void TSimpleTimer::Stop(bool clearRunning) {
  if (TSimpleTimerHandler* h = TSimpleTimerHandler::Instance()) KillTimer(h->Handle(), Identity());
  if (clearRunning) running_ = false;
}

void TSimpleTimer::SetIntervalMs(uint32_t ms) {
  if (ms == intervalMs_) return;
  intervalMs_ = ms;
  if (!running_) return;
  if (ms != 0) {
    Start();
  } else {
    Stop(false);
  }
}

void TSimpleTimer::SetTickHandler(TTickHandler handler) {
  handler_ = std::move(handler);
  if (!handler_ && running_) Stop(false);
}

}  // namespace wc
