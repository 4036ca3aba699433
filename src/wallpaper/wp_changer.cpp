#include "wallpaper/wp_changer.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "common/bmp.h"
#include "common/entry_kind.h"
#include "common/jpeg.h"
#include "common/paths.h"
#include "common/picture_formats.h"
#include "common/product.h"
#include "common/text.h"
#include "lang/program_texts.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/monitors.h"
#include "ui/wide_text.h"
#include "wallpaper/monitor_wallpaper.h"
#include "wallpaper/picture_reader.h"
#include "wallpaper/screen_fit.h"

namespace wc {

namespace {

// A registry value that could not be read or written. It never leaves
// ChangeWallpaper: there it becomes OnRegistryError.
struct RegistryFailure {};

bool FileExists(const std::string& path) {
  // A NUL inside the text would make the system look at a shorter path.
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Opens the key afresh below HKEY_CURRENT_USER, never creating it: a user
// without a desktop key gets no half-made one. Empty when it cannot be opened.
ui::RegKey OpenDesktopKey(const std::string& subkey, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
  return ui::RegKey(key);
}

// A text value (REG_SZ or REG_EXPAND_SZ, not expanded). A missing value reads
// as empty text; any other failure, a value of another type included, gives
// false and leaves out alone.
bool TryReadString(HKEY key, const char* name, std::string& out) {
  // The value may grow between asking its size and reading it; a few rounds
  // settle that, a value that keeps changing counts as unreadable.
  for (int round = 0; round < 4; ++round) {
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) {
      out.clear();
      return true;
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    std::vector<char> data(static_cast<size_t>(size) + 1, '\0');
    DWORD got = size;
    status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (status == ERROR_MORE_DATA) continue;
    if (status == ERROR_FILE_NOT_FOUND) {
      out.clear();
      return true;
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || got > size) return false;
    // Stored text need not end with its terminator, or may hold several.
    out.assign(data.data(), strnlen(data.data(), got));
    return true;
  }
  return false;
}

std::string ReadString(HKEY key, const char* name) {
  std::string value;
  if (!TryReadString(key, name, value)) throw RegistryFailure{};
  return value;
}

void WriteString(HKEY key, const char* name, const std::string& value) {
  const LSTATUS status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>(value.size() + 1));
  if (status != ERROR_SUCCESS) throw RegistryFailure{};
}

// Bits per pixel of the bitmaps we can write; a ui::Error for the others.
int BitmapBits(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf24bit:
      return 24;
    case TPixelFormat::pf32bit:
      return 32;
    default:
      throw ui::Error(Say(texts::kWallpaperPixelFormat, {PixelFormatName(format)}));
  }
}

void CheckTargetLength(const std::string& target) {
  if (target.size() > TWPChanger::kMaxTargetLength) {
    throw ui::Error(Say(texts::kWallpaperPathTooLong,
                        {std::to_string(target.size()), std::to_string(TWPChanger::kMaxTargetLength), target}));
  }
}

}  // namespace

std::string_view PixelFormatName(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pfDevice:
      return "device-dependent";
    case TPixelFormat::pf1bit:
      return "1 bit per pixel";
    case TPixelFormat::pf4bit:
      return "4 bits per pixel";
    case TPixelFormat::pf8bit:
      return "8 bits per pixel";
    case TPixelFormat::pf15bit:
      return "15 bits per pixel";
    case TPixelFormat::pf16bit:
      return "16 bits per pixel";
    case TPixelFormat::pf24bit:
      return "24 bits per pixel";
    case TPixelFormat::pf32bit:
      return "32 bits per pixel";
    case TPixelFormat::pfCustom:
      return "custom";
  }
  return "unknown";
}

TWPChanger::TWPChanger(ui::Component* owner, std::string name) : TWPChanger(owner, std::move(name), Environment{}) {}

TWPChanger::TWPChanger(ui::Component* owner, std::string name, Environment environment)
    : Component(owner, std::move(name)), environment_(std::move(environment)) {
  bitmapFolder_ = environment_.bitmapFolder ? *environment_.bitmapFolder : DefaultBitmapFolder();
  // Taken as it is: the system's current wallpaper need not exist any more.
  ReadSystemWallpaper(wallpaper_);
}

