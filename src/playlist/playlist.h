#pragma once
// The playlist: a list of text lines in which entry k takes two lines, its
// full path (line 2k) and its display name (line 2k + 1). The lines are kept
// exactly as loaded, so an odd last line survives a load and save unchanged
// even though it forms no entry.

#include <cstddef>
#include <string>
#include <vector>

namespace wc {

class Playlist {
 public:
  std::vector<std::string>& Lines() { return lines_; }
  const std::vector<std::string>& Lines() const { return lines_; }
  size_t LineCount() const { return lines_.size(); }
  // Whole pairs of lines; a last unpaired line is not an entry.
  size_t EntryCount() const { return lines_.size() / 2; }

  // Entry accessors; k >= EntryCount() throws std::out_of_range.
  const std::string& Path(size_t k) const;
  const std::string& Name(size_t k) const;
  void SetPath(size_t k, const std::string& path);
  void SetName(size_t k, const std::string& name);

  // Appends the path and its display name.
  void AppendEntry(const std::string& path);
  // Appends lines as they are (a loaded or dropped playlist file).
  void AppendLines(const std::vector<std::string>& lines);
  // Removes both lines of entry k; throws std::out_of_range when k is no entry.
  void RemoveEntry(size_t k);
  // Exchanges entries a and b (both lines); throws std::out_of_range.
  void SwapEntries(size_t a, size_t b);
  void Clear() { lines_.clear(); }

 private:
  size_t CheckedLine(size_t k) const;  // index of entry k's first line
  std::vector<std::string> lines_;
};

}  // namespace wc
