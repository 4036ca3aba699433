#include "program_texts.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "lang/language_file.h"
#include "ui/component.h"

namespace wc::test {

namespace {

void Gather(const ui::Component& c, const std::string& where, std::vector<ShownText>& out) {
  for (const ui::Property& p : c.Properties()) {
    // What a window shows; a component's other texts (a language file's
    // path, its list of property names) are for the program only.
    if (p.name != "Caption" && p.name != "Hint" && p.name != "Text" && p.name != "Items") continue;
    std::string text = p.getText();
    if (!text.empty()) out.push_back({where + "." + p.name, WithoutAccessKeys(text)});
  }
  for (const ui::Component* child : c.Components()) Gather(*child, where + "." + child->Name(), out);
}

}  // namespace

std::vector<ShownText> TextsBelow(const ui::Component& root) {
  std::vector<ShownText> out;
  Gather(root, root.Name(), out);
  return out;
}

std::string WithoutAccessKeys(const std::string& caption) {
  std::string shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      shown += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      shown += '&';
      ++i;
    }
  }
  return shown;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (FindNextFileA(h, &found));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<ShownText> LanguageFileValues(const std::string& folder) {
  std::vector<ShownText> out;
  for (const std::string& name : FilesIn(folder, "*.lng")) {
    const LanguageFileText file = LanguageFileText::Parse(ReadWholeFile(folder + "\\" + name));
    for (const LanguageFileText::Section& section : file.Sections()) {
      for (const LanguageFileText::Entry& e : section.entries) {
        out.push_back({name + " [" + section.name + "] " + e.key, e.value});
      }
    }
  }
  return out;
}

}  // namespace wc::test
