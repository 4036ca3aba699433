#include "playlist/playlist_file.h"

#include <windows.h>

#include "common/file_write.h"
#include "common/text_encoding.h"
#include "common/text_encoding_win32.h"
#include "playlist/playlist_format.h"
#include "ui/error.h"
#include "ui/graphics.h"
#include "ui/handle.h"
#include "ui/wide_text.h"

namespace wc {

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  // The wide call: a name in another script may take more bytes of UTF-8
  // than the 8-bit calls accept, though the system holds it.
  DWORD a = GetFileAttributesW(ui::Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> ReadPlaylistFile(const std::string& path) {
  std::vector<std::string> lines = ParsePlaylistText(ui::ReadSharedFile(path));
  // A line that is not UTF-8 was written by an older version in the legacy
  // code page (see text_encoding.h).
  for (std::string& line : lines) {
    if (!IsValidUtf8(line)) line = LegacyAnsiToUtf8(line);
  }
  return lines;
}

void WritePlaylistFile(const std::string& path, const std::vector<std::string>& lines) {
  auto fail = [&](DWORD code) {
    throw ui::Error("Cannot create file \"" + path + "\". " + ui::SystemErrorText(code));
  };
  // A read-only playlist stays as it is, as a file opened for writing would.
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    fail(ERROR_ACCESS_DENIED);
  }
  std::string text = FormatPlaylistText(lines);
  ReplacingWrite beside(path);
  {
    ui::FileHandle file(
        CreateFileA(beside.Temp().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) fail(GetLastError());
    DWORD written = 0;
    bool ok = text.empty() || (WriteFile(file.get(), text.data(), DWORD(text.size()), &written, nullptr) &&
                               written == text.size());
    if (ok) ok = FlushFileBuffers(file.get()) != FALSE;
    if (!ok) fail(GetLastError());
  }
  if (!beside.Replace()) fail(GetLastError());
}

}  // namespace wc
