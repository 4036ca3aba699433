// Turning the selected playlist entry into the desktop wallpaper.
#include <windows.h>

#include <algorithm>
#include <future>

#include "app/panel/main_form.h"
#include "common/bmp.h"
#include "common/entry_kind.h"
#include "common/paths.h"
#include "playlist/playlist_file.h"
#include "settings/change_sound.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/graphics.h"
#include "ui/prompts.h"
#include "wallpaper/movie_page.h"
#include "wallpaper/picture_reader.h"
#include "wallpaper/resample.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

// wallpaper.bmp beside the program: the picture as decoded, or softened by
// the "high quality" resampler (then 32 bits per pixel). Reads only the
// pixels' memory, so it may run on another thread.
void WriteProgramCopy(const ui::Bitmap& pixels, bool highQuality, const std::string& path) {
  try {
    if (!highQuality) {
      WriteBmpFile(path, pixels.Bits(), pixels.Width(), pixels.Height(), 24);
      return;
    }
    Image32 image = MakeImage(pixels.Width(), pixels.Height());
    std::copy(pixels.Bits(), pixels.Bits() + image.pixels.size(), image.pixels.begin());
    ResampleBitmap(image, image.width, image.height);
    WriteBmpFile(path, image, 32);
  } catch (const ui::Error&) {
    throw;
  } catch (const std::exception& e) {
    throw ui::Error(e.what());
  }
}

}  // namespace

// The copy beside the program, written on a second thread while the
// desktop's bitmap is made from the same pixels: two cores, one change.
// Whatever happens, it is never left reading pixels that are gone.
class ProgramCopy {
 public:
  ProgramCopy() = default;
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;
  ~ProgramCopy() {
    if (written_.valid()) written_.wait();
  }
  void Start(const ui::Bitmap& pixels, bool highQuality, std::string path) {
    written_ = std::async(std::launch::async, [&pixels, highQuality, path = std::move(path)] {
      WriteProgramCopy(pixels, highQuality, path);
    });
  }
  // Its failure is still the change's error, reported once the change is over.
  void Finish() {
    if (written_.valid()) written_.get();
  }

 private:
  std::future<void> written_;
};

bool TMainForm::HighQualityResampling() const {
  return DialogOptions().highQualityResampling;
}

void TMainForm::MainListBoxDblClick(ui::Component&) { ApplyRow(MainListBox.ItemIndex()); }

void TMainForm::PlaylistRowDoubleClick(ui::Component&) { ApplyRow(MainListBox.ItemIndex(), RowChoice::ByHand); }

void TMainForm::ApplyRow(int selected, RowChoice choice) {
  std::optional<int> row = SettleCurrentRow(selected);
  if (!row) return;
  if (choice == RowChoice::Program && IsExcludedRow(*row)) {
    // Showing the panel, Reload or a playlist taken afresh would otherwise
    // bring it back: the next row that may be shown is applied instead.
    row = RowToShow(*row, +1);
    if (!row) return;
    CurrentIndex = *row;
    MainListBox.SetItemIndex(CurrentIndex);
  }
  const std::optional<size_t> entry = EntryOfRow(*row);
  if (!entry || !FileExists(Playlist->Path(*entry))) {
    SkipMissingEntry();
    return;
  }
  const std::string path = Playlist->Path(*entry);
  const EntryKind kind = KindOfEntry(path);
  if (kind == EntryKind::Picture && ApplyToEachMonitor(*row)) {
    EndChange();
    return;
  }
  // The picture is read once per change: wallpaper.bmp and the applier's
  // bitmap are both written from it.
  const ui::Picture decoded = ReadEntryPicture(path, kind);
  {
    ProgramCopy copy;
    WriteProgramCopyOf(decoded, copy);
    // Icons and metafiles are drawings: the applier draws its own bitmap of them.
    ApplyToDesktop(kind == EntryKind::Movie ? WriteMoviePage(path) : path, decoded.AsBitmap());
    NowShowing({path});
    copy.Finish();
  }
  EndChange();
}

