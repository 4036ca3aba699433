#include "wallpaper/monitor_assignment.h"

#include <gtest/gtest.h>

#include <set>

namespace wc {
namespace {

using Paths = std::vector<std::string>;

TEST(PicturesForMonitors, EachMonitorKeepsItsPictureThroughAnyChangeOfLayout) {
  const Paths paths{"a.jpg", "b.jpg"};
  const Paths shownOn{"\\\\?\\DISPLAY#ONE", "\\\\?\\DISPLAY#TWO"};
  // The same monitors, now in the other order (moved, or the primary changed).
  EXPECT_EQ(PicturesForMonitors(paths, shownOn, {"\\\\?\\DISPLAY#TWO", "\\\\?\\DISPLAY#ONE"}),
            (Paths{"b.jpg", "a.jpg"}));
  // One removed: the other keeps its own.
  EXPECT_EQ(PicturesForMonitors(paths, shownOn, {"\\\\?\\DISPLAY#TWO"}), (Paths{"b.jpg"}));
  // One replaced by a monitor never seen: it takes the picture of the one gone.
  EXPECT_EQ(PicturesForMonitors(paths, shownOn, {"\\\\?\\DISPLAY#NEW", "\\\\?\\DISPLAY#ONE"}),
            (Paths{"b.jpg", "a.jpg"}));
  // More monitors than pictures: the pictures again from the first.
  EXPECT_EQ(PicturesForMonitors(paths, shownOn, {"\\\\?\\DISPLAY#ONE", "X", "\\\\?\\DISPLAY#TWO", "Y"}),
            (Paths{"a.jpg", "a.jpg", "b.jpg", "b.jpg"}));
}

TEST(PicturesForMonitors, MonitorsWithoutANameOrAPictureForEveryoneAreHandedOutInOrder) {
  // One picture for every monitor (Fill or Fit on each, Span): no names kept.
  EXPECT_EQ(PicturesForMonitors({"one.jpg"}, {}, {"A", "B", "C"}), (Paths{"one.jpg", "one.jpg", "one.jpg"}));
  // A monitor whose system gives no name is never taken for another.
  EXPECT_EQ(PicturesForMonitors({"a", "b"}, {"", ""}, {"", ""}), (Paths{"a", "b"}));
  EXPECT_EQ(PicturesForMonitors({}, {}, {"A"}), (Paths{""}));
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

// A monitor's own source: the entry after the last one shown, round to the
// first; what the monitor cannot show is passed over, and a preferred one
// (the monitor's shape) wins over an earlier usable one.
TEST(NextEntryOfSource, GoesOnAfterTheLastAndPrefersWithoutLosingTheUsable) {
  RandomGenerator random;
  const auto all = [](size_t) { return true; };
  EXPECT_EQ(NextEntryOfSource(4, 1, false, random, all, all), 2u);
  EXPECT_EQ(NextEntryOfSource(4, 3, false, random, all, all), 0u);
  EXPECT_EQ(NextEntryOfSource(4, 17, false, random, all, all), 0u) << "a stored index past the end";
  EXPECT_EQ(NextEntryOfSource(4, -1, false, random, all, all), 0u);
  EXPECT_EQ(NextEntryOfSource(0, -1, false, random, all, all), std::nullopt);
  const auto notTwo = [](size_t k) { return k != 2; };
  EXPECT_EQ(NextEntryOfSource(4, 1, false, random, notTwo, all), 3u);
  const auto onlyOne = [](size_t k) { return k == 1; };
  EXPECT_EQ(NextEntryOfSource(4, 1, false, random, all, onlyOne), 1u) << "round to the preferred one";
  EXPECT_EQ(NextEntryOfSource(4, 1, false, random, notTwo, [](size_t) { return false; }), 3u);
  EXPECT_EQ(NextEntryOfSource(4, 1, false, random, [](size_t) { return false; }, all), std::nullopt);
  // Shuffled, each entry is drawn once at most: the one usable entry is
  // always found, and the draws cover the source.
  std::set<size_t> drawn;
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(NextEntryOfSource(50, 3, true, random, onlyOne, all), 1u);
    drawn.insert(*NextEntryOfSource(50, 3, true, random, all, all));
  }
  EXPECT_GT(drawn.size(), 40u);
}

}  // namespace
}  // namespace wc