TWPChanger::~TWPChanger() = default;

void TWPChanger::SetWallpaper(const std::string& path) {
  if (FileExists(path)) {
    wallpaper_ = path;
  } else {
    ui::Raise(OnFileNotFound, *this);
  }
}

bool TWPChanger::ReadSystemWallpaper(std::string& out) const {
  const ui::RegKey key = OpenDesktopKey(environment_.desktopKey, KEY_QUERY_VALUE);
  return key && TryReadString(key.get(), "Wallpaper", out);
}

std::string TWPChanger::DefaultBitmapFolder() {
  PWSTR local = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &local)) && local && *local) {
    folder = IncludeTrailingBackslash(ui::Narrow(local)) + kProductName + "\\";
  }
  CoTaskMemFree(local);
  return folder;
}

const std::string& TWPChanger::PreparedBitmapFolder() const {
  if (bitmapFolder_.empty()) {
    throw ui::Error(Say(texts::kNoLocalAppData));
  }
  // SHCreateDirectoryEx makes the missing parents too; a folder already
  // there is no failure.
  const int made = SHCreateDirectoryExW(nullptr, ui::Widen(ExcludeTrailingBackslash(bitmapFolder_)).c_str(), nullptr);
  if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS && made != ERROR_FILE_EXISTS) {
    throw ui::Error(Say(texts::kCannotMakeBitmapFolder, {bitmapFolder_}));
  }
  return bitmapFolder_;
}

std::string TWPChanger::BitmapPath() const { return bitmapFolder_ + kBitmapName; }

bool TWPChanger::IsJpegExtension(std::string_view extension) {
  return EqualsIgnoreCaseAscii(extension, ".jpg") || EqualsIgnoreCaseAscii(extension, ".jpeg");
}

bool TWPChanger::IsConvertedExtension(std::string_view extension) {
  if (IsJpegExtension(extension)) return true;
  // Bitmaps, icons and metafiles are the system's to draw, and so are JPEGs
  // under their other names, as they always were.
  for (const char* drawn : {".bmp", ".dib", ".ico", ".emf", ".wmf", ".jpe", ".jfif"}) {
    if (EqualsIgnoreCaseAscii(extension, drawn)) return false;
  }
  return IsPictureExtension(extension);
}

void TWPChanger::ApplyWallpaper() { ChangeWallpaper(wallpaper_, Position); }

void TWPChanger::ChangeWallpaper(const std::string& path, WallpaperStyle style, const ui::Bitmap* decoded,
                                 POINT origin) {
  if (!FileExists(path)) {
    ui::Raise(OnFileNotFound, *this);
    return;
  }
  if (RowOf(style).spansMonitors && !SystemSpans() && KindOfEntry(path) != EntryKind::Page) {
    ComposeSpan(path, decoded);
    return;
  }
  ui::Raise(OnBeginChange, *this);
  // Failures while preparing the file leave the registry untouched and skip
  // OnFinishChange: the caller hears of them through the exception.
  Register(PrepareTarget(path, style, decoded), style, origin);
  ui::Raise(OnFinishChange, *this);
}

void TWPChanger::ChangeWallpaperComposed(const Image32& desktop) {
  ui::Raise(OnBeginChange, *this);
  RegisterComposed(desktop);
  ui::Raise(OnFinishChange, *this);
}

void TWPChanger::ComposeSpan(const std::string& path, const ui::Bitmap* decoded) {
  ui::Raise(OnBeginChange, *this);
  // As for a picture made to the screen: what cannot succeed is found before
  // the decoding.
  CheckTargetLength(BitmapPath());
  PreparedBitmapFolder();
  const uint32_t background = environment_.background.value_or(DesktopBackground());
  ui::Bitmap read;
  if (!decoded) {
    read = ReadPictureBitmap(path, background);
    decoded = &read;
  }
  const RECT screen = environment_.virtualScreen.value_or(ui::VirtualScreen());
  const int width = int(screen.right - screen.left), height = int(screen.bottom - screen.top);
  const MonitorPicture all{PixelView{decoded->Bits(), decoded->Width(), decoded->Height(), size_t(decoded->Width())},
                           int(screen.left), int(screen.top), width, height, WallpaperStyle::Span};
  RegisterComposed(ComposeDesktop({all}, width, height, background));
  ui::Raise(OnFinishChange, *this);
}

