#pragma once
// A drawing of the monitors as they lie, as the system's display settings
// show them: each a box scaled into the control, labelled with its number,
// resolution and orientation. A click on a box chooses that monitor.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/controls_panels.h"

namespace wc {

class MonitorMap : public ui::Panel {
 public:
  struct Box {
    RECT area{};        // in virtual-screen pixels
    std::string label;  // drawn inside, one line a part ("\n" between)
  };

  MonitorMap(ui::Component* owner, std::string name);
  void SetMonitors(std::vector<Box> boxes);
  // -1: none.
  void SetChosen(int index);
  int Chosen() const { return chosen_; }
  // Where each box is drawn, in client pixels.
  std::vector<RECT> PlacedBoxes() const;

  // A click chose another monitor.
  ui::NotifyEvent OnChange;
  ui::NotifyEvent* EventSlot(ui::Event e) override { return e == ui::Event::Change ? &OnChange : Panel::EventSlot(e); }
  // The monitors lie as they lie, whatever way the language reads.
  bool Mirrors() const override { return false; }

 protected:
  void Paint(HDC dc, const RECT& client) override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  std::vector<Box> boxes_;
  int chosen_ = -1;
};

}  // namespace wc
