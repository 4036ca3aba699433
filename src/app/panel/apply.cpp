// Turning the selected playlist entry into the desktop wallpaper.
#include <windows.h>

#include "app/panel/main_form.h"
#include "common/bmp.h"
#include "common/ini_file.h"
#include "common/paths.h"
#include "common/text.h"
#include "playlist/playlist_file.h"
#include "settings/settings_form.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/graphics.h"
#include "ui/handle.h"
#include "ui/prompts.h"
#include "wallpaper/movie_page.h"
#include "wallpaper/resample.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

enum class EntryKind { Image, Html, Movie };

EntryKind KindOf(const std::string& path) {
  std::string ext = UpperCaseText(ExtractFileExt(path));
  if (ext == ".AVI" || ext == ".MPG" || ext == ".MPEG") return EntryKind::Movie;
  if (ext == ".HTM" || ext == ".HTML") return EntryKind::Html;
  return EntryKind::Image;
}

void WriteDesktopValue(HKEY key, const char* name, const std::string& value) {
  if (RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1)) !=
      ERROR_SUCCESS) {
    throw ui::Error(std::string("Failed to set data for '") + name + "'");
  }
}

}  // namespace

bool TMainForm::HighQualityResampling() const {
  // The option belongs to the settings dialog; without one (a panel on its
  // own) the settings file says.
  if (auto* settings = ui::Application::FindForm<TSettings>("Settings")) return settings->CheckBox7.Checked();
  return IniFile(SettingsPath()).ReadBool("High Quality Image Resampling", "Checked", false);
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
  EntryKind kind = KindOf(path);

  ui::Picture picture;
  if (kind == EntryKind::Image) {
    if (FileExists(path)) {
      picture = ui::Picture::LoadFromFile(path);
    } else {
      ErrorBox(Say(texts::kFileNotPresent));
    }
  }
  int bits = 24;
  if (HighQualityResampling() && !picture.Empty()) {
    Image32 image = picture.ToBitmap().ToImage();
    ResampleBitmap(image, image.width, image.height);
    picture = ui::Picture(ui::Bitmap::FromImage(image));
    bits = 32;
  }
  // HTML pages and movies have no picture; there is nothing to write then.
  if (!picture.Empty()) picture.SaveToBitmapFile(ExeFolder + "wallpaper.bmp", bits);
  picture = ui::Picture();

  if (kind == EntryKind::Movie) {
    std::string page = ExeFolder + "movie.html";
    std::string text = MoviePageText(path, moviewidthspin.Value(), movieheightspin.Value());
    WriteFileBytes(page, std::vector<uint8_t>(text.begin(), text.end()));
    ApplyToDesktop(page, ComboBox1.ItemIndex(), SpinEdit1.Value(), SpinEdit2.Value());
  } else {
    ApplyToDesktop(path, ComboBox1.ItemIndex(), SpinEdit1.Value(), SpinEdit2.Value());
  }

  if (auto* settings = ui::Application::FindForm<TSettings>("Settings")) settings->BitBtn2Click(sender);
  SavePanelSettings();
}

void TMainForm::ApplyToDesktop(const std::string& path, int styleIndex, int32_t originX, int32_t originY) {
  HKEY raw = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                      nullptr) != ERROR_SUCCESS) {
    throw ui::Error("Failed to create key Control Panel\\Desktop");
  }
  ui::RegKey key(raw);
  std::string tile = "0";
  int style = styleIndex;
  int32_t x = 0, y = 0;
  if (styleIndex == 0) tile = "1";
  if (styleIndex == 3) {
    style = 1;
    x = originX;
    y = originY;
  }
  WriteDesktopValue(key.get(), "Wallpaper", path);
  WriteDesktopValue(key.get(), "TileWallpaper", tile);
  WriteDesktopValue(key.get(), "WallpaperStyle", IntToText(style));
  WriteDesktopValue(key.get(), "WallpaperOriginX", IntToText(x));
  WriteDesktopValue(key.get(), "WallpaperOriginY", IntToText(y));
  key.reset();

  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, nullptr, SPIF_SENDWININICHANGE);

  WPChanger1.SetWallpaper(path);
  switch (style) {
    case 0: WPChanger1.Position = TWallpaperPosition::wpTiled; break;
    case 1: WPChanger1.Position = TWallpaperPosition::wpCentered; break;
    case 2: WPChanger1.Position = TWallpaperPosition::wpStretched; break;
    default: break;  // no selection: the applier keeps its position
  }
  WPChanger1.ApplyWallpaper();
}

}  // namespace wc
