#pragma once
// Shortens a path for a one-line label: up to 50 characters are shown as they
// are; a longer path keeps its beginning and its file name with "..." between,
// 48 characters in all whenever the name leaves room for a beginning.

#include <string>
#include <string_view>

namespace wc {

// Longer than 50 characters: the first 45 - len("\" + name) characters, then
// "...", then "\" and the file name (text after the last "\" or ":"). When
// the name is too long for any beginning, only "...\" + name remains.
std::string ShortenPath(std::string_view path);

}  // namespace wc
