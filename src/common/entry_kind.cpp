#include "common/entry_kind.h"

#include "common/paths.h"
#include "common/picture_formats.h"

namespace wc {

const std::vector<std::string>& MovieExtensions() {
  static const std::vector<std::string> kinds = {".AVI", ".MPG", ".MPEG"};
  return kinds;
}

const std::vector<std::string>& PageExtensions() {
  static const std::vector<std::string> kinds = {".HTML", ".HTM"};
  return kinds;
}

EntryKind KindOfEntry(std::string_view path) {
  const std::string ext = ExtractFileExt(path);
  if (HasExtension(MovieExtensions(), ext)) return EntryKind::Movie;
  if (HasExtension(PageExtensions(), ext)) return EntryKind::Page;
  return EntryKind::Picture;
}

}  // namespace wc
