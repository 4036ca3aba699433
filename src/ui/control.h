#pragma once
// The base of every control: a child window that is also a named component.
//
// A control is declared as a member of its window and created later, inside
// its parent, from the window's layout table (layout.h). Caption, hint,
// visibility and enabled state are kept in the object as well, so they can be
// read and set before and after the window exists.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/events.h"
#include "ui/window.h"

namespace ui {

class Form;

struct FontStyle {
  bool bold = false;
  bool underline = false;
  int height = 0;  // character height in layout units; 0: the system's message font
  bool operator==(const FontStyle&) const = default;
};
// The font of this style at this scale (kept by the layer).
HFONT FontFor(const FontStyle& style, int dpi);

class Control : public Window, public Component {
 public:
  Control(Component* owner, std::string name);
  ~Control() override;

  // Creates the window inside `parent` (a container control) or, with
  // parent == nullptr, directly on `form`.
  void CreateIn(Form& form, Control* parent, RECT bounds, const std::string& caption);

  Control* Parent() const { return parent_; }
  Form* ParentForm() const { return form_; }
  const std::vector<Control*>& Children() const { return children_; }

  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& text);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& text);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool on);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  // Enabled and every container above it enabled too.
  bool EffectivelyEnabled() const;

  // Position and size in layout units (see dpi.h), whatever the scale.
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

  void SetFontStyle(const FontStyle& style);
  HFONT Font() const;
  // The caption's width on one line with the control's font, in layout
  // units rounded up (access-key marks take no room).
  int CaptionWidth() const;

  // The scale of the window the control sits in, and a length in layout
  // units at that scale: for controls that draw themselves.
  int Dpi() const;
  int Scale(int layout) const;
  // Moves the window to its bounds at the window's present scale, with the
  // font of that scale; the form calls it when its scale changes.
  void ApplyDpi();
  void SetTextColor(COLORREF color);  // CLR_INVALID: the system's
  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }

  void Invalidate();
  void Repaint();
  void SetFocus();

  NotifyEvent OnClick;
  NotifyEvent OnDblClick;
  NotifyEvent* EventSlot(Event e) override;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;
  MouseMoveEvent OnMouseMove;

  // Runs the click event as if the user had clicked.
  virtual void Click();

  // Takes the mirroring style of a window laid out from right to left, or
  // loses it; a control that shows a picture as it is keeps left to right.
  void ApplyDirection(bool rightToLeft);
  virtual bool Mirrors() const { return true; }

 protected:
  // What window to make; the base gives a child window of our own class.
  virtual CreateParams Params();
  virtual const char* OwnClassName() const { return "WcControl"; }
  // After the window exists: push the stored state into it.
  virtual void HandleCreated() {}
  // The scale changed after the window was made (pictures of the right size).
  virtual void DpiChanged() {}

  LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override;
  bool HandleReflected(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
  void HandleDestroyed() override;

  // Controls that get no mouse messages of their own (system controls deal
  // with them) set this to false.
  bool reportMouse_ = true;
  COLORREF textColor_ = CLR_INVALID;

 private:
  void ApplyEnabled();
  void SyncTool();

  Form* form_ = nullptr;
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  std::string caption_;
  std::string hint_;
  bool showHint_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  RECT bounds_{};
  FontStyle font_{};
  HCURSOR cursor_ = nullptr;
};

}  // namespace ui
