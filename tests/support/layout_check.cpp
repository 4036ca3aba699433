#include "layout_check.h"

#include <windows.h>

#include <algorithm>

#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/handle.h"
#include "ui/wide_text.h"

namespace wc::test {

namespace {

SIZE TextExtent(HWND hwnd, const std::string& text) {
  ui::WindowDC dc(hwnd);
  auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
  ui::SelectGuard keep(dc.get(), font);
  std::wstring wide = ui::Widen(text);
  // What the user reads: "&" marks the access key and takes no room.
  wide.erase(std::remove(wide.begin(), wide.end(), L'&'), wide.end());
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), wide.c_str(), int(wide.size()), &size);
  return size;
}

// Room the control itself takes beside its text, in pixels.
int Chrome(const ui::Control& c) {
  const int dpi = c.Dpi();
  if (dynamic_cast<const ui::CheckableButton*>(&c)) {
    return ui::SystemMetricForDpi(SM_CXMENUCHECK, dpi) + ui::ScaleToDpi(4, dpi);
  }
  if (auto* b = dynamic_cast<const ui::Button*>(&c)) return b->IconPixels() + ui::ScaleToDpi(8, dpi);
  if (auto* s = dynamic_cast<const ui::SpeedButton*>(&c)) {
    return (s->Icon() ? s->IconPixels() + ui::ScaleToDpi(5, dpi) : 0) + ui::ScaleToDpi(6 + 4, dpi);
  }
  if (dynamic_cast<const ui::GroupBox*>(&c)) return ui::ScaleToDpi(16, dpi);
  return 0;
}

bool HasCaptionToMeasure(const ui::Control& c) {
  if (c.Caption().empty()) return false;
  return dynamic_cast<const ui::Label*>(&c) || dynamic_cast<const ui::Button*>(&c) ||
         dynamic_cast<const ui::CheckableButton*>(&c) || dynamic_cast<const ui::GroupBox*>(&c) ||
         dynamic_cast<const ui::SpeedButton*>(&c) || dynamic_cast<const ui::Panel*>(&c);
}

void CheckCaption(ui::Control& c, const std::string& who, std::vector<std::string>& faults) {
  RECT client{};
  GetClientRect(c.Handle(), &client);
  const LONG style = GetWindowLongA(c.Handle(), GWL_STYLE);
  const bool label = dynamic_cast<ui::Label*>(&c) != nullptr;
  // A label that shortens what does not fit with "..." never cuts silently.
  if (label && (style & SS_ELLIPSISMASK)) return;
  const bool wraps = label ? (style & SS_TYPEMASK) == SS_LEFT
                           : dynamic_cast<ui::CheckableButton*>(&c) && (style & BS_MULTILINE);
  if (wraps) {
    // Text that wraps: its lines must fit the height.
    ui::WindowDC dc(c.Handle());
    ui::SelectGuard keep(dc.get(), reinterpret_cast<HFONT>(SendMessageA(c.Handle(), WM_GETFONT, 0, 0)));
    RECT r{0, 0, client.right - Chrome(c), 0};
    std::wstring wide = ui::Widen(c.Caption());
    DrawTextW(dc.get(), wide.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
    if (r.right > client.right - Chrome(c)) {
      faults.push_back(who + ": a word " + std::to_string(r.right) + " px wide in " +
                       std::to_string(client.right - Chrome(c)) + " px");
    }
    if (r.bottom > client.bottom) {
      faults.push_back(who + ": wrapped text " + std::to_string(r.bottom) + " px high in " +
                       std::to_string(client.bottom) + " px");
    }
    return;
  }
  SIZE text = TextExtent(c.Handle(), c.Caption());
  int room = client.right - Chrome(c);
  if (text.cx > room) {
    faults.push_back(who + ": text " + std::to_string(text.cx) + " px in " + std::to_string(room) + " px");
  }
  if (!dynamic_cast<ui::GroupBox*>(&c) && text.cy > client.bottom) {
    faults.push_back(who + ": text " + std::to_string(text.cy) + " px high in " + std::to_string(client.bottom) + " px");
  }
}

// Shown once its window is: the control and every container up to the window.
bool Shown(const ui::Control& c) {
  for (HWND h = c.Handle(); h && (GetWindowLongA(h, GWL_STYLE) & WS_CHILD); h = GetParent(h)) {
    if (!(GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE)) return false;
  }
  return c.Handle() != nullptr;
}

// Frames drawn around other controls overlap them on purpose.
bool IsFrame(const ui::Control& c) { return dynamic_cast<const ui::Bevel*>(&c) != nullptr; }

}  // namespace

std::vector<std::string> LayoutFaults(ui::Form& form) {
  std::vector<std::string> faults;
  std::vector<ui::Control*> controls;
  std::vector<ui::Component*> todo(form.Components().begin(), form.Components().end());
  while (!todo.empty()) {
    ui::Component* next = todo.back();
    todo.pop_back();
    todo.insert(todo.end(), next->Components().begin(), next->Components().end());
    if (auto* c = dynamic_cast<ui::Control*>(next); c && c->Handle()) controls.push_back(c);
  }
  for (ui::Control* c : controls) {
    if (Shown(*c) && HasCaptionToMeasure(*c)) CheckCaption(*c, form.Name() + "." + c->Name(), faults);
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    for (size_t j = i + 1; j < controls.size(); ++j) {
      ui::Control& a = *controls[i];
      ui::Control& b = *controls[j];
      if (GetParent(a.Handle()) != GetParent(b.Handle()) || !Shown(a) || !Shown(b) || IsFrame(a) || IsFrame(b)) continue;
      RECT ra{}, rb{}, both{};
      GetWindowRect(a.Handle(), &ra);
      GetWindowRect(b.Handle(), &rb);
      if (IntersectRect(&both, &ra, &rb)) faults.push_back(form.Name() + ": " + a.Name() + " overlaps " + b.Name());
    }
  }
  return faults;
}

long GuiObjectMark() {
  HANDLE self = GetCurrentProcess();
  long counted = long(GetGuiResources(self, GR_GDIOBJECTS) + GetGuiResources(self, GR_USEROBJECTS));
  if (counted > 0) return counted;
  // Wine hands out free slots first, the last freed first, and new slots
  // above all others only when none is free. Taking more objects than there
  // can be free slots shows the top: live objects plus what was taken.
  auto slot = [](const void* h) { return long(reinterpret_cast<uintptr_t>(h) & 0xFFFF); };
  long top = 0;
  {
    std::vector<ui::BrushHandle> brushes;
    for (int i = 0; i < 3000; ++i) brushes.emplace_back(CreateSolidBrush(COLORREF(i)));
    for (const auto& b : brushes) top = std::max(top, slot(b.get()));
  }
  long topIcon = 0;
  {
    BYTE andMask[4 * 2] = {}, xorMask[4 * 2] = {};
    std::vector<ui::IconHandle> icons;
    for (int i = 0; i < 1000; ++i) icons.emplace_back(CreateIcon(nullptr, 2, 2, 1, 1, andMask, xorMask));
    for (const auto& icon : icons) topIcon = std::max(topIcon, slot(icon.get()));
  }
  return top + topIcon;
}

}  // namespace wc::test
