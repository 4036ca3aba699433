// Windows paths as 8-bit text, from playlists and dialogs: the pieces of a
// path put together give the path again, and joining never doubles a "\".
#include <algorithm>
#include <string>
#include <string_view>

#include "common/paths.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wc::fuzz::Input in(data, size);
  const std::string_view folder = in.Text(in.Byte());
  const std::string_view path = in.RestText();

  const std::string name = wc::ExtractFileName(path);
  const std::string where = wc::ExtractFilePath(path);
  FUZZ_CHECK(where + name == path);
  FUZZ_CHECK(name.find_first_of("\\:") == std::string::npos);
  FUZZ_CHECK(where.empty() || where.back() == '\\' || where.back() == ':');

  const std::string ext = wc::ExtractFileExt(path);
  FUZZ_CHECK(ext.empty() || (ext.front() == '.' && name.ends_with(ext)));
  FUZZ_CHECK(ext.find('.', 1) == std::string::npos);
  FUZZ_CHECK(wc::DisplayName(path).size() == name.size() - ext.size());

  const std::string with = wc::IncludeTrailingBackslash(path);
  FUZZ_CHECK(!with.empty() && with.back() == '\\');
  FUZZ_CHECK(wc::IncludeTrailingBackslash(with) == with);
  FUZZ_CHECK(wc::ExcludeTrailingBackslash(with) == (path.ends_with('\\') ? path.substr(0, path.size() - 1) : path));

  // Joining drops the name's leading "\"s and puts one "\" after a folder
  // that has none at its end.
  const std::string joined = wc::JoinPath(folder, path);
  const size_t first = std::min(path.find_first_not_of('\\'), path.size());
  const std::string_view bare = path.substr(first);
  if (folder.empty()) {
    FUZZ_CHECK(joined == bare);
  } else {
    FUZZ_CHECK(joined == wc::ExcludeTrailingBackslash(folder) + "\\" + std::string(bare));
  }
  return 0;
}
