#include "playlist/favourites.h"

#include <set>

#include "common/text.h"
#include "playlist/playlist.h"

namespace wc {

size_t AddFavourites(std::vector<std::string>& lines, const std::vector<std::string>& paths) {
  Playlist playlist;
  playlist.Lines() = std::move(lines);
  // A lone last line (a file cut short) gets an empty name, so that the
  // new entries after it stay whole pairs.
  if (playlist.LineCount() % 2 != 0) playlist.Lines().emplace_back();
  std::set<std::string> held;
  for (size_t k = 0; k < playlist.EntryCount(); ++k) held.insert(LowerCaseAscii(playlist.Path(k)));
  size_t added = 0;
  for (const std::string& path : paths) {
    if (path.empty() || !held.insert(LowerCaseAscii(path)).second) continue;
    playlist.AppendEntry(path);
    ++added;
  }
  lines = std::move(playlist.Lines());
  return added;
}

}  // namespace wc
