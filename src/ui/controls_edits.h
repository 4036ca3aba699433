#pragma once
// Edit fields: one line of text, and a whole number with up and down arrows.
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/control.h"

namespace ui {

class Edit : public Control {
 public:
  Edit(Component* owner, std::string name);
  std::string Text() const;
  void SetText(const std::string& text);
  void SetReadOnly(bool on);
  void SetMaxLength(int n);
  void SelectAll();
  // Only digits and a minus sign can be typed.
  void SetNumeric(bool on) { numeric_ = on; }
  NotifyEvent OnChange;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Change ? &OnChange : Control::EventSlot(e); }

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  bool readOnly_ = false;
  int maxLength_ = 0;
  bool numeric_ = false;
  std::string pending_;  // text set before the window exists
};

// A whole number in an edit field with up and down arrows. MinValue and
// MaxValue both 0 mean no limits.
class SpinEdit : public Control {
 public:
  SpinEdit(Component* owner, std::string name);
  int32_t Value() const;  // text that is no number counts as MinValue
  void SetValue(int32_t v);
  int32_t MinValue = 0;
  int32_t MaxValue = 0;
  void SetLimits(int32_t minValue, int32_t maxValue);
  std::string Text() const { return edit_.Text(); }
  void SetText(const std::string& t) { edit_.SetText(t); }
  NotifyEvent OnChange;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Change ? &OnChange : Control::EventSlot(e); }

 protected:
  const char* OwnClassName() const override { return "WcSpinEdit"; }
  CreateParams Params() override;
  void HandleCreated() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  int32_t Clamp(int64_t v) const;
  Edit edit_;
  HWND updown_ = nullptr;
};

}  // namespace ui
