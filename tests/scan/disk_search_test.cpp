// The disk search's rules on a made-up tree: which files are found, in what
// order, with which paths, and how it comes through loops and long paths.
#include "scan/disk_search.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/paths.h"
#include "common/text.h"

namespace wc {
namespace {

// A tree of folders held in memory. Paths are compared without regard to a
// doubled separator, as the system does; a link is a folder entry whose
// contents are those of another folder (same identity).
class MemoryTree : public FolderSource {
 public:
  struct Entry {
    std::string name;
    uint32_t attributes;
  };
  void AddFolder(const std::string& folder) { folders_[Key(folder)]; }
  void AddFile(const std::string& folder, const std::string& name, uint32_t attributes = kAttrArchive) {
    folders_[Key(folder)].push_back({name, attributes});
  }
  void AddSubfolder(const std::string& folder, const std::string& name, uint32_t attributes = kAttrDirectory) {
    folders_[Key(folder)].push_back({name, attributes | kAttrDirectory});
    AddFolder(folder + "\\" + name);
  }
  // `folder`\`name` leads to `target`.
  void AddLink(const std::string& folder, const std::string& name, const std::string& target) {
    folders_[Key(folder)].push_back({name, kAttrDirectory});
    links_[Key(folder + "\\" + name)] = Key(target);
  }
  size_t maxPath = 260;
  std::vector<std::string> listed;  // every mask listed, in order

  void List(const std::string& mask,
            const std::function<void(const std::string&, uint32_t)>& each) override {
    listed.push_back(mask);
    auto it = folders_.find(Resolve(Key(ExtractFilePath(mask))));
    if (it == folders_.end()) return;
    for (const Entry& e : it->second) each(e.name, e.attributes);
  }
  std::optional<std::string> FolderIdentity(const std::string& folder) override {
    std::string key = Resolve(Key(folder));
    if (!folders_.count(key)) return std::nullopt;
    return key;
  }
  bool Fits(const std::string& path) const override { return path.size() < maxPath; }

