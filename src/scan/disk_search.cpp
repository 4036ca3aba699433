#include "scan/disk_search.h"

#include <algorithm>

#include "common/entry_kind.h"
#include "common/paths.h"
#include "common/picture_formats.h"
#include "common/text.h"

namespace wc {

KindList ImageKinds() { return PictureExtensions(); }
KindList MovieKinds() { return MovieExtensions(); }
KindList HtmlKinds() { return PageExtensions(); }
KindList SupportedKinds() {
  KindList kinds = ImageKinds();
  for (const KindList& more : {HtmlKinds(), MovieKinds()}) kinds.insert(kinds.end(), more.begin(), more.end());
  return kinds;
}

std::string KindMaskText(const KindList& kinds) {
  std::string text;
  for (const std::string& kind : kinds) {
    if (!text.empty()) text += ';';
    text += '*';
    text += LowerCaseAscii(std::string_view(kind).substr(kind.empty() ? 0 : 1));
  }
  return text;
}

bool MatchesKind(std::string_view extension, const KindList& kinds) {
  if (extension.empty()) return false;
  const std::string upper = UpperCaseText(extension);
  return std::find(kinds.begin(), kinds.end(), upper) != kinds.end();
}

std::string StartMask(std::string_view typedFolder) { return std::string(typedFolder) + "\\*.*"; }

namespace {

bool IsTakenFile(uint32_t attributes) { return (attributes & (kAttrDirectory | kAttrSystem | 0x08)) == 0; }

bool IsEnteredFolder(const std::string& name, uint32_t attributes) {
  return (attributes & kAttrDirectory) != 0 && (attributes & (kAttrHidden | kAttrSystem)) == 0 &&
         !name.empty() && name[0] != '.';
}

}  // namespace

FolderWalk::FolderWalk(FolderSource& source, Options options, FoundFn found, StopFn stop)
    : source_(source), options_(std::move(options)), found_(std::move(found)), stop_(std::move(stop)) {}

void FolderWalk::SearchFolder(const std::string& mask) {
  if (Stopped()) return;
  if (!source_.Fits(mask)) {
    ++tooLong_;
    return;
  }
  const std::string folder = ExtractFilePath(mask);
  const AncestorFolders::Visit visit = ancestors_.Enter(source_.FolderIdentity(folder));
  if (!visit) {
    ++loopsAvoided_;
    return;
  }

  source_.List(mask, [&](const std::string& name, uint32_t attributes) {
    if (Stopped() || !IsTakenFile(attributes) || !MatchesKind(ExtractFileExt(name), options_.kinds)) return;
    std::string path = folder + name;
    if (!source_.Fits(path)) {
      ++tooLong_;
      return;
    }
    found_(path);
  });
  if (!options_.recurse || Stopped()) return;
  const std::string pattern = ExtractFileName(mask);
  std::vector<std::string> subfolders;
  // The listing is closed before the first subfolder is searched: a deep
  // tree does not hold one open listing per level.
  source_.List(folder + "*.*", [&](const std::string& name, uint32_t attributes) {
    if (IsEnteredFolder(name, attributes)) subfolders.push_back(name);
  });
  for (const std::string& name : subfolders) {
    if (Stopped()) return;
    SearchFolder(folder + name + "\\" + pattern);
  }
}

}  // namespace wc
