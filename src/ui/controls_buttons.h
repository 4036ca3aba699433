#pragma once
// Buttons: push buttons, check boxes, radio buttons and flat picture buttons.
#include <windows.h>

#include <string>

#include "ui/control.h"
#include "ui/graphics.h"

namespace ui {

class Button : public Control {
 public:
  Button(Component* owner, std::string name);
  // A dialog's modal result set when the button is clicked (0: none).
  int ModalResult = 0;
  void SetDefault(bool on);
  // A picture shown on the button (the button keeps its caption): the
  // program's icon resource at a size in layout units.
  void SetIcon(const char* resource, int size);
  HICON Icon() const { return icon_.Get(); }
  int IconPixels() const { return icon_ ? icon_.PixelSize() : 0; }
  void Click() override;

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  void DpiChanged() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  bool default_ = false;
  ScaledIcon icon_;
};

// What check boxes and radio buttons share: a BUTTON with a state that is
// kept here, so it survives the window being made again.
class CheckableButton : public Control {
 public:
  bool Checked() const { return checked_; }
  virtual void SetChecked(bool on) = 0;

 protected:
  CheckableButton(Component* owner, std::string name, DWORD buttonStyle);
  CreateParams Params() override;
  void HandleCreated() override;
  // Stores the state and shows it; false when it was already so.
  bool StoreChecked(bool on);

 private:
  DWORD buttonStyle_;
  bool checked_ = false;
};

class CheckBox : public CheckableButton {
 public:
  CheckBox(Component* owner, std::string name);
  // Changing the state runs OnClick, as a click by the user would.
  void SetChecked(bool on) override;

 protected:
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
};

class RadioButton : public CheckableButton {
 public:
  RadioButton(Component* owner, std::string name);
  // Checking unchecks the other radio buttons of the same container and runs
  // OnClick; unchecking runs nothing.
  void SetChecked(bool on) override;

 protected:
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
};

// A flat button with a picture and a caption, lit when the pointer is over it.
class SpeedButton : public Control {
 public:
  SpeedButton(Component* owner, std::string name);
  // The program's icon resource, at a size in layout units.
  void SetIcon(const char* resource, int size);
  HICON Icon() const { return icon_.Get(); }
  int IconPixels() const { return icon_ ? icon_.PixelSize() : 0; }
  // The width, in layout units, that shows the picture and the whole caption.
  int NeededWidth() const;

 protected:
  const char* OwnClassName() const override { return "WcSpeedButton"; }
  CreateParams Params() override;
  void DpiChanged() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  void Paint(HDC dc);
  ScaledIcon icon_;
  bool hot_ = false;
  bool pressed_ = false;
};

}  // namespace ui
