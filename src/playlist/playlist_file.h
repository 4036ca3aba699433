#pragma once
// Reading and writing playlist files (".qvl") on disk.
#include <string>
#include <vector>

namespace wc {

// The lines of a playlist file. Throws ui::Error when it cannot be read.
std::vector<std::string> ReadPlaylistFile(const std::string& path);

// Writes the lines, each ended by CR LF. The text goes to a new file beside
// the target first and replaces the target only once it is complete, so a
// failed or interrupted write never leaves a cut-off playlist behind.
// Throws ui::Error("Cannot create file "<path>". <reason>").
void WritePlaylistFile(const std::string& path, const std::vector<std::string>& lines);

// True when a file (not a folder) exists at the path.
bool FileExists(const std::string& path);

}  // namespace wc
