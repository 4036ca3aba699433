#pragma once
// States of the control panel held as enums in memory; the forms they are
// stored and shown in stay as they always were, converted here.

#include <cstdint>

namespace wc {

// The automatic mode's folder reading, shown by the hidden label "aux":
// "aux" (nothing read since start or since the last automatic change), "0"
// (a reader runs), "1" (the last reader has ended).
enum class AuxState { Idle, Running, Finished };

inline const char* AuxStateText(AuxState state) {
  switch (state) {
    case AuxState::Running: return "0";
    case AuxState::Finished: return "1";
    case AuxState::Idle: break;
  }
  return "aux";
}

// settings.ini's "Functioning mode": 1 automatic (the pictures of one
// folder), 2 manual (the playlist the user edits).
enum class FunctioningMode : uint8_t { Automatic = 1, Manual = 2 };

// The stored value; anything but 1 or 2 is manual.
inline FunctioningMode FunctioningModeOf(int stored) {
  return (stored & 0xFF) == 1 ? FunctioningMode::Automatic : FunctioningMode::Manual;
}

}  // namespace wc
