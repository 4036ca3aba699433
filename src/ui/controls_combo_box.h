#pragma once
// The drop-down list of fixed items.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class ComboBox : public Control {
 public:
  ComboBox(Component* owner, std::string name);
  std::vector<std::string> Items() const { return items_; }
  // Replacing the items clears the selection.
  void SetItems(const std::vector<std::string>& items);
  int ItemIndex() const;
  void SetItemIndex(int i);
  std::string Text() const;
  // Selects the item with this text, or none.
  void SetText(const std::string& text);
  // Runs when the user picks an item.
  NotifyEvent OnChange;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Change ? &OnChange : Control::EventSlot(e); }

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  std::vector<std::string> items_;
  int index_ = -1;
};

}  // namespace ui
