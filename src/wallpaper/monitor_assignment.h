#pragma once
// Which picture each monitor shows after the monitors changed: a sleep, a
// monitor plugged in or removed, a new arrangement or scale.
#include <string>
#include <vector>

namespace wc {

// `paths` were shown on the monitors named by `shownOn` (device paths, in
// the same order). Gives a picture for each of `monitorsNow`: a monitor seen
// before gets its own picture back, wherever it lies now; a new one takes
// the picture of a monitor gone, else the pictures again from the first.
std::vector<std::string> PicturesForMonitors(const std::vector<std::string>& paths,
                                             const std::vector<std::string>& shownOn,
                                             const std::vector<std::string>& monitorsNow);

}  // namespace wc
