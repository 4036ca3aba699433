#include "app/shorten_path.h"

#include "common/paths.h"

namespace wc {

std::string ShortenPath(std::string_view path) {
  constexpr size_t kMaxShown = 50;
  constexpr long kHeadBudget = 45;
  if (path.size() <= kMaxShown) return std::string(path);
  const std::string tail = "\\" + ExtractFileName(path);
  const long head = kHeadBudget - static_cast<long>(tail.size());
  std::string out = head > 0 ? std::string(path.substr(0, static_cast<size_t>(head))) : std::string();
  return out + "..." + tail;
}

}  // namespace wc
