#pragma once
namespace wc {
// Seeds the program's random generator from the clock: the low 32 bits of the
// high-resolution performance counter, or the tick count without one.
void RandomizeProgramRandom();
}  // namespace wc
