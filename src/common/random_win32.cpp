#include "common/random_win32.h"

#include <windows.h>

#include "common/random.h"

namespace wc {

void RandomizeProgramRandom() {
  LARGE_INTEGER counter{};
  if (QueryPerformanceCounter(&counter) && counter.QuadPart != 0) {
    ProgramRandom().Seed(uint32_t(counter.QuadPart & 0xFFFFFFFFu));
  } else {
    ProgramRandom().Seed(GetTickCount());
  }
}

}  // namespace wc
