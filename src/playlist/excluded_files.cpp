#include "playlist/excluded_files.h"

#include <algorithm>
#include <limits>

#include "common/text.h"
#include "playlist/history.h"

namespace wc {

ExcludedFiles ExcludedFiles::Parse(std::string_view text) {
  ExcludedFiles excluded;
  for (std::string& path : ParsePathLines(text, std::numeric_limits<size_t>::max(), false)) excluded.Add(path);
  return excluded;
}

bool ExcludedFiles::Contains(const std::string& path) const {
  return !lowered_.empty() && lowered_.contains(LowerCaseAscii(path));
}

bool ExcludedFiles::Add(const std::string& path) {
  if (path.empty() || !lowered_.insert(LowerCaseAscii(path)).second) return false;
  paths_.push_back(path);
  return true;
}

size_t ExcludedFiles::Remove(const std::vector<std::string>& paths) {
  size_t removed = 0;
  for (const std::string& path : paths) removed += lowered_.erase(LowerCaseAscii(path));
  if (removed > 0) std::erase_if(paths_, [&](const std::string& p) { return !lowered_.contains(LowerCaseAscii(p)); });
  return removed;
}

}  // namespace wc
