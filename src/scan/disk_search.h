#pragma once
// The disk search's rules, apart from the file system they walk: which
// files match a kind list, how the kind list is shown as a mask, and the
// depth-first walk of a folder tree. The walk asks a FolderSource for the
// entries, so it runs the same on the system's files and on a tree made up
// by a test.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ancestor_folders.h"

namespace wc {

// Extensions, upper case with the leading dot, in the order they are tried.
using KindList = std::vector<std::string>;

// The four kind lists of the scan dialog's file-kind menu. The pictures are
// every kind the program reads, the system's decoders' included.
KindList ImageKinds();
KindList MovieKinds();
KindList HtmlKinds();
KindList SupportedKinds();

// The kind list never holds more than this many entries: every picture
// kind with room for the codecs a user may add, and the pages and movies.
constexpr size_t kMaxKinds = 64;

// "*jpg;*jpeg": each entry without its dot, letters in lower case.
std::string KindMaskText(const KindList& kinds);

// The extension (dot included) with a..z upper-cased, equal to an entry.
// A name without extension matches nothing.
bool MatchesKind(std::string_view extension, const KindList& kinds);

// The first folder's mask: the folder as typed + "\*.*". A trailing "\" is
// kept, so "C:\" gives "C:\\*.*" and the paths found carry the doubled
// separator, which the system accepts.
std::string StartMask(std::string_view typedFolder);

// Entry attributes, with the system's values.
enum : uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
};

// What the walk needs to know of the file system.
class FolderSource {
 public:
  virtual ~FolderSource() = default;
  // Calls `each` for every entry matching `mask` (a folder path + a name
  // pattern), in the system's order. A folder that does not exist or cannot
  // be read lists nothing.
  virtual void List(const std::string& mask,
                    const std::function<void(const std::string& name, uint32_t attributes)>& each) = 0;
  // What tells one folder from another, whatever path leads to it (a link
  // can lead back to a folder above); nullopt when it cannot be told.
  virtual std::optional<std::string> FolderIdentity(const std::string& folder) = 0;
  // Whether the system can open a path this long.
  virtual bool Fits(const std::string& path) const = 0;
};

// A depth-first search: all matching files of a folder, then each subfolder
// in full, one after the other. Files are taken when they are not folders,
// system files or volume labels (hidden ones are taken); subfolders are
// entered when they are neither hidden nor system files and their names do
// not begin with ".". A folder already on the way down from the start is
// not entered again, and a path too long to open is passed over.
class FolderWalk {
 public:
  struct Options {
    KindList kinds;
    bool recurse = false;
  };
  using FoundFn = std::function<void(const std::string& path)>;
  using StopFn = std::function<bool()>;

  FolderWalk(FolderSource& source, Options options, FoundFn found, StopFn stop = nullptr);

  // Searches from a folder as the user typed it.
  void Run(std::string_view typedFolder) { SearchFolder(StartMask(typedFolder)); }
  // One folder (the mask's folder part) and, when recursing, those below.
  void SearchFolder(const std::string& mask);

  // Folders left out because they were already on the way down.
  int LoopsAvoided() const { return loopsAvoided_; }
  // Paths passed over because they were too long.
  int TooLong() const { return tooLong_; }

 private:
  bool Stopped() const { return stop_ && stop_(); }
  FolderSource& source_;
  Options options_;
  FoundFn found_;
  StopFn stop_;
  AncestorFolders ancestors_;  // the folders being searched
  int loopsAvoided_ = 0;
  int tooLong_ = 0;
};

}  // namespace wc
