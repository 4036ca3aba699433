#pragma once
// Which picture each monitor shows after the monitors changed: a sleep, a
// monitor plugged in or removed, a new arrangement or scale.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/random.h"

namespace wc {

// `paths` were shown on the monitors named by `shownOn` (device paths, in
// the same order). Gives a picture for each of `monitorsNow`: a monitor seen
// before gets its own picture back, wherever it lies now; a new one takes
// the picture of a monitor gone, else the pictures again from the first.
std::vector<std::string> PicturesForMonitors(const std::vector<std::string>& paths,
                                             const std::vector<std::string>& shownOn,
                                             const std::vector<std::string>& monitorsNow);
// The same choice as indices into the `shown` pictures (what goes with each
// picture, its style, follows it); empty when nothing was shown.
std::vector<size_t> ShownForMonitors(size_t shown, const std::vector<std::string>& shownOn,
                                     const std::vector<std::string>& monitorsNow);

// The next entry of a monitor's own source (another playlist, a folder)
// after `last`, or under shuffle one drawn at random: the first that
// `usable` takes and `preferred` likes, else the first usable one. Each
// entry is looked at once at most. Nothing when none is usable.
std::optional<size_t> NextEntryOfSource(size_t entries, int32_t last, bool shuffle, RandomGenerator& random,
                                        const std::function<bool(size_t)>& usable,
                                        const std::function<bool(size_t)>& preferred);

}  // namespace wc
