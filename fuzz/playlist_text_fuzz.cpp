// Playlist files as read from disk: any bytes. Parsing what formatting wrote
// gives the same lines back, and a file already in the written form (CR LF
// after every line, no NUL) is written again byte for byte.
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "playlist/playlist_format.h"

namespace {

bool WrittenForm(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return false;
  if (!text.empty() && !text.ends_with("\r\n")) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = wc::ParsePlaylistText(input);
  for (const std::string& line : lines) FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);

  const std::string text = wc::FormatPlaylistText(lines);
  FUZZ_CHECK(wc::ParsePlaylistText(text) == lines);
  FUZZ_CHECK(wc::FormatPlaylistText(wc::ParsePlaylistText(text)) == text);
  if (WrittenForm(input)) FUZZ_CHECK(text == input);
  return 0;
}
