#pragma once
// history.txt beside the settings: the wallpapers applied last, newest
// first, one path a line in UTF-8, for the tray menu's "Recent wallpapers".
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

inline constexpr size_t kHistoryLength = 100;  // lines kept in the file
inline constexpr size_t kRecentItems = 10;     // shown in the menu

// The paths of a file of paths, one a line (history.txt, excluded.txt): a
// line that cannot be a path (not UTF-8, a control character, longer than
// any path the system takes, not absolute) is passed over, a path met again counts once, and no more than
// `most` are taken. A damaged file reads as what it still holds.
// `fullPathsOnly` false takes any name a playlist may hold ("C:/a.jpg",
// "pictures\a.jpg"), not only the full paths the program writes itself.
std::vector<std::string> ParsePathLines(std::string_view text, size_t most, bool fullPathsOnly = true);
inline std::vector<std::string> ParseHistory(std::string_view text) { return ParsePathLines(text, kHistoryLength); }

// `path` at the front, any earlier mention of it gone, kHistoryLength at most.
void RememberInHistory(std::vector<std::string>& history, const std::string& path);

}  // namespace wc
