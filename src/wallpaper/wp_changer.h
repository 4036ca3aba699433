#pragma once
// The last step of every wallpaper change: makes one file the desktop
// wallpaper of the current user.
//
// A JPEG, and any other picture the system cannot be trusted to draw (PNG,
// GIF, TIFF, ...: everything but bitmaps, icons and metafiles), is first
// turned into "WPCWallpaper.bmp" in the program's own folder of the user's
// local application data (%LOCALAPPDATA%\Pellimox Free Wallpaper Changer\,
// made when first needed), since the system's own wallpaper code reliably
// draws only bitmaps. That folder is the user's to write on every system;
// the Windows folder is not. So is every picture shown
// with Fill or Fit, made to the screen's size. Then the style's values
// (wallpaper/wallpaper_style.h) and its origin are written under
// HKEY_CURRENT_USER "Control Panel\desktop", the system is told once to load
// the file and tell every window, the value it leaves in "Wallpaper" is kept
// as "PrevWallpaper", and the registered file is written to "Wallpaper".
//
// Failures, by kind:
//   - no file at the path: OnFileNotFound only, nothing else happens;
//   - the desktop key cannot be opened: nothing is written, no system call,
//     OnFinishChange is still raised;
//   - a registry value cannot be read or written: OnRegistryError, then
//     OnFinishChange; what was written before the failure stays;
//   - the file to register cannot be prepared (a JPEG that does not decode,
//     a bitmap that cannot be written, a pixel format other than 24 or 32
//     bits, a path longer than the system call's 255 characters): the
//     exception propagates after OnBeginChange, no registry value is written
//     and OnFinishChange is not raised.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/image32.h"
#include "ui/component.h"
#include "ui/graphics.h"
#include "wallpaper/wallpaper_style.h"

namespace wc {

// Colour depth of the bitmap written for a JPEG, in the framework's order.
// Only pf24bit and pf32bit can be written; the others make a JPEG change fail
// with a ui::Error that names the format.
enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// "24 bits per pixel", "device-dependent", ... for messages.
std::string_view PixelFormatName(TPixelFormat format);

class TWPChanger : public ui::Component {
 public:
  // Below HKEY_CURRENT_USER.
  static constexpr const char* kDesktopKey = "Control Panel\\desktop";
  static constexpr const char* kBitmapName = "WPCWallpaper.bmp";
  // The system call takes the path in a 256-byte buffer, terminator included.
  static constexpr size_t kMaxTargetLength = 255;

  // Where the component does its work. The defaults are the real desktop;
  // tests point it at a scratch key and folder.
  struct Environment {
    std::string desktopKey = kDesktopKey;      // subkey of HKEY_CURRENT_USER, never created
    std::optional<std::string> bitmapFolder;  // with trailing backslash; unset: DefaultBitmapFolder
    // Replaces SystemParametersInfoA(SPI_SETDESKWALLPAPER, 1, buffer,
    // SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE); it receives the 256-byte
    // buffer.
    std::function<void(char* buffer)> setDeskWallpaper;
    // The screen Fill and Fit make the picture for; unset: the primary
    // monitor's size.
    std::optional<SIZE> screen;
    // What Fit's bars and transparent parts show, 0x00RRGGBB; unset: the
    // desktop's background colour.
    std::optional<uint32_t> background;
    // The rectangle around every monitor Span composes for; unset: the
    // system's virtual screen.
    std::optional<RECT> virtualScreen;
    // Whether the system spans a picture over the monitors itself; unset:
    // it does where it has IDesktopWallpaper (Windows 8 and later).
    std::optional<bool> systemSpans;
  };

  TWPChanger(ui::Component* owner, std::string name);
  TWPChanger(ui::Component* owner, std::string name, Environment environment);
  ~TWPChanger() override;

