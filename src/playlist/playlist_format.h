#pragma once
// The playlist file: 8-bit text, one line per playlist line, each followed by
// CR LF; no header, no validation. Reading accepts CR LF, lone CR and lone LF
// as line ends and stops at a NUL byte. File access itself is the caller's.

#include <string>
#include <string_view>
#include <vector>

namespace wc {

// Splits file contents into lines. A last line without a line end counts;
// empty lines are kept as empty strings; "" gives no lines, "a\r\n" one.
std::vector<std::string> ParsePlaylistText(std::string_view bytes);

// Each line followed by CR LF; no lines give an empty text.
std::string FormatPlaylistText(const std::vector<std::string>& lines);

}  // namespace wc
