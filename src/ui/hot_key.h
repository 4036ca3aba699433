#pragma once
// The system's hot-key field: the user presses a key combination and the
// field shows it. Its value is a key combination as the settings store it:
// the virtual key in bits 0 to 12, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
#include <cstdint>

#include "ui/control.h"

namespace ui {

// The system field's own value (virtual key in the low byte, HOTKEYF_*
// modifiers in the next) to a key combination and back. The field knows
// keys up to 255 and its extended-key flag is dropped.
uint16_t KeyCombinationFromField(WORD field);
WORD FieldFromKeyCombination(uint16_t combination);

class HotKey : public Control {
 public:
  HotKey(Component* owner, std::string name);
  uint16_t Value() const;
  void SetValue(uint16_t combination);

 protected:
  CreateParams Params() override;
  void HandleCreated() override;

 private:
  uint16_t pending_ = 0;  // the value before the window exists
};

}  // namespace ui
