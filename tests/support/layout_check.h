#pragma once
// Checks of a window as the user sees it: every caption fits its control,
// measured with the control's own font, and no two controls side by side in
// one container overlap. Also a count of the process's GUI objects, for
// tests that look for leaks.
#include <string>
#include <vector>

#include "ui/form.h"

namespace wc::test {

// One line per fault ("MainForm.modeautomatic: text 301 px in 287 px"); none
// when the window is right.
std::vector<std::string> LayoutFaults(ui::Form& form);

// A figure that grows with every GDI and USER object the process keeps
// alive: GetGuiResources where the system counts them; under Wine, which
// does not, the slot numbers of fresh objects (slots are reused, so they
// only climb while objects leak).
long GuiObjectMark();

}  // namespace wc::test
