#pragma once
// Sorting the playlist by path. The order is that of a selection sort: for
// each position k the first smallest path of k .. last (paths compared byte
// by byte as unsigned codes) is exchanged with entry k when it is strictly
// smaller. That is not a stable sort: equal paths end up in the order those
// exchanges leave them, and users' playlists have always been sorted that way.
// The same order is computed here with a tournament tree in O(n log n)
// comparisons, exchanging positions in a permutation and moving the lines once.
#include <cstddef>
#include <string>
#include <vector>

namespace wc {

class Playlist;

// order[k] = the entry that ends up at position k, for the given paths.
std::vector<size_t> SelectionSortOrder(const std::vector<const std::string*>& paths);

// Sorts the playlist's entries (path and display name together). A last
// unpaired line stays last. Returns true when anything moved.
bool SortPlaylistByPath(Playlist& playlist);

}  // namespace wc
