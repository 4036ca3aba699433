#include "playlist/history.h"

#include <algorithm>
#include <set>

#include "common/text.h"
#include "common/text_encoding.h"

namespace wc {

namespace {

// The longest path the wide file functions take, in UTF-8 bytes at most.
constexpr size_t kLongestPath = 32767 * 3;

bool CanBePath(const std::string& line, bool fullPathsOnly) {
  if (line.empty() || line.size() > kLongestPath || !IsValidUtf8(line)) return false;
  if (std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) return false;
  if (!fullPathsOnly) return true;
  if (line.size() < 3) return false;
  // "C:\..." or "\\server\...": the program only ever writes full paths.
  const bool drive = line[1] == ':' && line[2] == '\\';
  const bool share = line[0] == '\\' && line[1] == '\\';
  return drive || share;
}

}  // namespace

std::vector<std::string> ParsePathLines(std::string_view text, size_t most, bool fullPathsOnly) {
  std::vector<std::string> history;
  std::set<std::string> seen;
  // Split here rather than as a playlist is: a zero byte in a damaged file
  // ends its line, not the file.
  for (size_t start = 0; start < text.size() && history.size() < most;) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!CanBePath(line, fullPathsOnly) || !seen.insert(LowerCaseAscii(line)).second) continue;
    history.push_back(std::move(line));
  }
  return history;
}

void RememberInHistory(std::vector<std::string>& history, const std::string& path) {
  std::erase_if(history, [&](const std::string& p) { return EqualsIgnoreCaseAscii(p, path); });
  history.insert(history.begin(), path);
  if (history.size() > kHistoryLength) history.resize(kHistoryLength);
}

}  // namespace wc
