#pragma once
// The program's pseudo-random numbers: a 32-bit linear congruential generator
// (seed := seed * 134775813 + 1 mod 2^32). A draw in 0 .. n-1 is the upper 32
// bits of the 64-bit product seed * n, so sequences are reproducible from a
// seed, which the tests rely on.

#include <cstdint>

namespace wc {

class RandomGenerator {
 public:
  void Seed(uint32_t seed) { seed_ = seed; }
  uint32_t Seed() const { return seed_; }
  // Steps the seed, then returns a number in 0 .. n-1 (0 when n is 0).
  uint32_t Next(uint32_t n);

 private:
  uint32_t seed_ = 0;
};

// The single generator shared by shuffling and list randomising, so that
// re-seeding it in one place affects every user. GUI thread only.
RandomGenerator& ProgramRandom();

}  // namespace wc
