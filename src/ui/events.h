#pragma once
// Event signatures shared by the controls.
#include <functional>

namespace ui {

class Component;

enum class MouseButton { Left, Right, Middle };

// Keys and buttons held during a mouse event.
enum ShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using ShiftState = unsigned;

using MouseEvent = std::function<void(Component& sender, MouseButton button, ShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Component& sender, ShiftState shift, int x, int y)>;

// Shift state from a mouse message's wParam plus the Alt key.
ShiftState ShiftFromMouseKeys(unsigned keys);

}  // namespace ui
