#pragma once
// Favourites.qvl: a normal playlist beside the settings that "Add to
// favourites" appends the current wallpaper to, so the user can load it
// like any other.
#include <cstddef>
#include <string>
#include <vector>

namespace wc {

// Appends each of `paths` that the playlist lines do not hold yet (paths
// match without regard to case, as Windows' do), each once; the entries
// already there stay as they were. Returns how many were added.
size_t AddFavourites(std::vector<std::string>& lines, const std::vector<std::string>& paths);

}  // namespace wc
