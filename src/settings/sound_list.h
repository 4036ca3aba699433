#pragma once
// Sound-list files (".krs"): one full path of a wave file per line. Written
// with CR LF after every line; read with any line end (CR LF, CR or LF), and
// every line, empty ones included, is an entry. File access is the caller's.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

// The lines of a sound-list file. A last line without a line end counts; ""
// gives no lines and "a\r\n" one. A line that is not valid UTF-8 was written
// in the legacy code page and goes through `legacyToUtf8`.
std::vector<std::string> ParseSoundListText(std::string_view bytes, std::string (*legacyToUtf8)(std::string_view));

// Each path followed by CR LF.
std::string FormatSoundListText(const std::vector<std::string>& paths);

// The sound service takes a path of at most this many characters.
constexpr size_t kMaxSoundPathLength = 1000;

// The path as it may be handed to the sound service: nothing for a path
// longer than the service's buffer or one holding a NUL (which would name
// another file).
std::optional<std::string> PlayableSoundPath(std::string_view path);

}  // namespace wc
