#pragma once
// Path pieces for Windows paths held as 8-bit text. "\" separates folders and
// ":" ends a drive, whatever the host system, so these work the same in the
// native test build and in the Windows program.

#include <string>
#include <string_view>

namespace wc {

// Text after the last "\" or ":" (the whole path when there is neither).
std::string ExtractFileName(std::string_view path);
// Text up to and including the last "\" or ":" (empty when there is neither).
std::string ExtractFilePath(std::string_view path);
// Text from the last "." on, provided no "\" or ":" follows it; else empty.
std::string ExtractFileExt(std::string_view path);
// The file name with the first occurrence of the extension text deleted:
// "C:\Pictures\Winter.jpg" -> "Winter", "a.jpg.b.jpg" -> "a.b.jpg".
std::string DisplayName(std::string_view path);

// Adds a "\" unless the path already ends with one; an empty path becomes "\".
std::string IncludeTrailingBackslash(std::string_view path);
// Drops one trailing "\" if there is one.
std::string ExcludeTrailingBackslash(std::string_view path);
// folder + "\" + name with exactly one "\" between them ("D:\" + "a.jpg" ->
// "D:\a.jpg"); an empty folder gives the name alone.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace wc
