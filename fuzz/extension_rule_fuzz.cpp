// The extension table of the control panel (entries typed by the user) and
// the extensions of the files a folder read meets.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/extension_rule.h"
#include "common/text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wc::fuzz::Input in(data, size);
  wc::ExtensionList table;
  for (std::string& entry : table) entry = std::string(in.Text(in.Byte() % 8));
  const size_t count = in.Number(40);
  const size_t place = in.Number(wc::kExtensionTableSize);
  const std::string extension(in.RestText());

  std::vector<std::string> entries = wc::ExtensionEntries(table, count);
  FUZZ_CHECK(entries.size() == std::min(count, wc::kExtensionTableSize));
  for (size_t i = 0; i < entries.size(); ++i) FUZZ_CHECK(entries[i] == table[i]);

  // The extension counts as upper-cased: the case of a..z never matters.
  const bool accepted = wc::ExtensionAccepted(extension, entries);
  FUZZ_CHECK(accepted == wc::ExtensionAccepted(wc::LowerCaseAscii(extension), entries));
  FUZZ_CHECK(accepted == wc::ExtensionAccepted(wc::UpperCaseText(extension), entries));
  FUZZ_CHECK(!wc::ExtensionAccepted(extension, {}));

  // Typed in upper case into a used row of the table, it is taken.
  if (place < entries.size()) {
    table[place] = wc::UpperCaseText(extension);
    FUZZ_CHECK(wc::ExtensionAccepted(extension, wc::ExtensionEntries(table, count)));
  }
  return 0;
}
