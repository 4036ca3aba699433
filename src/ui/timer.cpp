#include "ui/timer.h"

#include "ui/application.h"

namespace ui {

Timer::Timer(Component* owner, std::string name, uint32_t interval, bool enabled)
    : Component(owner, std::move(name)), enabled_(enabled), interval_(interval) {
  PublishBoolean("Enabled", [this] { return enabled_; }, [this](bool v) { SetEnabled(v); });
  PublishInteger("Interval", [this] { return int64_t(interval_); }, [this](int64_t v) { SetInterval(uint32_t(v)); });
  Update();
}

Timer::~Timer() {
  enabled_ = false;
  Update();
}

void Timer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Update();
}

void Timer::SetInterval(uint32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

void Timer::Update() {
  Application* app = Application::Current();
  if (id_ && app) {
    KillTimer(app->UtilityWindow(), id_);
    app->UnregisterTimer(id_);
  }
  id_ = 0;
  if (enabled_ && interval_ != 0 && app) {
    UINT_PTR id = app->RegisterTimer(this);
    // Windows takes at most USER_TIMER_MAXIMUM; callers keep below it.
    UINT ms = interval_ > USER_TIMER_MAXIMUM ? USER_TIMER_MAXIMUM : interval_;
    if (SetTimer(app->UtilityWindow(), id, ms, nullptr)) {
      id_ = id;
    } else {
      app->UnregisterTimer(id);
    }
  }
}

void Timer::Tick() {
  if (enabled_) Raise(OnTimer, *this);
}

}  // namespace ui
