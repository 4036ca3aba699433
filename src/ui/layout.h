#pragma once
// Layout tables: where each control of a window sits, in pixels, relative to
// its container, with its caption. Creation order is table order, which is
// also the tab order. Behaviour never lives here.
#include <span>

namespace ui {

enum LayoutFlag : unsigned {
  lfHidden = 1,    // created invisible
  lfDisabled = 2,  // created disabled
};

struct LayoutItem {
  const char* name;    // the control's component name
  const char* parent;  // the container's name; "" for the window itself
  int left, top, width, height;
  const char* caption = "";
  unsigned flags = 0;
};

using Layout = std::span<const LayoutItem>;

}  // namespace ui
