// The benchmarks' files under Windows go to the system's temporary folder.
#include <windows.h>

#include "bench.h"

namespace bench {
std::string TempFile(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}
}  // namespace bench
