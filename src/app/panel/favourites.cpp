// "Add to favourites": the wallpaper on the desktop now goes into
// Favourites.qvl beside the settings, a playlist the user loads like any
// other.
#include "app/panel/main_form.h"
#include "playlist/favourites.h"
#include "playlist/playlist_file.h"

namespace wc {

std::string TMainForm::FavouritesPath() const { return ExeFolder + "Favourites.qvl"; }

void TMainForm::AddToFavouritesItemClick(ui::Component&) { AddToFavourites(); }

std::vector<std::string> TMainForm::PicturesOnDesktop() const {
  if (!CurrentPictures.empty()) return CurrentPictures;
  // Nothing applied since the start: the desktop shows what the last run
  // left, its stored row (the current one may be a row drawn for shuffle).
  if (const std::optional<size_t> entry = EntryOfRow(LastRunRow >= 0 ? LastRunRow : CurrentIndex)) {
    return {Playlist->Path(*entry)};
  }
  return {};
}

void TMainForm::AddToFavourites() {
  const std::vector<std::string> pictures = PicturesOnDesktop();
  if (pictures.empty()) return;
  std::vector<std::string> lines;
  if (FileExists(FavouritesPath())) {
    // A file that cannot be read is not written over: its entries would be lost.
    std::optional<std::vector<std::string>> read = ReadPlaylistOrSay(FavouritesPath());
    if (!read) return;
    lines = std::move(*read);
  }
  if (AddFavourites(lines, pictures) == 0) return;
  WritePlaylistFile(FavouritesPath(), lines);
}

}  // namespace wc
