#pragma once
// What the user reads in the program's windows and around them, gathered for
// the tests that hold the help and the product's name against it.
#include <string>
#include <vector>

namespace ui {
class Component;
}

namespace wc::test {

struct ShownText {
  std::string where;  // "ScanDiskForm.Caption", "MainForm.Add1.Addwallpapers1.Caption", ...
  std::string text;   // as shown: "&" marks no longer in it ("&&" is one "&")
};

// Every shown text (caption, tip, text, list items) of `root` and of every
// component below it.
std::vector<ShownText> TextsBelow(const ui::Component& root);

// The text a caption shows for its access-key marks.
std::string WithoutAccessKeys(const std::string& caption);

// Every entry value of the language files ("*.lng") in `folder`, as
// "<file> [<section>] <key>" and the value.
std::vector<ShownText> LanguageFileValues(const std::string& folder);

std::string ReadWholeFile(const std::string& path);
// The names of the files in `folder` that match `pattern` ("*.htm").
std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern);

}  // namespace wc::test