std::optional<int> TMainForm::SettleCurrentRow(int selected) {
  const int rows = MainListBox.Count();
  if (rows == 0 || !Playlist) return std::nullopt;
  if (selected >= 0 && selected != CurrentIndex) CurrentIndex = selected;
  // A list with rows but no selection (after a reload) applies the current
  // row, or the first when the current one is out of reach.
  if (CurrentIndex < 0 || CurrentIndex >= rows) CurrentIndex = 0;
  MainListBox.SetItemIndex(CurrentIndex);
  return CurrentIndex;
}

void TMainForm::SkipMissingEntry() {
  // The next entry is tried instead, once round the playlist at most; the
  // outermost skip alone says that no file was found.
  if (missingSkips_ >= MainListBox.Count()) {
    skipsExhausted_ = true;
    return;
  }
  const bool outermost = missingSkips_ == 0;
  ++missingSkips_;
  struct Unwind {
    TMainForm& f;
    bool outermost;
    ~Unwind() {
      --f.missingSkips_;
      if (outermost) f.skipsExhausted_ = false;
    }
  } unwind{*this, outermost};
  NextWallpaper();
  if (skipsExhausted_ && outermost) ErrorBox(Say(texts::kFileNotPresent));
}

ui::Picture TMainForm::ReadEntryPicture(const std::string& path, EntryKind kind) {
  // Pages and movies have no picture.
  if (kind != EntryKind::Picture) return {};
  if (!FileExists(path)) {
    ErrorBox(Say(texts::kFileNotPresent));
    return {};
  }
  return ReadPictureFile(path, DesktopBackground());
}

void TMainForm::WriteProgramCopyOf(const ui::Picture& decoded, ProgramCopy& copy) const {
  // Nothing reads the copy: a program folder the user may not write (said
  // at start) goes without it rather than failing every change.
  if (ProgramFolderReadOnly || decoded.Empty()) return;
  const std::string to = ExeFolder + "wallpaper.bmp";
  if (const ui::Bitmap* pixels = decoded.AsBitmap()) {
    copy.Start(*pixels, HighQualityResampling(), to);
  } else {
    // An icon or metafile is drawn by the system's loader, on this thread,
    // over the desktop's colour as every other kind's transparency is.
    WriteProgramCopy(PictureBitmap(decoded, DesktopBackground()), HighQualityResampling(), to);
  }
}

std::string TMainForm::WriteMoviePage(const std::string& movie) const {
  const std::string page = ExeFolder + "movie.html";
  const std::string text = MoviePageText(movie, MovieWidthEdit.Value(), MovieHeightEdit.Value());
  WriteFileBytes(page, std::vector<uint8_t>(text.begin(), text.end()));
  return page;
}

void TMainForm::EndChange() {
  // The settings' change sound, then the current row kept in settings.ini.
  if (auto* sound = ChangeSound::Find()) sound->PlayChangeSound();
  SavePanelSettings();
}

std::optional<WallpaperStyle> TMainForm::ChosenStyle() const { return StyleOfComboIndex(StyleBox.ItemIndex()); }

void TMainForm::ApplyToDesktop(const std::string& path, const ui::Bitmap* decoded) {
  const std::optional<WallpaperStyle> chosen = ChosenStyle();
  // Fill and Fit on several monitors: the picture made to each one's size.
  if (chosen && FitOnEachMonitor(path, *chosen, decoded)) return;
  // With no style chosen the applier keeps its last one.
  if (chosen) WPChanger1.Position = *chosen;
  const POINT origin =
      chosen && RowOf(*chosen).usesOrigin ? POINT{OriginXEdit.Value(), OriginYEdit.Value()} : POINT{};
  Shown = {};
  WPChanger1.SetWallpaper(path);
  // The file asked for: once a picture is made for the screen, the applier
  // names the bitmap it made instead.
  const std::string source = WPChanger1.Wallpaper();
  // The picture read for this change, when it is the one applied.
  WPChanger1.ChangeWallpaper(source, WPChanger1.Position, source == path ? decoded : nullptr, origin);
  // A picture the program made to the monitors' sizes is made again after
  // a display change.
  const WallpaperStyleRow& row = RowOf(WPChanger1.Position);
  if ((row.drawnToScreen || row.spansMonitors) && KindOfEntry(source) == EntryKind::Picture) {
    Shown = {{source}, {}, {WPChanger1.Position}, CurrentLayout()};
  }
}

}  // namespace wc
