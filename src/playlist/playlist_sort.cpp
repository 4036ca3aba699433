#include "playlist/playlist_sort.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "playlist/playlist.h"

namespace wc {

namespace {

// A tournament over positions: every inner node holds the position of the
// first smallest path below it; positions already placed drop out. The root
// is then the first minimum of the positions still in play, which are
// exactly k .. last.
class Tournament {
 public:
  explicit Tournament(const std::vector<std::string_view>& keys, std::vector<uint32_t>& order)
      : keys_(keys), order_(order) {
    size_t n = order.size();
    leaves_ = 1;
    while (leaves_ < n) leaves_ *= 2;
    tree_.assign(2 * leaves_, kOut);
    for (size_t p = 0; p < n; ++p) tree_[leaves_ + p] = uint32_t(p);
    for (size_t i = leaves_ - 1; i >= 1; --i) tree_[i] = Winner(tree_[2 * i], tree_[2 * i + 1]);
  }
  uint32_t First() const { return tree_[1]; }
  // Position p's key changed (or p dropped out): replay its matches.
  void Replay(size_t p) {
    for (size_t i = (leaves_ + p) / 2; i >= 1; i /= 2) tree_[i] = Winner(tree_[2 * i], tree_[2 * i + 1]);
  }
  void Drop(size_t p) {
    tree_[leaves_ + p] = kOut;
    Replay(p);
  }

 private:
  static constexpr uint32_t kOut = UINT32_MAX;
  // Left positions come before right ones: on equal paths the left wins.
  uint32_t Winner(uint32_t left, uint32_t right) const {
    if (right == kOut) return left;
    if (left == kOut) return right;
    return keys_[order_[right]] < keys_[order_[left]] ? right : left;
  }
  const std::vector<std::string_view>& keys_;
  std::vector<uint32_t>& order_;
  std::vector<uint32_t> tree_;
  size_t leaves_ = 1;
};

}  // namespace

std::vector<size_t> SelectionSortOrder(const std::vector<const std::string*>& paths) {
  const size_t n = paths.size();
  std::vector<size_t> result(n);
  if (n == 0) return result;
  // string_view compares through char_traits<char>, which orders bytes as
  // unsigned codes; a prefix comes before the longer path.
  std::vector<std::string_view> keys;
  keys.reserve(n);
  for (const std::string* p : paths) keys.emplace_back(*p);
  std::vector<uint32_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = uint32_t(i);
  Tournament t(keys, order);
  for (size_t k = 0; k < n; ++k) {
    const size_t m = t.First();
    // The first minimum is k itself unless a strictly smaller path lies
    // after it, which is when the selection sort exchanges.
    if (m != k) {
      std::swap(order[k], order[m]);
      t.Drop(k);
      t.Replay(m);
    } else {
      t.Drop(k);
    }
  }
  for (size_t i = 0; i < n; ++i) result[i] = order[i];
  return result;
}

bool SortPlaylistByPath(Playlist& playlist) {
  const size_t n = playlist.EntryCount();
  std::vector<const std::string*> paths;
  paths.reserve(n);
  for (size_t k = 0; k < n; ++k) paths.push_back(&playlist.Path(k));
  const std::vector<size_t> order = SelectionSortOrder(paths);
  bool moved = false;
  for (size_t k = 0; k < n; ++k) moved |= order[k] != k;
  if (!moved) return false;
  std::vector<std::string>& lines = playlist.Lines();
  std::vector<std::string> sorted;
  sorted.reserve(lines.size());
  for (size_t k = 0; k < n; ++k) {
    sorted.push_back(std::move(lines[2 * order[k]]));
    sorted.push_back(std::move(lines[2 * order[k] + 1]));
  }
  for (size_t i = 2 * n; i < lines.size(); ++i) sorted.push_back(std::move(lines[i]));
  lines = std::move(sorted);
  return true;
}

}  // namespace wc
