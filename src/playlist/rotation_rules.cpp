#include "playlist/rotation_rules.h"

namespace wc {

int32_t AdvanceIndex(int32_t current, int32_t rows) {
  // 64-bit so that INT32_MAX + 1 cannot overflow.
  if (static_cast<int64_t>(current) + 1 >= rows || current < 0) return 0;
  return current + 1;
}

int32_t PreviousIndex(int32_t current, int32_t rows) {
  if (rows <= 0) return 0;
  if (current <= 0 || current >= rows) return rows - 1;
  return current - 1;
}

std::optional<int32_t> FirstRowNotPassedOver(int32_t row, int32_t rows, int step,
                                             const std::function<bool(int32_t)>& passOver) {
  if (rows <= 0) return std::nullopt;
  if (row < 0 || row >= rows) row = 0;
  for (int32_t looked = 0; looked < rows; ++looked) {
    if (!passOver(row)) return row;
    row = step < 0 ? PreviousIndex(row, rows) : AdvanceIndex(row, rows);
  }
  return std::nullopt;
}

uint32_t SecondsPerUnit(int unitIndex) {
  switch (unitIndex) {
    case 0: return 1;
    case 1: return 60;
    case 2: return 3600;
    case 3: return 86400;
    default: return 0;
  }
}

std::optional<uint32_t> TimerIntervalMs(int unitIndex, int64_t value) {
  if (value < 0) return std::nullopt;
  const int64_t unitMs = static_cast<int64_t>(SecondsPerUnit(unitIndex)) * 1000;
  if (unitMs == 0 || value == 0) return 0u;
  if (value > kMaxTimerIntervalMs / unitMs) return std::nullopt;  // checked before multiplying
  return static_cast<uint32_t>(value * unitMs);
}

int64_t MaxIntervalValue(int unitIndex) {
  const int64_t unitMs = static_cast<int64_t>(SecondsPerUnit(unitIndex)) * 1000;
  if (unitMs == 0) return INT32_MAX;
  return kMaxTimerIntervalMs / unitMs;
}

}  // namespace wc
