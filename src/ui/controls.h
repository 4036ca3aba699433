#pragma once
// The standard controls, each a thin wrapper over its system control class.
#include <windows.h>

#include <cstdint>
#include <array>
#include <span>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/graphics.h"

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

class Edit : public Control {
 public:
  Edit(Component* owner, std::string name);
  std::string Text() const;
  void SetText(const std::string& text);
  void SetReadOnly(bool on);
  void SetMaxLength(int n);
  void SelectAll();
  // Only digits and a minus sign can be typed.
  void SetNumeric(bool on) { numeric_ = on; }
  NotifyEvent OnChange;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Change ? &OnChange : Control::EventSlot(e); }

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

 private:
  bool readOnly_ = false;
  int maxLength_ = 0;
  bool numeric_ = false;
  std::string pending_;  // text set before the window exists
};

// A whole number in an edit field with up and down arrows. MinValue and
// MaxValue both 0 mean no limits.
class SpinEdit : public Control {
 public:
  SpinEdit(Component* owner, std::string name);
  int32_t Value() const;  // text that is no number counts as MinValue
  void SetValue(int32_t v);
  int32_t MinValue = 0;
  int32_t MaxValue = 0;
  void SetLimits(int32_t minValue, int32_t maxValue);
  std::string Text() const { return edit_.Text(); }
  void SetText(const std::string& t) { edit_.SetText(t); }
  NotifyEvent OnChange;
  NotifyEvent* EventSlot(Event e) override { return e == Event::Change ? &OnChange : Control::EventSlot(e); }

 protected:
  const char* OwnClassName() const override { return "WcSpinEdit"; }
  CreateParams Params() override;
  void HandleCreated() override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  int32_t Clamp(int64_t v) const;
  Edit edit_;
  HWND updown_ = nullptr;
};

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

class ListBox : public Control {
 public:
  ListBox(Component* owner, std::string name);
  void SetMultiSelect(bool on) { multiSelect_ = on; }

  int Count() const;
  std::string Item(int i) const;
  std::vector<std::string> Items() const;
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& text);
  // Many rows at the end at once, drawn once.
  void AddItems(const std::vector<std::string>& texts);
  void InsertItem(int i, const std::string& text);
  void DeleteItem(int i);
  void SetItem(int i, const std::string& text);
  void Exchange(int i, int j);
  void Clear();
  // Makes room for this many more rows, in steps that grow with the list.
  void Reserve(size_t more);
  // Stops redrawing while many rows change. The rows are shown again at the
  // last EndUpdate, or a little later when they were shown only just before:
  // a long fill in many small steps is then drawn a few times a second
  // rather than after every step.
  void BeginUpdate();
  void EndUpdate();
  // BeginUpdate for a scope: EndUpdate comes however the scope is left.
  // `on` false makes it do nothing.
  class UpdateGuard {
   public:
    explicit UpdateGuard(ListBox& list, bool on = true) : list_(on ? &list : nullptr) {
      if (list_) list_->BeginUpdate();
    }
    ~UpdateGuard() {
      if (list_) list_->EndUpdate();
    }
    UpdateGuard(const UpdateGuard&) = delete;
    UpdateGuard& operator=(const UpdateGuard&) = delete;

   private:
    ListBox* list_;
  };

  int ItemIndex() const;
  void SetItemIndex(int i);
  bool Selected(int i) const;
  void SetSelected(int i, bool on);
  int SelCount() const;

  // OnClick runs when the user changes the selection, OnDblClick on a double click.

 protected:
  CreateParams Params() override;
  void HandleCreated() override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;

 private:
  void CheckIndex(int i) const;
  void Redraw();
  // Widens the horizontal scroll range to the widest of these rows, so a
  // row longer than the box (a long path) can be scrolled into view.
  void FitWidthTo(std::span<const std::string> rows);
  void ResetWidth();
  void DpiChanged() override;
  bool multiSelect_ = false;
  int widest_ = 0;  // pixels of the widest row added since the list was empty
  std::array<int, 128> asciiWidths_{};  // the font's ASCII advances, once read
  bool asciiWidthsRead_ = false;
  int updating_ = 0;
  bool redrawPending_ = false;  // drawing is off until the redraw timer fires
  DWORD lastRedraw_ = 0;
};

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
