#include "app/remote_command.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace wc {
namespace {

using Args = std::vector<std::string>;

TEST(RemoteCommand, TheSwitchesAreCommandsAndEverythingElseStartsAsBefore) {
  EXPECT_EQ(std::get<RemoteCommand>(ParseCommandLine({"/next"})), (RemoteCommand{RemoteVerb::Next, ""}));
  EXPECT_EQ(std::get<RemoteCommand>(ParseCommandLine({"/Previous"})), (RemoteCommand{RemoteVerb::Previous, ""}));
  EXPECT_EQ(std::get<RemoteCommand>(ParseCommandLine({"/apply", "C:\\a b.jpg"})),
            (RemoteCommand{RemoteVerb::Apply, "C:\\a b.jpg"}));
  EXPECT_EQ(std::get<RemoteCommand>(ParseCommandLine({"/playlist", "x.qvl"})),
            (RemoteCommand{RemoteVerb::Playlist, "x.qvl"}));
  // A playlist named alone, the start-up switch and nothing at all are no commands.
  for (const Args& args : {Args{}, Args{"D:\\Summer.qvl"}, Args{"-startup"}, Args{"-opensite"}, Args{""}}) {
    EXPECT_TRUE(std::holds_alternative<NoRemoteCommand>(ParseCommandLine(args)));
  }
  // Unknown switches, a missing file, and words left over are mistakes,
  // each naming the word at fault.
  EXPECT_EQ(std::get<CommandLineError>(ParseCommandLine({"/bogus"})).word, "/bogus");
  EXPECT_EQ(std::get<CommandLineError>(ParseCommandLine({"/apply"})).word, "/apply");
  EXPECT_EQ(std::get<CommandLineError>(ParseCommandLine({"/apply", ""})).word, "/apply");
  EXPECT_EQ(std::get<CommandLineError>(ParseCommandLine({"/apply", "a.jpg", "b.jpg"})).word, "/apply");
  EXPECT_EQ(std::get<CommandLineError>(ParseCommandLine({"/pause", "now"})).word, "now");
  EXPECT_TRUE(std::holds_alternative<CommandLineError>(ParseCommandLine({"/apply", std::string(200000, 'a')})));
}

TEST(RemoteCommand, OnlyAWellFormedMessageFromAnotherStartIsTaken) {
  for (const RemoteCommand& c : {RemoteCommand{RemoteVerb::Resume, ""}, RemoteCommand{RemoteVerb::Apply, "C:\\\xC3\xA9t\xC3\xA9.jpg"}}) {
    EXPECT_EQ(DecodeRemoteCommand(kRemoteCommandMarker, EncodeRemoteCommand(c)), c);
  }
  const std::string next = EncodeRemoteCommand({RemoteVerb::Next, ""});
  EXPECT_EQ(DecodeRemoteCommand(kRemoteCommandMarker + 1, next), std::nullopt) << "another program's message";
  EXPECT_EQ(DecodeRemoteCommand(kRemoteCommandMarker, ""), std::nullopt);
  EXPECT_EQ(DecodeRemoteCommand(kRemoteCommandMarker, std::string(1, char(99))), std::nullopt) << "no such verb";
  EXPECT_EQ(DecodeRemoteCommand(kRemoteCommandMarker, next + "x.jpg"), std::nullopt) << "a file where none belongs";
  EXPECT_EQ(DecodeRemoteCommand(kRemoteCommandMarker, std::string(1, char(RemoteVerb::Apply))), std::nullopt);
  EXPECT_EQ(DecodeRemoteCommand(kRemoteCommandMarker, std::string(1, char(RemoteVerb::Apply)) + std::string("a\0b", 3)),
            std::nullopt);
  EXPECT_EQ(DecodeRemoteCommand(kRemoteCommandMarker, std::string(1, char(RemoteVerb::Apply)) + std::string(200000, 'a')),
            std::nullopt);
}

}  // namespace
}  // namespace wc
