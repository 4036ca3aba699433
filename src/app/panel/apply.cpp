// Turning the selected playlist entry into the desktop wallpaper.
#include <windows.h>

#include <algorithm>
#include <future>

#include "app/panel/main_form.h"
#include "common/bmp.h"
#include "common/entry_kind.h"
#include "common/paths.h"
#include "common/text.h"
#include "playlist/playlist_file.h"
#include "settings/change_sound.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/graphics.h"
#include "ui/handle.h"
#include "ui/prompts.h"
#include "wallpaper/movie_page.h"
#include "wallpaper/picture_reader.h"
#include "wallpaper/resample.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

void WriteDesktopValue(HKEY key, const char* name, const std::string& value) {
  if (RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1)) !=
      ERROR_SUCCESS) {
    throw ui::Error(std::string("Failed to set data for '") + name + "'");
  }
}

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

bool TMainForm::HighQualityResampling() const {
  return DialogOptions().highQualityResampling;
}

void TMainForm::MainListBoxDblClick(ui::Component& sender) {
  int rows = MainListBox.Count();
  if (rows == 0 || !Playlist) return;
  int selected = MainListBox.ItemIndex();
  if (selected >= 0 && selected != CurrentIndex) CurrentIndex = selected;
  // A list with rows but no selection (after a reload) applies the current
  // row, or the first when the current one is out of reach.
  if (CurrentIndex < 0 || CurrentIndex >= rows) CurrentIndex = 0;
  MainListBox.SetItemIndex(CurrentIndex);

  // The current index is a row; the entry is the one that row shows.
  std::optional<size_t> current = EntryOfRow(CurrentIndex);
  if (!current || !FileExists(Playlist->Path(*current))) {
    // The next entry is tried instead, once round the playlist at most.
    if (missingSkips_ >= rows) {
      skipsExhausted_ = true;
      return;
    }
    bool outermost = missingSkips_ == 0;
    ++missingSkips_;
    struct Unwind {
      TMainForm& f;
      bool outermost;
      ~Unwind() {
        --f.missingSkips_;
        if (outermost) f.skipsExhausted_ = false;
      }
    } unwind{*this, outermost};
    NextWallpape1Click(sender);
    if (skipsExhausted_) {
      if (outermost) ErrorBox(Say(texts::kFileNotPresent));
      return;
    }
  }

  std::optional<size_t> entry = EntryOfRow(MainListBox.ItemIndex() >= 0 ? MainListBox.ItemIndex() : CurrentIndex);
  if (!entry) return;
  const std::string path = Playlist->Path(*entry);
  const EntryKind kind = KindOfEntry(path);
  if (kind == EntryKind::Picture && ApplyToEachMonitor(MainListBox.ItemIndex() >= 0 ? MainListBox.ItemIndex() : CurrentIndex)) {
    if (auto* sound = ChangeSound::Find()) sound->PlayChangeSound();
    SavePanelSettings();
    return;
  }

  // The picture is read once per change: wallpaper.bmp and the applier's
  // bitmap are both written from it.
  ui::Picture decoded;
  if (kind == EntryKind::Picture) {
    if (FileExists(path)) {
      decoded = ReadPictureFile(path, DesktopBackground());
    } else {
      ErrorBox(Say(texts::kFileNotPresent));
    }
  }
  // The copy beside the program is written while the desktop's bitmap is
  // made from the same pixels: two cores, one change. Its failure is still
  // this command's error, reported once the change is over.
  std::future<void> copyWritten;
  struct JoinCopy {
    std::future<void>& written;
    ~JoinCopy() {
      if (written.valid()) written.wait();  // never leave it reading freed pixels
    }
  } joinCopy{copyWritten};
  // Nothing reads the copy: a program folder the user may not write (said
  // at start) goes without it rather than failing every change.
  if (ProgramFolderReadOnly) {
  } else if (const ui::Bitmap* pixels = decoded.AsBitmap()) {
    copyWritten = std::async(std::launch::async, [pixels, hq = HighQualityResampling(), to = ExeFolder + "wallpaper.bmp"] {
      WriteProgramCopy(*pixels, hq, to);
    });
  } else if (!decoded.Empty()) {
    // An icon or metafile is drawn by the system's loader, on this thread,
    // over the desktop's colour as every other kind's transparency is.
    WriteProgramCopy(PictureBitmap(decoded, DesktopBackground()), HighQualityResampling(), ExeFolder + "wallpaper.bmp");
  }
  // HTML pages and movies have no picture; there is nothing to write then.

  if (kind == EntryKind::Movie) {
    std::string page = ExeFolder + "movie.html";
    std::string text = MoviePageText(path, moviewidthspin.Value(), movieheightspin.Value());
    WriteFileBytes(page, std::vector<uint8_t>(text.begin(), text.end()));
    ApplyToDesktop(page, ComboBox1.ItemIndex(), SpinEdit1.Value(), SpinEdit2.Value(), nullptr);
  } else {
    // Icons and metafiles are drawings: the applier draws its own bitmap of them.
    ApplyToDesktop(path, ComboBox1.ItemIndex(), SpinEdit1.Value(), SpinEdit2.Value(), decoded.AsBitmap());
  }

  if (copyWritten.valid()) copyWritten.get();

  if (auto* sound = ChangeSound::Find()) sound->PlayChangeSound();
  SavePanelSettings();
}