 private:
  // Upper case, single separators, no trailing one.
  static std::string Key(const std::string& path) {
    std::string key;
    for (char c : UpperCaseText(path)) {
      if (c == '\\' && !key.empty() && key.back() == '\\') continue;
      key += c;
    }
    while (!key.empty() && key.back() == '\\') key.pop_back();
    return key;
  }
  // Follows links in any leading part of the path.
  std::string Resolve(std::string key) const {
    for (bool changed = true; changed;) {
      changed = false;
      for (const auto& [from, to] : links_) {
        if (key == from || key.rfind(from + "\\", 0) == 0) {
          key = to + key.substr(from.size());
          changed = true;
          break;
        }
      }
    }
    return key;
  }
  std::map<std::string, std::vector<Entry>> folders_;
  std::map<std::string, std::string> links_;
};

struct Counts {
  int loops = 0;
  int tooLong = 0;
};

std::vector<std::string> Search(MemoryTree& tree, const std::string& folder, bool recurse,
                                const KindList& kinds = ImageKinds(), Counts* counts = nullptr) {
  std::vector<std::string> found;
  FolderWalk walk(tree, {kinds, recurse}, [&](const std::string& p) { found.push_back(p); });
  walk.Run(folder);
  if (counts) *counts = {walk.LoopsAvoided(), walk.TooLong()};
  return found;
}

TEST(KindListTest, MasksAndMatches) {
  // Pictures are every kind the program reads: here, with no system decoders
  // asked, the base ones.
  EXPECT_EQ(KindMaskText(SupportedKinds()),
            "*jpg;*jpeg;*bmp;*ico;*emf;*wmf;*png;*gif;*tif;*tiff;*html;*htm;*avi;*mpg;*mpeg");
  EXPECT_EQ(KindMaskText(ImageKinds()), "*jpg;*jpeg;*bmp;*ico;*emf;*wmf;*png;*gif;*tif;*tiff");
  EXPECT_EQ(KindMaskText(MovieKinds()), "*avi;*mpg;*mpeg");
  EXPECT_EQ(KindMaskText(HtmlKinds()), "*html;*htm");
  EXPECT_EQ(KindMaskText({}), "");
  for (const KindList& k : {ImageKinds(), MovieKinds(), HtmlKinds(), SupportedKinds()}) {
    EXPECT_LE(k.size(), kMaxKinds);
  }

  EXPECT_TRUE(MatchesKind(ExtractFileExt("photo.jpg"), ImageKinds()));
  EXPECT_TRUE(MatchesKind(ExtractFileExt("photo.JpG"), ImageKinds()));
  EXPECT_FALSE(MatchesKind(ExtractFileExt("photo"), ImageKinds()));
  EXPECT_FALSE(MatchesKind(ExtractFileExt("photo.jpg.txt"), ImageKinds()));
  EXPECT_FALSE(MatchesKind(ExtractFileExt("photo.jpgx"), ImageKinds()));
  EXPECT_FALSE(MatchesKind(ExtractFileExt("photo."), ImageKinds()));
  // Only a..z change case: an accented letter is compared as it is.
  EXPECT_FALSE(MatchesKind(".jp\xc3\xa9", KindList{".JP\xc3\x89"}));
  EXPECT_TRUE(MatchesKind(".jp\xc3\xa9", KindList{".JP\xc3\xa9"}));
  // An empty entry does not make names without extension match.
  EXPECT_FALSE(MatchesKind("", KindList{""}));
  EXPECT_FALSE(MatchesKind(".swf", ImageKinds()));
  EXPECT_FALSE(MatchesKind(".swf", MovieKinds()));  // no page the program writes plays it
}

TEST(FolderWalkTest, FindsTheSameFilesWithOrWithoutATrailingSeparator) {
  MemoryTree tree;
  tree.AddFile("C:\\Pictures", "a.jpg");
  tree.AddFile("C:\\Pictures", "notes.txt");
  tree.AddSubfolder("C:\\Pictures", "Sub");
  tree.AddFile("C:\\Pictures\\Sub", "b.bmp");
  EXPECT_EQ(Search(tree, "C:\\Pictures", true),
            (std::vector<std::string>{"C:\\Pictures\\a.jpg", "C:\\Pictures\\Sub\\b.bmp"}));
  EXPECT_EQ(Search(tree, "C:\\Pictures\\", true),
            (std::vector<std::string>{"C:\\Pictures\\\\a.jpg", "C:\\Pictures\\\\Sub\\b.bmp"}));
  EXPECT_EQ(tree.listed.back(), "C:\\Pictures\\\\Sub\\*.*");
  // Without recursion the subfolder is never listed.
  tree.listed.clear();
  EXPECT_EQ(Search(tree, "C:\\Pictures", false), (std::vector<std::string>{"C:\\Pictures\\a.jpg"}));
  EXPECT_EQ(tree.listed, (std::vector<std::string>{"C:\\Pictures\\*.*"}));
  // A folder that is not there ends the search with nothing.
  EXPECT_TRUE(Search(tree, "C:\\Nowhere", true).empty());
  EXPECT_TRUE(Search(tree, "", true).empty());
}

TEST(FolderWalkTest, DepthFirstWithTheAttributeAndDotRules) {
  MemoryTree tree;
  tree.AddFile("D:\\w", "one.jpg");
  tree.AddSubfolder("D:\\w", "first");
  tree.AddFile("D:\\w", "hidden.jpg", kAttrHidden);
  tree.AddFile("D:\\w", "system.jpg", kAttrSystem | kAttrArchive);
  tree.AddFile("D:\\w", "readonly.JPEG", kAttrReadOnly);
  tree.AddFile("D:\\w", "label.jpg", 0x08);
  tree.AddSubfolder("D:\\w", "second");
  tree.AddSubfolder("D:\\w", ".cache");
  tree.AddSubfolder("D:\\w", ".");
  tree.AddSubfolder("D:\\w", "..");
  tree.AddSubfolder("D:\\w", "secret", kAttrHidden);
  tree.AddSubfolder("D:\\w", "sys", kAttrSystem);
  tree.AddSubfolder("D:\\w\\first", "deeper");
  tree.AddFile("D:\\w\\first\\deeper", "d.ico");
  tree.AddFile("D:\\w\\first", "f.wmf");
  tree.AddFile("D:\\w\\second", "s.emf");
  tree.AddFile("D:\\w\\second", "s.avi");
  tree.AddFile("D:\\w\\.cache", "c.jpg");
  tree.AddFile("D:\\w\\secret", "x.jpg");
  tree.AddFile("D:\\w\\sys", "y.jpg");
  // A folder whose name has an extension is no file to take.
  tree.AddSubfolder("D:\\w", "album.jpg");
  EXPECT_EQ(Search(tree, "D:\\w", true),
            (std::vector<std::string>{"D:\\w\\one.jpg", "D:\\w\\hidden.jpg", "D:\\w\\readonly.JPEG",
                                      "D:\\w\\first\\f.wmf", "D:\\w\\first\\deeper\\d.ico", "D:\\w\\second\\s.emf"}));
  EXPECT_EQ(Search(tree, "D:\\w", true, MovieKinds()), (std::vector<std::string>{"D:\\w\\second\\s.avi"}));
}

TEST(FolderWalkTest, ALinkBackUpTheTreeIsNotWalkedAgainAndLongPathsArePassedOver) {
  MemoryTree tree;
  tree.AddFile("E:\\top", "t.jpg");
  tree.AddSubfolder("E:\\top", "mid");
  tree.AddFile("E:\\top\\mid", "m.jpg");
  tree.AddLink("E:\\top\\mid", "up", "E:\\top");     // back to an ancestor: a loop
  tree.AddLink("E:\\top\\mid", "self", "E:\\top\\mid");
  tree.AddSubfolder("E:\\top", "other");
  tree.AddFile("E:\\top\\other", "o.jpg");
  tree.AddLink("E:\\top", "again", "E:\\top\\other");  // a second way to a folder beside: walked
  Counts used;
  EXPECT_EQ(Search(tree, "E:\\top", true, ImageKinds(), &used),
            (std::vector<std::string>{"E:\\top\\t.jpg", "E:\\top\\mid\\m.jpg", "E:\\top\\other\\o.jpg",
                                      "E:\\top\\again\\o.jpg"}));
  EXPECT_EQ(used.loops, 2);

  // A deep chain whose paths outgrow the limit: the files beyond it are
  // passed over, those within it found.
  MemoryTree deep;
  deep.maxPath = 40;
  std::string folder = "F:\\d";
  for (int i = 0; i < 12; ++i) {
    deep.AddFile(folder, "p" + std::to_string(i) + ".jpg");
    deep.AddSubfolder(folder, "level");
    folder += "\\level";
  }
  std::vector<std::string> found = Search(deep, "F:\\d", true, ImageKinds(), &used);
  ASSERT_FALSE(found.empty());
  for (const std::string& p : found) EXPECT_LT(p.size(), 40u) << p;
  EXPECT_EQ(found.size(), 5u);  // F:\d\level\level\level\level\p4.jpg has 35 characters
  EXPECT_GT(used.tooLong, 0);
}

TEST(FolderWalkTest, StopsWhenAsked) {
  MemoryTree tree;
  for (int i = 0; i < 5; ++i) tree.AddFile("G:\\s", "f" + std::to_string(i) + ".jpg");
  tree.AddSubfolder("G:\\s", "sub");
  tree.AddFile("G:\\s\\sub", "z.jpg");
  std::vector<std::string> found;
  FolderWalk walk(tree, {ImageKinds(), true}, [&](const std::string& p) { found.push_back(p); },
                  [&] { return found.size() >= 2; });
  walk.Run("G:\\s");
  EXPECT_EQ(found.size(), 2u);
  EXPECT_EQ(tree.listed.size(), 1u);  // nothing listed after the stop
}

}  // namespace
}  // namespace wc
