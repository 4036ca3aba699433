#include "settings/sound_list.h"

#include "common/text_encoding.h"

namespace wc {

std::vector<std::string> ParseSoundListText(std::string_view bytes, std::string (*legacyToUtf8)(std::string_view)) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find_first_of("\r\n", start);
    const std::string_view line = bytes.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    lines.push_back(IsValidUtf8(line) || !legacyToUtf8 ? std::string(line) : legacyToUtf8(line));
    if (end == std::string_view::npos) break;
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

std::string FormatSoundListText(const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths) {
    text += path;
    text += "\r\n";
  }
  return text;
}

std::optional<std::string> PlayableSoundPath(std::string_view path) {
  if (path.size() > kMaxSoundPathLength || path.find('\0') != std::string_view::npos) return std::nullopt;
  return std::string(path);
}

}  // namespace wc
