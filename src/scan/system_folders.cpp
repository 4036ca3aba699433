#include "scan/system_folders.h"

#include <windows.h>

#include <cstdio>

#include "ui/handle.h"
#include "ui/wide_text.h"

namespace wc {

void SystemFolders::List(const std::string& mask,
                         const std::function<void(const std::string& name, uint32_t attributes)>& each) {
  WIN32_FIND_DATAW entry;
  ui::FindHandle find(FindFirstFileExW(ui::Widen(mask).c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return;
  do {
    each(ui::Narrow(entry.cFileName), entry.dwFileAttributes);
  } while (FindNextFileW(find.get(), &entry));
}

std::optional<std::string> SystemFolders::FolderIdentity(const std::string& folder) {
  return SystemFolderIdentity(folder);
}

bool SystemFolders::Fits(const std::string& path) const {
  // Every UTF-8 sequence gives at least as many bytes as UTF-16 units, so a
  // short path needs no conversion to be measured.
  if (path.size() < MAX_PATH) return true;
  return ui::Widen(path).size() < MAX_PATH;
}

std::optional<std::string> SystemFolderIdentity(const std::string& folder) {
  // No access asked for: only the file's information is read. Backup
  // semantics let a folder be opened at all.
  ui::FileHandle handle(CreateFileW(ui::Widen(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle.get(), &info)) return std::nullopt;
  char text[40];
  std::snprintf(text, sizeof text, "%08lx:%08lx%08lx", static_cast<unsigned long>(info.dwVolumeSerialNumber),
                static_cast<unsigned long>(info.nFileIndexHigh), static_cast<unsigned long>(info.nFileIndexLow));
  return std::string(text);
}

}  // namespace wc
