#pragma once
// Making playlist files (".qvl") known to the shell: opening one starts the
// program with the file's path as its only argument.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wc {

struct ClassesRow {
  std::string key;    // below the classes root
  std::string value;  // the key's default value
};

// The keys and default values that register the playlist type for the
// program at `exePath`, in the order they are written.
std::vector<ClassesRow> PlaylistFileTypeRows(const std::string& exePath);

// Opens or creates `key` below `root` and writes its default value; false
// when the key cannot be opened or created or the value not written.
bool WriteDefaultRegistryValue(HKEY root, const std::string& key, const std::string& value);
using DefaultValueWriter = std::function<bool(HKEY root, const std::string& key, const std::string& value)>;

// Writes every row through HKEY_CLASSES_ROOT. A row the machine-wide
// classes refuse (an account that may not write there) is written to the
// user's own classes (HKEY_CURRENT_USER\Software\Classes), which the shell
// shows through HKEY_CLASSES_ROOT and prefers. Then tells the shell that
// file associations changed. A row refused in both places stops the
// registration with ui::Error("Failed to set data for ''"); the rows before
// it stay written.
void RegisterPlaylistFileType(const std::string& exePath, const DefaultValueWriter& write = WriteDefaultRegistryValue);

}  // namespace wc
