#pragma once
// How long a capture waits for the screen to repaint (window name
// "DelayForm"). "OK" gives the capture engine the spin box's milliseconds;
// the spin box keeps its own value between openings, whatever the engine's.
#include "ui/controls.h"
#include "ui/form.h"

namespace wc {

class TScreenGrabber;

class TDelayForm : public ui::Form {
 public:
  explicit TDelayForm(ui::Application& app);

  // The engine "OK" sets; without one given, the capture viewer's.
  void SetGrabber(TScreenGrabber* grabber) { grabber_ = grabber; }

  void Button1Click(ui::Component& sender);  // "OK"
  void Button2Click(ui::Component& sender);  // "Cancel"

  ui::GroupBox GroupBox1{this, "GroupBox1"};
  ui::Label Label1{this, "Label1"};
  ui::SpinEdit SpinEdit1{this, "SpinEdit1"};
  ui::Button Button1{this, "Button1"};
  ui::Button Button2{this, "Button2"};

 private:
  TScreenGrabber* grabber_ = nullptr;
};

}  // namespace wc
