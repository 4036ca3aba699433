#pragma once
// A window timer as a component: Enabled, Interval (ms), OnTimer. Switching it
// on, or changing the interval to another value, starts the countdown afresh;
// an interval of 0 never fires.
#include <windows.h>

#include <cstdint>

#include "ui/component.h"

namespace ui {

class Timer : public Component {
 public:
  Timer(Component* owner, std::string name, uint32_t interval = 1000, bool enabled = true);
  ~Timer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t ms);
  // Whether a system timer is counting down now.
  bool Running() const { return id_ != 0; }

  NotifyEvent OnTimer;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Timer ? &OnTimer : nullptr; }

  // Runs a tick (the application calls it on WM_TIMER; tests may too).
  void Tick();

 private:
  void Update();
  bool enabled_;
  uint32_t interval_;
  UINT_PTR id_ = 0;
};

}  // namespace ui