void TWPChanger::RegisterComposed(const Image32& desktop) {
  const std::string target = BitmapPath();
  CheckTargetLength(target);
  PreparedBitmapFolder();
  WriteBmpFile(target, desktop, BitmapBits(PixelFormat));
  Register(target, WallpaperStyle::Tile, POINT{});
  wallpaper_ = target;
}

bool TWPChanger::SystemSpans() const {
  if (environment_.systemSpans) return *environment_.systemSpans;
  return SystemHasMonitorWallpapers();
}

void TWPChanger::Register(const std::string& target, WallpaperStyle style, POINT origin) {
  const ui::RegKey key = OpenDesktopKey(environment_.desktopKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
  if (!key) return;
  try {
    WriteDesktopValues(key.get(), target, style, origin);
  } catch (const RegistryFailure&) {
    ui::Raise(OnRegistryError, *this);
  }
}

std::string TWPChanger::PrepareTarget(const std::string& path, WallpaperStyle style, const ui::Bitmap* decoded) {
  const std::string ext = ExtractFileExt(path);
  const bool fitted = RowOf(style).drawnToScreen;
  // A page (a movie's included) is the system's to draw, whatever the style.
  const bool page = KindOfEntry(path) == EntryKind::Page;
  if (page || (!fitted && !IsConvertedExtension(ext))) {
    CheckTargetLength(path);
    return path;
  }
  std::string target = BitmapPath();
  // These checks come before the decoding: a change that cannot succeed
  // should not cost a full-size decode nor replace the previous bitmap.
  CheckTargetLength(target);
  PreparedBitmapFolder();
  const int bits = BitmapBits(PixelFormat);
  const uint32_t background = environment_.background.value_or(DesktopBackground());
  ui::Bitmap read;
  if (!decoded) {
    read = ReadPictureBitmap(path, background);
    decoded = &read;
  }
  if (!fitted) {
    WriteBmpFile(target, decoded->Bits(), decoded->Width(), decoded->Height(), bits);
    return target;
  }
  SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (environment_.screen) screen = *environment_.screen;
  const PixelView view{decoded->Bits(), decoded->Width(), decoded->Height(), size_t(decoded->Width())};
  const Image32 made = FitToScreen(view, screen.cx, screen.cy, style, background);
  WriteBmpFile(target, made, bits);
  return target;
}

void TWPChanger::WriteDesktopValues(HKEY key, const std::string& target, WallpaperStyle style, POINT origin) {
  const WallpaperStyleRow& row = RowOf(style);
  if (!row.usesOrigin) origin = POINT{};
  // The system reads the style values when it loads the picture, so they go
  // first; "Wallpaper" is written last so that it ends up naming our file
  // whatever the system put there.
  WriteString(key, "TileWallpaper", row.registryTile);
  WriteString(key, "WallpaperStyle", row.registryStyle);
  WriteString(key, "WallpaperOriginX", std::to_string(origin.x));
  WriteString(key, "WallpaperOriginY", std::to_string(origin.y));

  std::array<char, kMaxTargetLength + 1> buffer{};
  // PrepareTarget refused longer paths; the bound here keeps the buffer safe regardless.
  target.copy(buffer.data(), kMaxTargetLength);
  if (environment_.setDeskWallpaper) {
    environment_.setDeskWallpaper(buffer.data());
  } else {
    // The one call of a change: it records the file and tells every window.
    // Whether the system could show the file does not change what we
    // register, so the answer is unused.
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 1, buffer.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
  }

  WriteString(key, "PrevWallpaper", ReadString(key, "Wallpaper"));
  WriteString(key, "Wallpaper", target);
}

}  // namespace wc
