#pragma once
// The user's legacy ANSI code page, for text stored by older versions.
#include <string>
#include <string_view>

namespace wc {

// The system's ANSI code page as it was before the program chose UTF-8
// (1252 on Western systems); 1252 when the system names none.
unsigned LegacyAnsiCodePage();

// Text in that code page to UTF-8.
std::string LegacyAnsiToUtf8(std::string_view text);

}  // namespace wc
