// Sound-list files as read from disk: any bytes. Every entry is one line
// without line ends and valid UTF-8 once legacy lines are converted; writing
// the entries and reading them again gives them back; what may be played
// fits the sound service's buffer.
#include <string>
#include <string_view>
#include <vector>

#include "common/text_encoding.h"
#include "fuzz_input.h"
#include "settings/sound_list.h"

namespace {
std::string Legacy(std::string_view text) { return wc::Windows1252ToUtf8(text); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = wc::ParseSoundListText(input, &Legacy);
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    FUZZ_CHECK(wc::IsValidUtf8(line));
    if (auto playable = wc::PlayableSoundPath(line)) {
      FUZZ_CHECK(playable->size() <= wc::kMaxSoundPathLength);
      FUZZ_CHECK(playable->find('\0') == std::string::npos);
    }
  }
  FUZZ_CHECK(wc::ParseSoundListText(wc::FormatSoundListText(lines), &Legacy) == lines);
  return 0;
}
