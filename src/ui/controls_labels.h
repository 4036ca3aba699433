#pragma once
// Labels: text that names or explains, aligned, wrapped or shortened.
#include <windows.h>

#include <string>

#include "ui/control.h"

namespace ui {

enum class Alignment { Left, Center, Right };

class Label : public Control {
 public:
  Label(Component* owner, std::string name);
  void SetAlignment(Alignment a);
  void SetWordWrap(bool on);
  // Text too long for the label loses its middle to "...", keeping the end
  // (for paths, whose file name matters most). Set before the window exists.
  void SetPathEllipsis(bool on) { pathEllipsis_ = on; }

 protected:
  CreateParams Params() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  Alignment alignment_ = Alignment::Left;
  bool wordWrap_ = false;
  bool pathEllipsis_ = false;
};

}  // namespace ui
