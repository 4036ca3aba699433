#include "playlist/rotation_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace wc {
namespace {

TEST(AdvanceIndexTest, WrapsAfterTheLastRow) {
  std::vector<int32_t> shown;
  int32_t index = 0;
  for (int i = 0; i < 5; ++i) shown.push_back(index = AdvanceIndex(index, 3));
  EXPECT_EQ(shown, (std::vector<int32_t>{1, 2, 0, 1, 2}));
  EXPECT_EQ(AdvanceIndex(0, 1), 0);
  EXPECT_EQ(AdvanceIndex(7, 3), 0);  // beyond the list
  EXPECT_EQ(AdvanceIndex(0, 0), 0);
  EXPECT_EQ(AdvanceIndex(-1, 3), 0);
  EXPECT_EQ(AdvanceIndex(-9, 3), 0);
  EXPECT_EQ(AdvanceIndex(INT32_MAX, INT32_MAX), 0);
  EXPECT_EQ(AdvanceIndex(INT32_MAX - 2, INT32_MAX), INT32_MAX - 1);
}

TEST(PreviousIndexTest, WrapsBeforeTheFirstRow) {
  EXPECT_EQ(PreviousIndex(0, 4), 3);
  EXPECT_EQ(PreviousIndex(3, 4), 2);
  EXPECT_EQ(PreviousIndex(1, 4), 0);
  EXPECT_EQ(PreviousIndex(0, 1), 0);
  EXPECT_EQ(PreviousIndex(0, 0), 0);
  EXPECT_EQ(PreviousIndex(9, 4), 3);
  EXPECT_EQ(PreviousIndex(INT32_MIN, 4), 3);
}

TEST(TimerIntervalTest, UnitsAndValues) {
  EXPECT_EQ(SecondsPerUnit(0), 1u);
  EXPECT_EQ(SecondsPerUnit(1), 60u);
  EXPECT_EQ(SecondsPerUnit(2), 3600u);
  EXPECT_EQ(SecondsPerUnit(3), 86400u);
  EXPECT_EQ(SecondsPerUnit(4), 0u);
  EXPECT_EQ(SecondsPerUnit(-1), 0u);

  EXPECT_EQ(TimerIntervalMs(1, 5), 300000u);
  EXPECT_EQ(TimerIntervalMs(3, 1), 86400000u);
  EXPECT_EQ(TimerIntervalMs(0, 30), 30000u);
  for (int unit = 0; unit < 4; ++unit) EXPECT_EQ(TimerIntervalMs(unit, 0), 0u) << "unit " << unit;
  EXPECT_EQ(TimerIntervalMs(-1, 10), 0u);  // no unit chosen: never fires
  EXPECT_EQ(TimerIntervalMs(9, 10), 0u);
}

TEST(TimerIntervalTest, NoWrapIntoShortIntervals) {
  EXPECT_EQ(TimerIntervalMs(3, 24), 2073600000u);
  EXPECT_EQ(TimerIntervalMs(3, 25), std::nullopt);  // 2,160,000,000 ms
  EXPECT_EQ(TimerIntervalMs(3, 50), std::nullopt);  // would wrap to a few seconds in 32 bits
  EXPECT_EQ(TimerIntervalMs(2, 596), 2145600000u);
  EXPECT_EQ(TimerIntervalMs(2, 597), std::nullopt);
  EXPECT_EQ(TimerIntervalMs(0, 2147483), 2147483000u);
  EXPECT_EQ(TimerIntervalMs(0, 2147484), std::nullopt);
  EXPECT_EQ(TimerIntervalMs(1, -1), std::nullopt);
  EXPECT_EQ(TimerIntervalMs(0, INT64_MAX), std::nullopt);
  EXPECT_EQ(TimerIntervalMs(0, INT64_MIN), std::nullopt);
}

TEST(TimerIntervalTest, MaxValueIsTheLastThatFits) {
  for (int unit = 0; unit < 4; ++unit) {
    const int64_t max = MaxIntervalValue(unit);
    EXPECT_TRUE(TimerIntervalMs(unit, max).has_value()) << "unit " << unit;
    EXPECT_FALSE(TimerIntervalMs(unit, max + 1).has_value()) << "unit " << unit;
  }
  EXPECT_EQ(MaxIntervalValue(3), 24);
  EXPECT_EQ(MaxIntervalValue(7), INT32_MAX);
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

TEST(FirstRowNotPassedOverTest, GoesRoundInItsDirectionAndGivesUpAfterOneRound) {
  const auto excluded = [](std::vector<int32_t> rows) {
    return [rows](int32_t r) { return std::find(rows.begin(), rows.end(), r) != rows.end(); };
  };
  EXPECT_EQ(FirstRowNotPassedOver(2, 5, +1, excluded({})), 2);
  EXPECT_EQ(FirstRowNotPassedOver(3, 5, +1, excluded({3, 4})), 0);
  EXPECT_EQ(FirstRowNotPassedOver(1, 5, -1, excluded({0, 1, 4})), 3);
  EXPECT_EQ(FirstRowNotPassedOver(9, 5, +1, excluded({0})), 1) << "a row outside the list starts at the first";
  int asked = 0;
  EXPECT_EQ(FirstRowNotPassedOver(0, 4, +1, [&](int32_t) { return ++asked, true; }), std::nullopt);
  EXPECT_EQ(asked, 4) << "each row once";
  EXPECT_EQ(FirstRowNotPassedOver(0, 0, +1, excluded({})), std::nullopt);
}

}  // namespace
}  // namespace wc
