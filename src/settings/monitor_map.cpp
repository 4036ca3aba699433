#include "settings/monitor_map.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "ui/handle.h"
#include "ui/wide_text.h"

namespace wc {

MonitorMap::MonitorMap(ui::Component* owner, std::string name) : Panel(owner, std::move(name)) {
  SetShowCaption(false);
}

void MonitorMap::SetMonitors(std::vector<Box> boxes) {
  boxes_ = std::move(boxes);
  if (chosen_ >= int(boxes_.size())) chosen_ = boxes_.empty() ? -1 : 0;
  Invalidate();
}

void MonitorMap::SetChosen(int index) {
  chosen_ = index >= 0 && index < int(boxes_.size()) ? index : -1;
  Invalidate();
}

std::vector<RECT> MonitorMap::PlacedBoxes() const {
  std::vector<RECT> placed;
  if (boxes_.empty() || !Handle()) return placed;
  RECT client{};
  GetClientRect(Handle(), &client);
  RECT all = boxes_[0].area;
  for (const Box& b : boxes_) UnionRect(&all, &all, &b.area);
  const double width = double(all.right - all.left), height = double(all.bottom - all.top);
  if (width <= 0 || height <= 0) return placed;
  // One scale for both directions, so each box keeps its monitor's shape;
  // the whole drawing centred with a margin.
  const int margin = 6;
  const double room = std::max(1.0, double(client.right - 2 * margin));
  const double roomHigh = std::max(1.0, double(client.bottom - 2 * margin));
  const double scale = std::min(room / width, roomHigh / height);
  const double left = (client.right - width * scale) / 2, top = (client.bottom - height * scale) / 2;
  for (const Box& b : boxes_) {
    RECT r{LONG(std::lround(left + (b.area.left - all.left) * scale)),
           LONG(std::lround(top + (b.area.top - all.top) * scale)),
           LONG(std::lround(left + (b.area.right - all.left) * scale)),
           LONG(std::lround(top + (b.area.bottom - all.top) * scale))};
    // Monitors that touch are drawn a pixel apart.
    InflateRect(&r, -1, -1);
    placed.push_back(r);
  }
  return placed;
}

void MonitorMap::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const std::vector<RECT> placed = PlacedBoxes();
  ui::SelectGuard font(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  for (size_t k = 0; k < placed.size(); ++k) {
    RECT r = placed[k];
    const bool chosen = int(k) == chosen_;
    FillRect(dc, &r, GetSysColorBrush(chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    ::SetTextColor(dc, GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring text = ui::Widen(boxes_[k].label);
    // The lines centred in the box, cut at its edges.
    RECT measured = r;
    DrawTextW(dc, text.c_str(), -1, &measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    RECT inside = r;
    inside.top = std::max(r.top, r.top + ((r.bottom - r.top) - (measured.bottom - measured.top)) / 2);
    DrawTextW(dc, text.c_str(), -1, &inside, DT_CENTER | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
}

LRESULT MonitorMap::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_LBUTTONDOWN) {
    const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    const std::vector<RECT> placed = PlacedBoxes();
    for (size_t k = 0; k < placed.size(); ++k) {
      if (PtInRect(&placed[k], at) && int(k) != chosen_) {
        SetChosen(int(k));
        ui::Raise(OnChange, *this);
        break;
      }
    }
  }
  return Panel::WndProc(msg, w, l);
}

}  // namespace wc
