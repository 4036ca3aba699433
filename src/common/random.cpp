#include "common/random.h"

namespace wc {

uint32_t RandomGenerator::Next(uint32_t n) {
  seed_ = seed_ * 134775813u + 1u;  // unsigned: wraps modulo 2^32
  return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * n) >> 32);
}

RandomGenerator& ProgramRandom() {
  static RandomGenerator generator;
  return generator;
}

}  // namespace wc
