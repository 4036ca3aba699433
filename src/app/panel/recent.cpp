// The tray menu's "Recent wallpapers": the pictures applied last, newest
// first, each with a small picture of itself; choosing one applies it
// again. The history is kept in history.txt beside the settings.
#include <windows.h>

#include <algorithm>

#include "app/panel/main_form.h"
#include "common/paths.h"
#include "playlist/history.h"
#include "playlist/playlist_file.h"
#include "ui/error.h"
#include "ui/dpi.h"
#include "ui/graphics.h"
#include "wallpaper/picture_reader.h"
#include "wallpaper/screen_fit.h"

namespace wc {

namespace {
constexpr int kThumbnailSide = 32;  // layout pixels
}  // namespace

std::string TMainForm::HistoryPath() const { return ExeFolder + "history.txt"; }

void TMainForm::ReadHistory() {
  History.clear();
  if (!FileExists(HistoryPath())) return;
  // A file that cannot be read, or reads as nothing, leaves the history empty
  // until the next change writes it anew.
  try {
    History = ParseHistory(ui::ReadSharedFile(HistoryPath()));
  } catch (const std::exception&) {
  }
}

void TMainForm::NowShowing(const std::vector<std::string>& paths) {
  // Two monitors may show one picture: it counts once.
  CurrentPictures.clear();
  for (const std::string& path : paths) {
    if (std::find(CurrentPictures.begin(), CurrentPictures.end(), path) == CurrentPictures.end()) {
      CurrentPictures.push_back(path);
    }
  }
  for (auto p = CurrentPictures.rbegin(); p != CurrentPictures.rend(); ++p) RememberInHistory(History, *p);
  if (ProgramFolderReadOnly) return;
  // Written beside the file and then put in its place: a program ended
  // while writing leaves the last whole history.
  try {
    WritePlaylistFile(HistoryPath(), History);
  } catch (const ui::Error&) {
    // Only the menu of recent pictures loses this change.
  }
}

void TMainForm::ShowRecentItems() {
  recentShown_.clear();
  for (const std::string& path : History) {
    if (recentShown_.size() == RecentItems.size()) break;
    // A picture deleted or moved since leaves the menu.
    if (FileExists(path)) recentShown_.push_back(path);
  }
  RecentMenu.SetVisible(!recentShown_.empty());
  for (size_t k = 0; k < RecentItems.size(); ++k) {
    ui::MenuItem& item = *RecentItems[k];
    item.SetVisible(k < recentShown_.size());
    if (k >= recentShown_.size()) continue;
    const std::string& path = recentShown_[k];
    item.SetCaption(ExtractFileName(path));
    const Image32& thumbnail = ThumbnailOf(path);
    if (thumbnail.empty()) {
      item.ClearPicture();
    } else {
      item.SetPicture(thumbnail.pixels, thumbnail.width, thumbnail.height, kThumbnailSide);
    }
  }
}

const Image32& TMainForm::ThumbnailOf(const std::string& path) {
  auto found = thumbnails_.find(path);
  if (found != thumbnails_.end()) return found->second;
  // Read reduced: a large photograph is decoded at an eighth of its size.
  Image32 thumbnail;
  const int side = ui::ScaleToDpi(kThumbnailSide, ui::SystemDpi());
  try {
    const ui::Bitmap picture = PictureBitmap(ReadPicturePreview(path, DesktopBackground(), side), DesktopBackground());
    const PixelView view{picture.Bits(), picture.Width(), picture.Height(), size_t(picture.Width())};
    thumbnail = FitToScreen(view, side, side, WallpaperStyle::Fill, DesktopBackground());
  } catch (const std::exception&) {
    // A picture that cannot be read shows its name alone.
  }
  // The menu holds at most a few: the cache is dropped when it grows.
  if (thumbnails_.size() > 4 * kRecentItems) thumbnails_.clear();
  return thumbnails_.emplace(path, std::move(thumbnail)).first->second;
}

void TMainForm::RecentItemClick(size_t k) {
  if (k < recentShown_.size()) ApplyFile(recentShown_[k]);
}

}  // namespace wc
