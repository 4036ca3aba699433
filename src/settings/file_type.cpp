#include "settings/file_type.h"

#include <shlobj.h>

#include "ui/error.h"
#include "ui/handle.h"

namespace wc {

namespace {
// The type's key name is what ".qvl" and earlier registrations point at, and
// no user sees it: it stays as every version wrote it, so an Apply finds and
// overwrites the keys already there rather than leaving a second type behind.
constexpr const char* kTypeName = "Drapenix PlayList";
// What Explorer shows as the files' type: the product's own name.
constexpr const char* kTypeDescription = "Pellimox Free Wallpaper Changer Playlist";
constexpr const char* kUserClasses = "Software\\Classes\\";
}  // namespace

std::vector<ClassesRow> PlaylistFileTypeRows(const std::string& exePath) {
  const std::string type = kTypeName;
  return {
      {".qvl", type},
      {type, kTypeDescription},
      {type + "\\DefaultIcon", exePath + ",0"},
      {type + "\\Shell\\Open", "&Open"},
      {type + "\\Shell\\Open\\Command", "\"" + exePath + "\" \"%1\""},
  };
}

bool WriteDefaultRegistryValue(HKEY root, const std::string& key, const std::string& value) {
  HKEY raw = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  ui::RegKey opened(raw);
  return RegSetValueExA(opened.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        DWORD(value.size() + 1)) == ERROR_SUCCESS;
}

void RegisterPlaylistFileType(const std::string& exePath, const DefaultValueWriter& write) {
  for (const ClassesRow& row : PlaylistFileTypeRows(exePath)) {
    if (write(HKEY_CLASSES_ROOT, row.key, row.value)) continue;
    if (write(HKEY_CURRENT_USER, kUserClasses + row.key, row.value)) continue;
    // The value's name is the empty default name.
    throw ui::Error("Failed to set data for ''");
  }
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

}  // namespace wc
