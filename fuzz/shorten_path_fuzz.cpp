// Paths shortened for one-line labels: never longer than needed, keeping the
// beginning of the path and its whole file name.
#include <algorithm>
#include <string>
#include <string_view>

#include "app/shorten_path.h"
#include "common/paths.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view path(reinterpret_cast<const char*>(data), size);
  const std::string shown = wc::ShortenPath(path);
  if (path.size() <= 50) {
    FUZZ_CHECK(shown == path);
    return 0;
  }
  const std::string tail = "...\\" + wc::ExtractFileName(path);
  FUZZ_CHECK(shown.ends_with(tail));
  const size_t head = shown.size() - tail.size();
  FUZZ_CHECK(path.starts_with(std::string_view(shown).substr(0, head)));
  FUZZ_CHECK(shown.size() == std::max<size_t>(48, tail.size()));
  return 0;
}
