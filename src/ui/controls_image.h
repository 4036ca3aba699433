#pragma once
// The picture control.
#include <windows.h>

#include <string>

#include "ui/control.h"
#include "ui/graphics.h"

namespace ui {

// Shows a picture, stretched to the control or at its own size.
class Image : public Control {
 public:
  Image(Component* owner, std::string name);
  Picture& GetPicture() { return picture_; }
  const Picture& GetPicture() const { return picture_; }
  void SetPicture(Picture p);
  void ClearPicture();
  bool Stretch = false;
  // Resize the control to its picture (its own pixels) whenever one is set.
  bool AutoSize = false;
  // A picture reads the same way in every language.
  bool Mirrors() const override { return false; }

 protected:
  const char* OwnClassName() const override { return "WcImage"; }
  CreateParams Params() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  Picture picture_;
};

}  // namespace ui
