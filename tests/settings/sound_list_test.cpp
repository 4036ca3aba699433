// Sound-list files as text: any line end read, CR LF written, legacy lines
// converted, and the limit of what the sound service takes.
#include <gtest/gtest.h>

#include "common/text_encoding.h"
#include "settings/sound_list.h"

namespace wc {
namespace {

std::string Legacy(std::string_view text) { return Windows1252ToUtf8(text); }

TEST(SoundListText, EveryLineIsAnEntryWhateverItsEnd) {
  EXPECT_EQ(ParseSoundListText("", &Legacy), std::vector<std::string>{});
  EXPECT_EQ(ParseSoundListText("a\r\n", &Legacy), std::vector<std::string>{"a"});
  EXPECT_EQ(ParseSoundListText("a\r\n\r\nb\nc\rd", &Legacy), (std::vector<std::string>{"a", "", "b", "c", "d"}));
  EXPECT_EQ(ParseSoundListText("\n\n", &Legacy), (std::vector<std::string>{"", ""}));
  // UTF-8 stays; a line that is not UTF-8 is legacy text.
  EXPECT_EQ(ParseSoundListText("caf\xC3\xA9\r\ncaf\xE9", &Legacy),
            (std::vector<std::string>{"caf\xC3\xA9", "caf\xC3\xA9"}));
  EXPECT_EQ(FormatSoundListText({"a", "", "b"}), "a\r\n\r\nb\r\n");
  const std::vector<std::string> paths = {"C:\\x.wav", "", "D:\\\xC3\xA9.wav"};
  EXPECT_EQ(ParseSoundListText(FormatSoundListText(paths), &Legacy), paths);
}

TEST(SoundListText, OnlyPathsTheSoundServiceCanTakeArePlayable) {
  const std::string fits(kMaxSoundPathLength, 'x');
  EXPECT_EQ(PlayableSoundPath(fits), fits);
  EXPECT_EQ(PlayableSoundPath(fits + "x"), std::nullopt);
  EXPECT_EQ(PlayableSoundPath(std::string("a\0b", 3)), std::nullopt);
  EXPECT_EQ(PlayableSoundPath(""), "");
}

}  // namespace
}  // namespace wc
