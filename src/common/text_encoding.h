#pragma once
// Text the program stored in earlier versions.
//
// The program keeps every string in UTF-8 and writes its files so. Older
// versions wrote playlists and sound lists in the user's legacy ANSI code
// page (Windows-1252 on Western systems); such a line is almost never valid
// UTF-8 once it holds a character beyond ASCII, so a line that is not valid
// UTF-8 is taken as legacy text and converted when read.
#include <string>
#include <string_view>

namespace wc {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Windows-1252 to UTF-8; its five unassigned bytes become U+FFFD.
std::string Windows1252ToUtf8(std::string_view text);

// One code point as UTF-8 (U+FFFD for what is no code point).
void AppendUtf8(std::string& out, char32_t c);

}  // namespace wc
