#include "capture/capture_object_form.h"

#include <map>

#include "ui/application.h"
#include "ui/binding.h"

namespace wc {

namespace {

std::map<int, HCURSOR>& CursorTable() {
  static std::map<int, HCURSOR> table;
  return table;
}

}  // namespace

void SetProgramCursor(int id, HCURSOR cursor) {
  if (cursor) {
    CursorTable()[id] = cursor;
  } else {
    CursorTable().erase(id);
  }
}

HCURSOR ProgramCursor(int id) {
  auto it = CursorTable().find(id);
  return it == CursorTable().end() ? nullptr : it->second;
}

namespace {

// What the window runs (it has no layout table).
const ui::Binding<TCaptureObjectForm> kBindings[] = {
    {"", ui::Event::Activate, &TCaptureObjectForm::FormActivate},
};

}  // namespace

TCaptureObjectForm::TCaptureObjectForm(ui::Application& app)
    : TScreenOverlay(app, "CaptureObjectForm", "Capture Object") {
  TakeHandCursor();
  CoverScreen();
  // Paints nothing and erases nothing: the screen stays visible beneath.
  OnPaint = [](HDC) {};
  ui::Bind(*this, kBindings);
  OnMouseUp = [this](ui::Component& s, ui::MouseButton b, ui::ShiftState sh, int x, int y) { FormMouseUp(s, b, sh, x, y); };
}

TCaptureObjectForm::~TCaptureObjectForm() {
  // The application's cursor goes back to the default.
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

void TCaptureObjectForm::TakeHandCursor() {
  // A shared resource cursor: the system keeps it, nobody destroys it.
  cursor_ = LoadCursorA(GetModuleHandleA(nullptr), "CURSOR_1");
  if (cursor_) SetProgramCursor(kHandCursor, cursor_);
  if (!cursor_) cursor_ = LoadCursor(nullptr, IDC_HAND);
}

void TCaptureObjectForm::FormActivate(ui::Component&) {
  TakeHandCursor();
  SetCursor(cursor_);
}

void TCaptureObjectForm::FormMouseUp(ui::Component&, ui::MouseButton, ui::ShiftState, int, int) {
  SetModalResult(ui::mrOk);
}

}  // namespace wc
