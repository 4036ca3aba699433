#include "wallpaper/monitor_assignment.h"

namespace wc {

std::vector<std::string> PicturesForMonitors(const std::vector<std::string>& paths,
                                             const std::vector<std::string>& shownOn,
                                             const std::vector<std::string>& monitorsNow) {
  std::vector<std::string> each(monitorsNow.size());
  std::vector<bool> taken(paths.size(), false);
  // A monitor still there keeps its picture, wherever it lies now.
  for (size_t m = 0; m < monitorsNow.size(); ++m) {
    for (size_t k = 0; k < paths.size() && k < shownOn.size(); ++k) {
      if (!taken[k] && !monitorsNow[m].empty() && shownOn[k] == monitorsNow[m]) {
        each[m] = paths[k];
        taken[k] = true;
        break;
      }
    }
  }
  // A new monitor takes first the pictures of monitors gone, then the
  // pictures again from the first.
  size_t next = 0, again = 0;
  for (std::string& path : each) {
    if (!path.empty()) continue;
    while (next < paths.size() && taken[next]) ++next;
    if (next < paths.size()) {
      taken[next] = true;
      path = paths[next];
    } else if (!paths.empty()) {
      path = paths[again++ % paths.size()];
    }
  }
  return each;
}

}  // namespace wc
