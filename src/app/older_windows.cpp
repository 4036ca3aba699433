#include "app/older_windows.h"

#include "common/text.h"
#include "lang/language_file.h"
#include "lang/program_texts.h"

namespace wc {

std::optional<OlderWindowsRefusal> RefusalForCodePage(unsigned codePage, std::string_view languageFile) {
  if (codePage == kUtf8CodePage) return std::nullopt;
  // Read before the program's language exists: the file is parsed here, and
  // a line in the legacy code page is taken as Windows-1252.
  const LanguageFileText file = LanguageFileText::Parse(languageFile);
  const ProgramText& text = texts::kNeedsNewerWindows;
  return OlderWindowsRefusal{file.Read("Messages", text.id, text.english),
                             ParseBooleanText(Trim(file.Read("Language", "RightToLeft", "0"))).value_or(false)};
}

}  // namespace wc