void TMainForm::WriteDesktopStyle(const std::string& path, const std::string& tile, int style, int32_t x, int32_t y) {
  HKEY raw = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS) {
    throw ui::Error("Failed to create key Control Panel\\Desktop");
  }
  ui::RegKey key(raw);
  WriteDesktopValue(key.get(), "Wallpaper", path);
  WriteDesktopValue(key.get(), "TileWallpaper", tile);
  WriteDesktopValue(key.get(), "WallpaperStyle", IntToText(style));
  WriteDesktopValue(key.get(), "WallpaperOriginX", IntToText(x));
  WriteDesktopValue(key.get(), "WallpaperOriginY", IntToText(y));
  key.reset();
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, nullptr, SPIF_SENDWININICHANGE);
}

void TMainForm::ApplyToDesktop(const std::string& path, int styleIndex, int32_t originX, int32_t originY,
                               const ui::Bitmap* decoded) {
  std::string tile = "0";
  int style = styleIndex;
  int32_t x = 0, y = 0;
  if (styleIndex == 0) tile = "1";
  if (styleIndex == 3) {
    style = 1;
    x = originX;
    y = originY;
  }
  // Fill and Fit on several monitors: the picture made to each one's size.
  if (FitOnEachMonitor(path, styleIndex, decoded)) return;
  // Fill and Fit: the applier registers a bitmap of the screen's size,
  // which the system shows centred and untouched.
  const bool fitted = styleIndex == kStyleFill || styleIndex == kStyleFit;
  if (fitted) style = 0;
  WriteDesktopStyle(path, tile, style, x, y);

  WPChanger1.SetWallpaper(path);
  switch (fitted ? -1 : style) {
    case 0: WPChanger1.Position = TWallpaperPosition::wpTiled; break;
    case 1: WPChanger1.Position = TWallpaperPosition::wpCentered; break;
    case 2: WPChanger1.Position = TWallpaperPosition::wpStretched; break;
    default: break;  // no selection: the applier keeps its position
  }
  if (styleIndex == kStyleFill) WPChanger1.Position = TWallpaperPosition::wpFill;
  if (styleIndex == kStyleFit) WPChanger1.Position = TWallpaperPosition::wpFit;
  // The picture read for this change, when it is the one applied.
  WPChanger1.ChangeWallpaper(WPChanger1.Wallpaper(), WPChanger1.Position,
                             WPChanger1.Wallpaper() == path ? decoded : nullptr);
}

}  // namespace wc
