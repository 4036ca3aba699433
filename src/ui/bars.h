#pragma once
// The common controls the capture viewer is made of: a track bar, plain
// scroll bars and a status bar with panels. (Its tabs are ui::PageControl.)
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// A slider over whole positions (msctls_trackbar32). OnChange runs whenever
// the position changes, by the user or by SetPosition.
class TrackBar : public Control {
 public:
  TrackBar(Component* owner, std::string name);
  int Min = 0;
  int Max = 10;
  int Position() const { return position_; }
  void SetPosition(int p);
  NotifyEvent OnChange;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Change ? &OnChange : Control::EventSlot(e); }

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  int position_ = 0;
};

// A scroll bar control of its own (not a window's). Page size 0: the thumb
// covers positions 0 … Max. OnChange runs whenever the position changes.
class ScrollBar : public Control {
 public:
  ScrollBar(Component* owner, std::string name, bool vertical);
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetMax(int m);
  void SetPosition(int p);
  bool Vertical() const { return vertical_; }
  NotifyEvent OnChange;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Change ? &OnChange : Control::EventSlot(e); }

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  void Push();
  bool vertical_;
  int max_ = 100;
  int position_ = 0;
};

// A status bar with fixed-width panels (the last one takes what is left).
class StatusBar : public Control {
 public:
  StatusBar(Component* owner, std::string name);
  // Widths in layout units.
  void SetPanels(std::vector<int> widths);
  int PanelCount() const { return int(texts_.size()); }
  std::string PanelText(int i) const;
  void SetPanelText(int i, const std::string& text);

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  void DpiChanged() override { HandleCreated(); }

 private:
  std::vector<int> widths_;
  std::vector<std::string> texts_;
};

}  // namespace ui
