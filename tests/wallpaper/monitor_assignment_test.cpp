#include "wallpaper/monitor_assignment.h"

#include <gtest/gtest.h>

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
