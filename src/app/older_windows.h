#pragma once
// The program hands its UTF-8 file names to the system's 8-bit calls and
// relies on the UTF-8 code page its manifest asks for. Only Windows 10
// version 1903 and later give it that; on an older system a name outside the
// local code page would silently name another file (or none), so the program
// says so at start and ends rather than run half-broken.
#include <optional>
#include <string>
#include <string_view>

namespace wc {

inline constexpr unsigned kUtf8CodePage = 65001;

struct OlderWindowsRefusal {
  std::string text;          // UTF-8
  bool rightToLeft = false;  // the language's script runs right to left
};

// Nothing when the process's code page is UTF-8. Otherwise what to tell the
// user, in the language of `languageFile` (its bytes as on disk; empty when
// it could not be read), English where the file lacks the text.
std::optional<OlderWindowsRefusal> RefusalForCodePage(unsigned codePage, std::string_view languageFile);

}  // namespace wc
