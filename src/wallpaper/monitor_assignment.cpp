#include "wallpaper/monitor_assignment.h"

#include <utility>

namespace wc {

std::vector<size_t> ShownForMonitors(size_t shown, const std::vector<std::string>& shownOn,
                                     const std::vector<std::string>& monitorsNow) {
  if (shown == 0) return {};
  constexpr size_t kNone = SIZE_MAX;
  std::vector<size_t> each(monitorsNow.size(), kNone);
  std::vector<bool> taken(shown, false);
  // A monitor still there keeps its picture, wherever it lies now.
  for (size_t m = 0; m < monitorsNow.size(); ++m) {
    for (size_t k = 0; k < shown && k < shownOn.size(); ++k) {
      if (!taken[k] && !monitorsNow[m].empty() && shownOn[k] == monitorsNow[m]) {
        each[m] = k;
        taken[k] = true;
        break;
      }
    }
  }
  // A new monitor takes first the pictures of monitors gone, then the
  // pictures again from the first.
  size_t next = 0, again = 0;
  for (size_t& k : each) {
    if (k != kNone) continue;
    while (next < shown && taken[next]) ++next;
    if (next < shown) {
      taken[next] = true;
      k = next;
    } else {
      k = again++ % shown;
    }
  }
  return each;
}

std::vector<std::string> PicturesForMonitors(const std::vector<std::string>& paths,
                                             const std::vector<std::string>& shownOn,
                                             const std::vector<std::string>& monitorsNow) {
  const std::vector<size_t> shown = ShownForMonitors(paths.size(), shownOn, monitorsNow);
  if (shown.empty()) return std::vector<std::string>(monitorsNow.size());
  std::vector<std::string> each;
  for (size_t k : shown) each.push_back(paths[k]);
  return each;
}

std::optional<size_t> NextEntryOfSource(size_t entries, int32_t last, bool shuffle, RandomGenerator& random,
                                        const std::function<bool(size_t)>& usable,
                                        const std::function<bool(size_t)>& preferred) {
  if (entries == 0) return std::nullopt;
  // The entries after the last one shown, wrapping round; under shuffle
  // the same entries in an order drawn as it goes.
  std::vector<size_t> order;
  order.reserve(entries);
  const size_t start = last < 0 || size_t(last) >= entries ? 0 : size_t(last) + 1;
  for (size_t k = 0; k < entries; ++k) order.push_back((start + k) % entries);
  std::optional<size_t> fallback;
  for (size_t i = 0; i < order.size(); ++i) {
    if (shuffle) std::swap(order[i], order[i + random.Next(uint32_t(order.size() - i))]);
    const size_t entry = order[i];
    if (!usable(entry)) continue;
    if (preferred(entry)) return entry;
    if (!fallback) fallback = entry;
  }
  return fallback;
}

}  // namespace wc
