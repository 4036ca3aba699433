#include "playlist/playlist.h"

#include <stdexcept>
#include <utility>

#include "common/paths.h"

namespace wc {

size_t Playlist::CheckedLine(size_t k) const {
  if (k >= EntryCount()) throw std::out_of_range("Playlist: entry " + std::to_string(k) + " does not exist");
  return 2 * k;
}

const std::string& Playlist::Path(size_t k) const { return lines_[CheckedLine(k)]; }
const std::string& Playlist::Name(size_t k) const { return lines_[CheckedLine(k) + 1]; }
void Playlist::SetPath(size_t k, const std::string& path) { lines_[CheckedLine(k)] = path; }
void Playlist::SetName(size_t k, const std::string& name) { lines_[CheckedLine(k) + 1] = name; }

void Playlist::AppendEntry(const std::string& path) {
  // After an odd line count the pair straddles the seam, as the file format
  // implies; the stray line is not dropped.
  lines_.push_back(path);
  lines_.push_back(DisplayName(path));
}

void Playlist::AppendLines(const std::vector<std::string>& lines) { lines_.insert(lines_.end(), lines.begin(), lines.end()); }

void Playlist::RemoveEntry(size_t k) {
  const size_t line = CheckedLine(k);
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line), lines_.begin() + static_cast<std::ptrdiff_t>(line + 2));
}

void Playlist::SwapEntries(size_t a, size_t b) {
  const size_t la = CheckedLine(a);
  const size_t lb = CheckedLine(b);
  std::swap(lines_[la], lines_[lb]);
  std::swap(lines_[la + 1], lines_[lb + 1]);
}

}  // namespace wc
