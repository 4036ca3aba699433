#include "app/extension_rule.h"

#include <algorithm>

#include "common/text.h"

namespace wc {

std::vector<std::string> ExtensionEntries(const ExtensionList& table, size_t count) {
  count = std::min(count, kExtensionTableSize);
  return std::vector<std::string>(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(count));
}

bool ExtensionAccepted(std::string_view extension, const std::vector<std::string>& entries) {
  const std::string upper = UpperCaseText(extension);
  return std::find(entries.begin(), entries.end(), upper) != entries.end();
}

}  // namespace wc
