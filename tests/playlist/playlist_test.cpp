#include "playlist/playlist.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace wc {
namespace {

using Lines = std::vector<std::string>;

TEST(PlaylistTest, EntriesArePairsOfLines) {
  Playlist list;
  list.AppendEntry("C:\\Pictures\\Winter.jpg");
  list.AppendEntry("D:\\a.jpg.b.jpg");
  list.AppendEntry("C:\\Pictures\\Winter.jpg");  // duplicates are allowed
  EXPECT_EQ(list.EntryCount(), 3u);
  EXPECT_EQ(list.LineCount(), 6u);
  EXPECT_EQ(list.Lines(), (Lines{"C:\\Pictures\\Winter.jpg", "Winter", "D:\\a.jpg.b.jpg", "a.b.jpg",
                                 "C:\\Pictures\\Winter.jpg", "Winter"}));
  EXPECT_EQ(list.Path(1), "D:\\a.jpg.b.jpg");
  EXPECT_EQ(list.Name(1), "a.b.jpg");
}

TEST(PlaylistTest, OddLineCountKeepsTheStrayLine) {
  Playlist list;
  list.AppendLines({"C:\\a.jpg", "a", "C:\\b.jpg"});
  EXPECT_EQ(list.EntryCount(), 1u);
  EXPECT_EQ(list.LineCount(), 3u);
  EXPECT_THROW(list.Path(1), std::out_of_range);
  // A later entry pairs across the seam, exactly as the lines say.
  list.AppendEntry("C:\\c.jpg");
  EXPECT_EQ(list.EntryCount(), 2u);
  EXPECT_EQ(list.Path(1), "C:\\b.jpg");
  EXPECT_EQ(list.Name(1), "C:\\c.jpg");
  EXPECT_EQ(list.Lines().back(), "c");
}

TEST(PlaylistTest, EditingEntries) {
  Playlist list;
  for (const char* path : {"C:\\0.jpg", "C:\\1.jpg", "C:\\2.jpg", "C:\\3.jpg"}) list.AppendEntry(path);
  list.SwapEntries(0, 3);
  EXPECT_EQ(list.Path(0), "C:\\3.jpg");
  EXPECT_EQ(list.Name(0), "3");
  EXPECT_EQ(list.Path(3), "C:\\0.jpg");
  EXPECT_EQ(list.Name(3), "0");
  list.SwapEntries(2, 2);
  EXPECT_EQ(list.Path(2), "C:\\2.jpg");

  list.RemoveEntry(1);
  EXPECT_EQ(list.Lines(), (Lines{"C:\\3.jpg", "3", "C:\\2.jpg", "2", "C:\\0.jpg", "0"}));

  list.SetPath(2, "E:\\moved.jpg");
  list.SetName(2, "renamed");
  EXPECT_EQ(list.Path(2), "E:\\moved.jpg");
  EXPECT_EQ(list.Name(2), "renamed");

  list.Clear();
  EXPECT_EQ(list.LineCount(), 0u);
  EXPECT_EQ(list.EntryCount(), 0u);
}

TEST(PlaylistTest, OutOfRangeEntriesThrowAndChangeNothing) {
  Playlist list;
  EXPECT_THROW(list.Path(0), std::out_of_range);
  EXPECT_THROW(list.RemoveEntry(0), std::out_of_range);
  list.AppendLines({"C:\\a.jpg", "a", "orphan"});
  const Lines before = list.Lines();
  EXPECT_THROW(list.Name(1), std::out_of_range);
  EXPECT_THROW(list.SetPath(1, "x"), std::out_of_range);
  EXPECT_THROW(list.SetName(5, "x"), std::out_of_range);
  EXPECT_THROW(list.RemoveEntry(1), std::out_of_range);
  EXPECT_THROW(list.SwapEntries(0, 1), std::out_of_range);
  EXPECT_THROW(list.SwapEntries(static_cast<size_t>(-1), 0), std::out_of_range);
  EXPECT_EQ(list.Lines(), before);
}

}  // namespace
}  // namespace wc
