#pragma once
// The crop window (window name "SelectionForm"): a capture shown whole, on
// which the user drags the part to keep. "Save selection" copies what the
// window shows inside the band into the result bitmap the viewer supplied
// and marks the selection accepted; "Cancel selection" marks it refused.
#include <windows.h>

#include "capture/band.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/graphics.h"

namespace wc {

class TSelectionForm : public ui::Form {
 public:
  explicit TSelectionForm(ui::Application& app);

  // The viewer's side of a crop: the picture to show, the bitmap that takes
  // the selection and the flag set to 1 (saved) or 0 (cancelled).
  void SetPicture(ui::Picture picture);
  ui::Bitmap* Result = nullptr;
  int* SelectionAccepted = nullptr;

  // The band's corners and the final rectangle, in the window's client pixels.
  POINT Anchor() const { return {x1, y1}; }
  POINT Corner() const { return {x2, y2}; }
  RECT FinalRect() const { return final_; }
  static BandPattern& Pattern() { return pattern_; }

  void MyImageMouseDown(ui::Component& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void MyImageMouseMove(ui::Component& sender, ui::ShiftState shift, int x, int y);
  void MyImageMouseUp(ui::Component& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void Button1Click(ui::Component& sender);  // "Save selection"
  void Button2Click(ui::Component& sender);  // "Cancel selection"

  void DrawBand();
  void EraseBand();

  ui::Panel ToolBar1{this, "ToolBar1"};
  ui::Button Button1{this, "Button1"};
  ui::Button Button2{this, "Button2"};
  ui::Image MyImage{this, "MyImage"};

 private:
  // MyImage's place in the window's client pixels.
  RECT ImagePixels() const;
  // What the window shows, as a bitmap of its client area.
  ui::Bitmap Canvas() const;
  bool dragging_ = false;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  RECT final_{};
  static BandPattern pattern_;
};

}  // namespace wc
