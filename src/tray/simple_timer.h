#pragma once
// A light timer that needs no window of its own.
//
// Every TSimpleTimer of the process shares one hidden message window, the
// TSimpleTimerHandler, which exists while at least one timer does. The
// timer's own address is its system timer id, so the shared window finds the
// timer from WM_TIMER alone.
//
//   TSimpleTimer blink(500, [](TSimpleTimer&) { ... });
//   blink.Start();            // false when the interval is 0
//   blink.SetIntervalMs(250); // restarts with the new period while running
//   blink.Stop();
//
// GUI thread only.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "tray/shared_window.h"

namespace wc {

class TSimpleTimer;

// The hidden window behind every TSimpleTimer: one per process, made with the
// first timer and freed with the last one.
class TSimpleTimerHandler : public SharedWindow<TSimpleTimerHandler, TSimpleTimer> {
 public:
  ~TSimpleTimerHandler() override;

  int TimerCount() const { return int(Clients().size()); }

 private:
  friend SharedWindow;
  TSimpleTimerHandler();
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
};

class TSimpleTimer {
 public:
  using TTickHandler = std::function<void(TSimpleTimer& sender)>;

  // 1000 ms, no handler, not running.
  TSimpleTimer();
  TSimpleTimer(uint32_t intervalMs, TTickHandler handler);
  ~TSimpleTimer();
  TSimpleTimer(const TSimpleTimer&) = delete;
  TSimpleTimer& operator=(const TSimpleTimer&) = delete;

  // The system timer id: the timer's address.
  UINT_PTR Identity() const { return reinterpret_cast<UINT_PTR>(this); }

  // Whether the timer is meant to run. It can be set while no system timer
  // counts: after the interval or the handler was cleared during a run.
  bool Running() const { return running_; }
  void SetRunning(bool on);

  // Starts (again, from now). Fails when the interval is 0 or the system has
  // no timer left; the timer is then not running (with interval 0 it stays
  // as it was).
  bool Start();
  // Kills the system timer; `clearRunning` false keeps Running set.
  void Stop(bool clearRunning = true);

  uint32_t IntervalMs() const { return intervalMs_; }
  // A new period restarts a running timer; 0 only kills the system timer and
  // a later non-zero period starts it again.
  void SetIntervalMs(uint32_t ms);

  const TTickHandler& TickHandler() const { return handler_; }
  // An empty handler on a running timer kills the system timer and leaves
  // Running set.
  void SetTickHandler(TTickHandler handler);

 private:
  bool running_ = false;
  uint32_t intervalMs_ = 1000;
  TTickHandler handler_;
};

}  // namespace wc
