// Sorting by path in the selection sort's order, and the table from rows to
// entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/paths.h"
#include "playlist/playlist.h"
#include "playlist/playlist_sort.h"
#include "playlist/row_table.h"

namespace wc {
namespace {

using Lines = std::vector<std::string>;

// The selection sort as users' playlists have always been sorted, exchange
// by exchange.
void LiteralSelectionSort(Lines& lines) {
  const size_t n = lines.size() / 2;
  auto less = [](const std::string& a, const std::string& b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
      const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
      if (x != y) return x < y;
    }
    return a.size() < b.size();
  };
  for (size_t k = 0; k < n; ++k) {
    size_t smallest = k;
    for (size_t j = k + 1; j < n; ++j) {
      if (less(lines[2 * j], lines[2 * smallest])) smallest = j;
    }
    if (less(lines[2 * smallest], lines[2 * k])) {
      std::swap(lines[2 * k], lines[2 * smallest]);
      std::swap(lines[2 * k + 1], lines[2 * smallest + 1]);
    }
  }
}

TEST(PlaylistSortTest, CapitalsComeFirstAndDisplayNamesTravelAlong) {
  Playlist list;
  list.AppendLines({"C:\\b.jpg", "bee", "C:\\A.jpg", "ay", "C:\\a.jpg", "small a"});
  EXPECT_TRUE(SortPlaylistByPath(list));
  EXPECT_EQ(list.Lines(), (Lines{"C:\\A.jpg", "ay", "C:\\a.jpg", "small a", "C:\\b.jpg", "bee"}));
  EXPECT_FALSE(SortPlaylistByPath(list));  // sorted already: nothing moves
}

TEST(PlaylistSortTest, APrefixComesFirstHighBytesLastAndAStrayLineStaysAtTheEnd) {
  Playlist list;
  list.AppendLines({"C:\\ab", "1", "C:\\\xc3\xa9", "2", "C:\\a", "3", "stray"});
  SortPlaylistByPath(list);
  EXPECT_EQ(list.Lines(), (Lines{"C:\\a", "3", "C:\\ab", "1", "C:\\\xc3\xa9", "2", "stray"}));
}

TEST(PlaylistSortTest, EqualPathsEndWhereTheSelectionSortLeavesThem) {
  // The exchange at position 0 carries the first "b" behind the second one.
  Playlist list;
  list.AppendLines({"b", "b1", "b", "b2", "a", "a1"});
  SortPlaylistByPath(list);
  EXPECT_EQ(list.Lines(), (Lines{"a", "a1", "b", "b2", "b", "b1"}));
}

TEST(PlaylistSortTest, MatchesTheSelectionSortOnRandomPlaylists) {
  std::mt19937 random(20261209);
  const std::vector<std::string> folders = {"C:\\", "C:\\Pics\\", "C:\\Pics\\Sub\\", "c:\\pics\\", "D:\\Pictures\\"};
  const std::vector<std::string> names = {"a", "A", "a.jpg", "ab.jpg", "b.jpg", "B.JPG", "\xc3\xa9t\xc3\xa9.jpg", ""};
  for (int round = 0; round < 1200; ++round) {
    const size_t n = random() % 60;
    Lines lines;
    for (size_t k = 0; k < n; ++k) {
      // Few distinct paths, so most are equal or share long prefixes.
      std::string path = folders[random() % folders.size()] + names[random() % names.size()];
      if (random() % 4 == 0) path += names[random() % names.size()];
      lines.push_back(path);
      lines.push_back("entry " + std::to_string(k));  // tells equal paths apart
    }
    if (random() % 5 == 0) lines.push_back("stray line");
    Lines expected = lines;
    LiteralSelectionSort(expected);
    Playlist list;
    list.Lines() = lines;
    SortPlaylistByPath(list);
    ASSERT_EQ(list.Lines(), expected) << "round " << round;
  }
}

TEST(RowTableTest, RowsSkipEntriesWithoutFilesAndFollowRemovals) {
  RowTable rows;
  for (size_t e : {0u, 2u, 3u, 5u}) rows.Append(e);  // entries 1 and 4 have no row
  EXPECT_EQ(rows.Entry(1), 2u);
  EXPECT_EQ(rows.Entry(4), std::nullopt);
  EXPECT_EQ(rows.Entry(-1), std::nullopt);
  EXPECT_EQ(rows.RowOf(3), 2u);
  EXPECT_EQ(rows.RowOf(4), std::nullopt);

  rows.RemoveRow(1);  // entry 2 goes: 3 and 5 move up
  EXPECT_EQ(rows.Entry(1), 2u);
  EXPECT_EQ(rows.Entry(2), 4u);
  rows.RemoveEntryWithoutRow(1);  // the unshown entry 1 goes too
  EXPECT_EQ(rows.Entry(0), 0u);
  EXPECT_EQ(rows.Entry(1), 1u);
  EXPECT_EQ(rows.Entry(2), 3u);
  rows.Truncate(1);
  EXPECT_EQ(rows.Rows(), 1u);
}

}  // namespace
}  // namespace wc
