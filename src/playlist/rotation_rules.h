#pragma once
// Index stepping and timer intervals of the wallpaper rotation. The interval
// is unit seconds x value x 1000 ms; unlike a bare 32-bit product it never
// wraps into a short interval: values that do not fit are refused.

#include <cstdint>
#include <functional>
#include <optional>

namespace wc {

// The row after current, or 0 when current is the last row or beyond it
// (also 0 for a negative index and for an empty list).
int32_t AdvanceIndex(int32_t current, int32_t rows);

// The row before current; row 0 wraps to the last row. An index outside
// 0 .. rows-1 also goes to the last row, and an empty list gives 0.
int32_t PreviousIndex(int32_t current, int32_t rows);

// `row` itself, or the first row after it going `step` (+1 or -1) round
// the list, that `passOver` does not turn down; nullopt when it turns down
// every row or the list is empty. A row outside the list starts at row 0.
std::optional<int32_t> FirstRowNotPassedOver(int32_t row, int32_t rows, int step,
                                             const std::function<bool(int32_t)>& passOver);

// Seconds per unit of the unit list: 0 seconds, 1 minutes, 2 hours, 3 days;
// any other index 0.
uint32_t SecondsPerUnit(int unitIndex);

// Largest millisecond count a Windows timer accepts (USER_TIMER_MAXIMUM).
inline constexpr int64_t kMaxTimerIntervalMs = 0x7FFFFFFF;

// The rotation timer's interval in ms. 0 means the timer never fires (a value
// of 0, or an unknown unit). A negative value or an interval above
// kMaxTimerIntervalMs gives nullopt; the caller treats that as "never" and
// tells the user.
std::optional<uint32_t> TimerIntervalMs(int unitIndex, int64_t value);

// The largest value whose interval still fits, for limiting the value box
// (24 for days). Unknown units limit nothing and give INT32_MAX.
int64_t MaxIntervalValue(int unitIndex);

}  // namespace wc
