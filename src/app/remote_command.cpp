#include "app/remote_command.h"

#include <array>
#include <utility>

#include "common/text.h"

namespace wc {

namespace {

constexpr std::array<std::pair<RemoteVerb, std::string_view>, 8> kSwitches = {{
    {RemoteVerb::Next, "/next"},
    {RemoteVerb::Previous, "/previous"},
    {RemoteVerb::Pause, "/pause"},
    {RemoteVerb::Resume, "/resume"},
    {RemoteVerb::Apply, "/apply"},
    {RemoteVerb::Playlist, "/playlist"},
    {RemoteVerb::Favourite, "/favourite"},
    {RemoteVerb::Exclude, "/exclude"},
}};

bool TakesFile(RemoteVerb verb) { return verb == RemoteVerb::Apply || verb == RemoteVerb::Playlist; }

// The longest path the wide file functions take, in UTF-8 bytes at most.
constexpr size_t kLongestFile = 32767 * 3;

}  // namespace

std::string_view SwitchOf(RemoteVerb verb) {
  for (const auto& [v, text] : kSwitches) {
    if (v == verb) return text;
  }
  return {};
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments[0].empty() || arguments[0][0] != '/') return NoRemoteCommand{};
  const std::string word = LowerCaseAscii(arguments[0]);
  for (const auto& [verb, text] : kSwitches) {
    if (word != text) continue;
    if (!TakesFile(verb)) {
      // Anything after a command that takes no file is a mistake, not
      // something to ignore quietly.
      if (arguments.size() > 1) return CommandLineError{arguments[1]};
      return RemoteCommand{verb, {}};
    }
    if (arguments.size() != 2 || arguments[1].empty() || arguments[1].size() > kLongestFile) {
      return CommandLineError{arguments[0]};
    }
    return RemoteCommand{verb, arguments[1]};
  }
  return CommandLineError{arguments[0]};
}

std::string EncodeRemoteCommand(const RemoteCommand& command) {
  std::string bytes(1, char(command.verb));
  bytes += command.file;
  return bytes;
}

std::optional<RemoteCommand> DecodeRemoteCommand(uint32_t marker, std::string_view bytes) {
  if (marker != kRemoteCommandMarker || bytes.empty() || bytes.size() > kLongestFile + 1) return std::nullopt;
  const auto verb = RemoteVerb(uint8_t(bytes[0]));
  if (uint8_t(verb) >= kSwitches.size()) return std::nullopt;
  RemoteCommand command{verb, std::string(bytes.substr(1))};
  // A file where none belongs, none where one does, or a zero inside it.
  if (TakesFile(verb) == command.file.empty() || command.file.find('\0') != std::string::npos) return std::nullopt;
  return command;
}

}  // namespace wc
