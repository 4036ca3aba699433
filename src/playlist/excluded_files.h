#pragma once
// excluded.txt beside the settings: the files the user chose never to see
// again. The rotation, shuffle, the automatic mode and "Add folder" pass
// them over; the playlist files themselves keep every entry.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace wc {

class ExcludedFiles {
 public:
  // The paths of the file's text, as the history reads its own: a line that
  // cannot be a path is passed over and a path met again counts once, so a
  // damaged file reads as what it still holds.
  static ExcludedFiles Parse(std::string_view text);

  // Paths match without regard to case, as Windows' do.
  bool Contains(const std::string& path) const;
  // False when it was held already.
  bool Add(const std::string& path);
  // Takes out each of `paths` held; returns how many were.
  size_t Remove(const std::vector<std::string>& paths);
  bool Empty() const { return paths_.empty(); }
  // In the order they were excluded, as the file keeps them.
  const std::vector<std::string>& Paths() const { return paths_; }

 private:
  std::vector<std::string> paths_;
  std::unordered_set<std::string> lowered_;
};

}  // namespace wc
