#pragma once
// Which files a folder read takes: the rule that compares a file's extension
// with the entries of the control panel's extension table.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

// The table has room for this many entries.
constexpr size_t kExtensionTableSize = 30;
using ExtensionList = std::array<std::string, kExtensionTableSize>;

// The first `count` entries of the table, as a read uses them; a count
// beyond the table's room takes the whole table and no more.
std::vector<std::string> ExtensionEntries(const ExtensionList& table, size_t count);

// The extension (with its dot, "" for a name without one) with a..z
// upper-cased and nothing else changed, compared byte by byte with each
// entry: true at the first equal one. No entries accept nothing; a name
// without extension matches only an empty entry.
bool ExtensionAccepted(std::string_view extension, const std::vector<std::string>& entries);

}  // namespace wc
