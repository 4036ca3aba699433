#include "playlist/playlist_format.h"

#include <gtest/gtest.h>

#include "playlist/playlist.h"

namespace wc {
namespace {

using Lines = std::vector<std::string>;

TEST(ParsePlaylistTextTest, LineEnds) {
  EXPECT_EQ(ParsePlaylistText(""), Lines{});
  EXPECT_EQ(ParsePlaylistText("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(ParsePlaylistText("a"), (Lines{"a"}));
  EXPECT_EQ(ParsePlaylistText("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(ParsePlaylistText("a\n\rb"), (Lines{"a", "", "b"}));  // LF CR is two line ends
  EXPECT_EQ(ParsePlaylistText("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(ParsePlaylistText("a\r\n\nb\r"), (Lines{"a", "", "b"}));
  EXPECT_EQ(ParsePlaylistText("\n"), (Lines{""}));
}

TEST(ParsePlaylistTextTest, StopsAtNul) {
  using namespace std::string_literals;
  EXPECT_EQ(ParsePlaylistText("a\r\nb\0c\r\nd"s), (Lines{"a", "b"}));
  EXPECT_EQ(ParsePlaylistText("\0a\r\n"s), Lines{});
  EXPECT_EQ(ParsePlaylistText("a\r\n\0"s), (Lines{"a"}));
}

TEST(ParsePlaylistTextTest, KeepsBytesAsTheyAre) {
  // No trimming, no validation, high ANSI bytes and tabs untouched.
  EXPECT_EQ(ParsePlaylistText("  C:\\Caf\xE9\\x.jpg \t\r\nnot a path"), (Lines{"  C:\\Caf\xE9\\x.jpg \t", "not a path"}));
}

TEST(FormatPlaylistTextTest, EveryLineEndsWithCrLf) {
  EXPECT_EQ(FormatPlaylistText({}), "");
  EXPECT_EQ(FormatPlaylistText({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(PlaylistFileRoundTripTest, NEntriesGive2NLines) {
  Playlist list;
  for (int i = 0; i < 5; ++i) list.AppendEntry("C:\\Pictures\\photo" + std::to_string(i) + ".jpg");
  const std::string text = FormatPlaylistText(list.Lines());
  size_t crlf = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++crlf;
  EXPECT_EQ(crlf, 10u);
  EXPECT_EQ(text.substr(0, 35), "C:\\Pictures\\photo0.jpg\r\nphoto0\r\nC:\\");

  Playlist loaded;
  loaded.AppendLines(ParsePlaylistText(text));
  EXPECT_EQ(loaded.Lines(), list.Lines());
  EXPECT_EQ(loaded.EntryCount(), 5u);
}

TEST(PlaylistFileRoundTripTest, OddAndEmptyLinesSurvive) {
  const Lines lines{"C:\\a.jpg", "", "", "C:\\b.jpg", "stray"};
  EXPECT_EQ(ParsePlaylistText(FormatPlaylistText(lines)), lines);
  // A file with mixed line ends is rewritten with CR LF only.
  EXPECT_EQ(FormatPlaylistText(ParsePlaylistText("x\ny\rz")), "x\r\ny\r\nz\r\n");
}

}  // namespace
}  // namespace wc
