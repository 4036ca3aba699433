#pragma once
// Where the program's strings meet the system.
//
// Every string of the program is UTF-8. The manifest makes UTF-8 the
// process's ANSI code page (Windows 10 1903 and later, Wine 8), so the
// system's A calls (windows, files, the registry, INI files) take and give
// UTF-8 as they are. GDI keeps the system's own code page, so text the
// program draws itself goes through the wide (W) calls, converted here.
// Stored text written by older versions in the user's legacy ANSI code page
// is converted when read (see common/text_encoding.h).
#include <string>

namespace ui {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

}  // namespace ui
