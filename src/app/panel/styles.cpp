// The wallpaper styles of the tray menu, "Clear Wallpaper" and the hidden
// colour swatch.
#include <windows.h>
#include <wininet.h>  // before shlobj.h: it declares IActiveDesktop only then
#include <shlobj.h>

#include "app/panel/main_form.h"
#include "ui/application.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/prompts.h"

namespace wc {

void TMainForm::ApplyStyle(WallpaperStyle style) {
  StyleBox.SetItemIndex(RowOf(style).comboIndex);
  MainListBoxDblClick(*this);
}

void TMainForm::ClearWallpaperItemClick(ui::Component&) { ClearDesktop(); }

void TMainForm::ClearDesktop() {
  // Nothing is left to lay out again after a display change.
  Shown = {};
  ClearWallpaper();
}

void TMainForm::ClearWallpaperButtonClick(ui::Component& sender) { ClearWallpaperItemClick(sender); }

void ClearWallpaper() {
  ui::ComPtr<IActiveDesktop> desktop;
  HRESULT hr = CoCreateInstance(CLSID_ActiveDesktop, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveDesktop,
                                desktop.put_void());
  if (FAILED(hr) || !desktop) {
    throw ui::Error("Cannot reach the Active Desktop: " + ui::SystemErrorText(DWORD(hr)));
  }
  WCHAR none[260] = {};
  bool cleared = SUCCEEDED(desktop->SetWallpaper(none, 0));
  cleared = SUCCEEDED(desktop->ApplyChanges(AD_APPLY_ALL | AD_APPLY_FORCE)) && cleared;
  // Where the Active Desktop does not do it, the plain system call does:
  // "Clear" must not silently leave the picture on the desktop.
  if (!cleared) {
    char empty[1] = "";
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, empty, SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
  }
}

void TMainForm::BackgroundSwatchClick(ui::Component&) {
  if (auto c = App().prompts().ChooseColour(Handle(), RGB(0, 128, 128))) {
    ColorBoxColor = int32_t(*c);
    BackgroundSwatch.SetColor(*c);
  }
}

}  // namespace wc
