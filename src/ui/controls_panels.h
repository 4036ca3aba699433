#pragma once
// Containers and frames: group boxes, panels and bevels.
#include <windows.h>

#include <string>

#include "ui/control.h"

namespace ui {

// A container's answer to WM_ERASEBKGND: its whole client area in the
// dialog colour. Returns the message's result (1: erased).
LRESULT EraseToButtonFace(HWND window, HDC dc);

class GroupBox : public Control {
 public:
  GroupBox(Component* owner, std::string name);

 protected:
  CreateParams Params() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
};

enum class BevelKind { None, Raised, Lowered };

// A plain container with an optional bevel and a centred caption.
class Panel : public Control {
 public:
  Panel(Component* owner, std::string name);
  void SetBevel(BevelKind outer) {
    bevel_ = outer;
    Invalidate();
  }
  BevelKind Bevel() const { return bevel_; }
  void SetColor(COLORREF c);
  COLORREF Color() const { return color_; }
  void SetShowCaption(bool on) { showCaption_ = on; }

 protected:
  const char* OwnClassName() const override { return "WcPanel"; }
  CreateParams Params() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
  virtual void Paint(HDC dc, const RECT& rc);

 private:
  BevelKind bevel_ = BevelKind::None;
  COLORREF color_ = CLR_INVALID;  // CLR_INVALID: the dialog colour
  bool showCaption_ = true;
};

enum class BevelShape { Box, Frame, TopLine };

// A sunken frame; it draws nothing else and takes no input.
class Bevel : public Control {
 public:
  Bevel(Component* owner, std::string name);
  BevelShape Shape = BevelShape::Box;

 protected:
  const char* OwnClassName() const override { return "WcBevel"; }
  CreateParams Params() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
};

}  // namespace ui
