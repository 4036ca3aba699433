#pragma once
// Which playlist entry each row of the playlist box shows. Entries whose file
// is missing get no row, so row r and entry r part company after the first
// such entry; every command that acts on a row asks this table for the entry
// behind it. Rows are always in playlist order (the table only grows at its
// end, and moving rows exchanges the entries' contents, not the rows).
#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

namespace wc {

class RowTable {
 public:
  size_t Rows() const { return entries_.size(); }
  // Forgets the rows from `rows` on (the box was cleared or cut short).
  void Truncate(size_t rows) {
    if (rows < entries_.size()) entries_.resize(rows);
  }
  void Clear() { entries_.clear(); }
  void Reserve(size_t more) { entries_.reserve(entries_.size() + more); }
  void Append(size_t entry) { entries_.push_back(entry); }
  // The entry row `row` shows; nothing for a row the table does not know.
  std::optional<size_t> Entry(int row) const {
    if (row < 0 || size_t(row) >= entries_.size()) return std::nullopt;
    return entries_[size_t(row)];
  }
  // The row that shows `entry`; nothing when the entry has no row.
  std::optional<size_t> RowOf(size_t entry) const {
    auto it = std::lower_bound(entries_.begin(), entries_.end(), entry);
    if (it == entries_.end() || *it != entry) return std::nullopt;
    return size_t(it - entries_.begin());
  }
  // The row and its entry are gone: the entries after it move up one place.
  void RemoveRow(size_t row) {
    if (row >= entries_.size()) return;
    const size_t removed = entries_[row];
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(row));
    for (size_t& e : entries_) {
      if (e > removed) --e;
    }
  }
  // An entry without a row is gone: the entries after it move up one place.
  void RemoveEntryWithoutRow(size_t entry) {
    for (size_t& e : entries_) {
      if (e > entry) --e;
    }
  }

 private:
  std::vector<size_t> entries_;
};

}  // namespace wc
