#pragma once
// The command line that drives a running copy: "/next", "/previous",
// "/pause", "/resume", "/favourite", "/exclude", "/apply FILE" and
// "/playlist FILE.qvl". Scripts, shortcuts and the Task Scheduler start the program with one of them; a
// copy already running carries it out, else the new copy starts and does.
// A plain file name (a playlist to open), "-startup" and "-opensite" are no
// commands: they start the program as they always have.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace wc {

enum class RemoteVerb : uint8_t { Next, Previous, Pause, Resume, Apply, Playlist, Favourite, Exclude };

struct RemoteCommand {
  RemoteVerb verb;
  std::string file;  // for Apply and Playlist
  bool operator==(const RemoteCommand&) const = default;
};

// What the words after the program's name ask for.
struct NoRemoteCommand {};
struct CommandLineError {
  std::string word;  // the switch not understood, or the one without its file
};
using ParsedCommandLine = std::variant<NoRemoteCommand, RemoteCommand, CommandLineError>;
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The switch a command is written with ("/apply").
std::string_view SwitchOf(RemoteVerb verb);

// The command as it travels to the running copy (WM_COPYDATA): a marker the
// receiver checks, the verb, and the file in UTF-8. Decoding refuses
// anything else, including a file longer than the system's longest path.
inline constexpr uint32_t kRemoteCommandMarker = 0x57435231;  // "WCR1"
std::string EncodeRemoteCommand(const RemoteCommand& command);
std::optional<RemoteCommand> DecodeRemoteCommand(uint32_t marker, std::string_view bytes);

}  // namespace wc
