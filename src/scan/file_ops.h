#pragma once
// The file operations on playlist entries' files, with UTF-8 paths.
#include <windows.h>

#include <string>

namespace wc {

// Copies `source` to `target` unless a file of that name exists: an existing
// file is never replaced. True when the copy was made.
bool CopyWithoutOverwriting(const std::string& source, const std::string& target);
// Moves a file (any volume); fails when the target exists.
bool MoveOneFile(const std::string& source, const std::string& target);
bool DeleteOneFile(const std::string& path);
// Renames within the file's volume; ERROR_SUCCESS or the system's error code.
DWORD RenameOneFile(const std::string& from, const std::string& to);

}  // namespace wc