  TPixelFormat PixelFormat = TPixelFormat::pf24bit;
  // The style ApplyWallpaper uses; Fill and Fit are drawn by the program
  // (wallpaper/screen_fit.h) and that bitmap is registered centred.
  WallpaperStyle Position = WallpaperStyle::Center;

  // The file ApplyWallpaper registers. The setter takes the path only when a
  // file exists there; otherwise the old value stays and OnFileNotFound is
  // raised.
  const std::string& Wallpaper() const { return wallpaper_; }
  void SetWallpaper(const std::string& path);

  ui::NotifyEvent OnBeginChange;    // a change starts on an existing file
  ui::NotifyEvent OnFinishChange;   // the registry work is over, also after a registry error
  ui::NotifyEvent OnFileNotFound;   // the file to set or apply does not exist
  ui::NotifyEvent OnRegistryError;  // a registry value could not be read or written

  // Reads "Wallpaper" from the desktop key into out. When the key cannot be
  // opened, or the value is not text, out is left as given and the answer is
  // false; a missing value reads as empty text.
  bool ReadSystemWallpaper(std::string& out) const;

  // The user's "%LOCALAPPDATA%\Pellimox Free Wallpaper Changer\", with a
  // trailing backslash; empty when the system does not tell where the
  // user's local application data is. Not created here.
  static std::string DefaultBitmapFolder();
  // The folder the converted bitmaps go to, fixed at construction.
  const std::string& BitmapFolder() const { return bitmapFolder_; }
  // BitmapFolder(), made (with its parents) when missing; a ui::Error that
  // names the folder when there is none or it cannot be made.
  const std::string& PreparedBitmapFolder() const;
  // BitmapFolder() + "WPCWallpaper.bmp".
  std::string BitmapPath() const;

  // ".jpg" or ".jpeg", letters compared without regard to case.
  static bool IsJpegExtension(std::string_view extension);
  // A picture registered as the bitmap made from it: ".jpg" and ".jpeg", and
  // every picture extension but those of bitmaps, icons, metafiles and the
  // other names of JPEG files.
  static bool IsConvertedExtension(std::string_view extension);

  // ChangeWallpaper(Wallpaper(), Position).
  void ApplyWallpaper();
  // `decoded`, when given, is the file's picture already in memory (the
  // control panel has just read it): it is used rather than reading the
  // file again. `origin` is written for a style that uses one (a custom
  // position); the others write 0, 0. Span where the system does not span
  // itself: the picture fills the rectangle around every monitor, and each
  // monitor shows its part of it (a page, which only the system draws, is
  // registered as it is).
  void ChangeWallpaper(const std::string& path, WallpaperStyle style, const ui::Bitmap* decoded = nullptr,
                       POINT origin = {});
  // Several monitors, a picture each: `desktop` (made by ComposeDesktop, the
  // virtual screen's size) becomes "WPCWallpaper.bmp", registered tiled, so
  // the system repeats it from the primary monitor's corner and every
  // monitor shows its own part. Same events and failures as a JPEG change.
  void ChangeWallpaperComposed(const Image32& desktop);

 private:
  // The picture of `path` filled over the virtual screen, registered as
  // ChangeWallpaperComposed registers its desktop.
  void ComposeSpan(const std::string& path, const ui::Bitmap* decoded);
  // Writes `desktop` as the bitmap and registers it tiled.
  void RegisterComposed(const Image32& desktop);
  bool SystemSpans() const;
  // The file to register for path: path itself, or the converted bitmap.
  std::string PrepareTarget(const std::string& path, WallpaperStyle style, const ui::Bitmap* decoded);
  // The desktop key's values and the one system call of a change; a
  // registry failure becomes OnRegistryError.
  void Register(const std::string& target, WallpaperStyle style, POINT origin);
  void WriteDesktopValues(HKEY key, const std::string& target, WallpaperStyle style, POINT origin);

  Environment environment_;
  std::string bitmapFolder_;
  std::string wallpaper_;
};

}  // namespace wc
