#pragma once
// The file system as the disk search walks it: listings through the wide
// calls (names in any script come back whole) and folders told apart by the
// volume and file index the system gives them.
#include <optional>
#include <string>

#include "scan/disk_search.h"

namespace wc {

class SystemFolders : public FolderSource {
 public:
  void List(const std::string& mask,
            const std::function<void(const std::string& name, uint32_t attributes)>& each) override;
  std::optional<std::string> FolderIdentity(const std::string& folder) override;
  // Shorter than the system's path limit (MAX_PATH UTF-16 units, the
  // terminating zero included).
  bool Fits(const std::string& path) const override;
};

// The volume serial number and file index of a folder, as text; nullopt
// when the folder cannot be opened. Two paths that lead to one folder (one
// of them through a link) give the same text.
std::optional<std::string> SystemFolderIdentity(const std::string& folder);

}  // namespace wc
