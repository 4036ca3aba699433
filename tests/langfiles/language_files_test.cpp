// The shipped language files, checked the way the program reads them: a
// Windows INI file (section and key names without regard to case, blanks
// around names and values dropped, the first of two equal keys wins, values
// read into a 2048-byte buffer) in UTF-8 without a byte-order mark.
//
// Every line of the translation list and every message id must have a
// non-empty value, list values need their four items, accelerators must
// survive translation, and each language must really be written in its own
// letters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef WC_LANG_FILES_DIR
#error "WC_LANG_FILES_DIR names the folder holding the .lng files"
#endif

#include "lang/translation_list.h"

namespace {

const std::vector<std::string> kLanguages = {"English", "French", "Spanish", "Romanian", "Arabic"};
constexpr size_t kValueLimit = 2047;  // the reader's buffer holds 2048 bytes with the final zero

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return s;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The keys the program reads: every line of its translation list (once) and
// every message id it looks up.
std::vector<std::string> TranslationKeys() {
  std::vector<std::string> out;
  for (std::string_view line : wc::TranslationList()) out.emplace_back(line);
  return out;
}

std::vector<std::string> MessageIds() {
  std::set<std::string> ids{std::string(wc::kWallpaperClearedMessage)};
  for (const wc::HintMessage& row : wc::HintMessages()) ids.emplace(row.id);
  return std::vector<std::string>(ids.begin(), ids.end());
}

struct Entry {
  std::string key;    // as written
  std::string value;  // raw, untrimmed
  int line = 0;
};

struct LanguageFile {
  std::string name;
  std::string bytes;
  // Lower-cased section -> entries in file order.
  std::map<std::string, std::vector<Entry>> sections;
  std::vector<std::string> problems;  // lines the INI rules would not read as meant

  // What the program reads for this key: the first entry, value trimmed.
  const Entry* Find(const std::string& section, const std::string& key) const {
    auto s = sections.find(Lower(section));
    if (s == sections.end()) return nullptr;
    for (const Entry& e : s->second)
      if (Lower(Trim(e.key)) == Lower(key)) return &e;
    return nullptr;
  }
  std::string Value(const std::string& section, const std::string& key) const {
    const Entry* e = Find(section, key);
    return e ? Trim(e->value) : std::string();
  }
};

LanguageFile Load(const std::string& lang) {
  LanguageFile f;
  f.name = lang;
  f.bytes = ReadAll(std::string(WC_LANG_FILES_DIR) + "/" + lang + ".lng");
  std::string section;
  int number = 0;
  for (const std::string& raw : Lines(f.bytes)) {
    ++number;
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      if (close == std::string::npos) {
        f.problems.push_back("line " + std::to_string(number) + ": unclosed section name");
        continue;
      }
      section = Lower(Trim(line.substr(1, close - 1)));
      f.sections[section];
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) {
      f.problems.push_back("line " + std::to_string(number) + ": neither section, key nor comment");
      continue;
    }
    if (section.empty()) {
      f.problems.push_back("line " + std::to_string(number) + ": key before any section");
      continue;
    }
    f.sections[section].push_back({line.substr(0, eq), line.substr(eq + 1), number});
  }
  return f;
}

// Decodes UTF-8 strictly; false on any malformed, over-long or surrogate form.
bool DecodeUtf8(const std::string& s, std::vector<uint32_t>& out) {
  out.clear();
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    int n = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (n < 0 || i + n >= s.size()) return false;
    uint32_t cp = n == 0 ? b : (b & (0x3F >> n));
    for (int k = 1; k <= n; ++k) {
      auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    static const uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    out.push_back(cp);
    i += n + 1;
  }
  return true;
}

size_t CountAccelerators(const std::string& s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') continue;
    if (i + 1 < s.size() && s[i + 1] == '&') {
      ++i;  // "&&" shows one ampersand
      continue;
    }
    ++n;
  }
  return n;
}

std::vector<std::string> SplitItems(const std::string& value) {
  // The component's rule for separator ",": every piece trimmed, the piece
  // after the last separator kept only when it is not empty.
  std::vector<std::string> items;
  size_t start = 0;
  for (;;) {
    size_t comma = value.find(',', start);
    if (comma == std::string::npos) {
      std::string last = Trim(value.substr(start));
      if (!last.empty()) items.push_back(last);
      return items;
    }
    items.push_back(Trim(value.substr(start, comma - start)));
    start = comma + 1;
  }
}

class LanguageFileTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    file_ = Load(GetParam());
    ASSERT_FALSE(file_.bytes.empty()) << GetParam() << ".lng is missing or empty in " << WC_LANG_FILES_DIR;
    keys_ = TranslationKeys();
    ids_ = MessageIds();
    english_ = Load("English");
  }
  LanguageFile file_, english_;
  std::vector<std::string> keys_, ids_;
};

TEST_P(LanguageFileTest, IsUtf8WithoutByteOrderMarkAndWithWindowsLineEnds) {
  ASSERT_GE(file_.bytes.size(), 3u);
  EXPECT_NE(file_.bytes.substr(0, 3), std::string("\xEF\xBB\xBF")) << "a byte-order mark would join the first line";
  std::vector<uint32_t> cps;
  EXPECT_TRUE(DecodeUtf8(file_.bytes, cps)) << "not valid UTF-8";
  for (size_t i = 0; i < file_.bytes.size(); ++i) {
    if (file_.bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && file_.bytes[i - 1] == '\r') << "bare LF at byte " << i;
    } else if (file_.bytes[i] == '\r') {
      ASSERT_TRUE(i + 1 < file_.bytes.size() && file_.bytes[i + 1] == '\n') << "bare CR at byte " << i;
    }
  }
  EXPECT_EQ(file_.bytes.substr(file_.bytes.size() - 2), "\r\n") << "the last line is not ended";
  EXPECT_TRUE(file_.problems.empty()) << ::testing::PrintToString(file_.problems);
}

TEST_P(LanguageFileTest, TranslatesEveryLineOfTheListOnceAndNothingElse) {
  ASSERT_TRUE(file_.sections.count("translations"));
  std::set<std::string> wanted;
  for (const std::string& k : keys_) {
    wanted.insert(Lower(k));
    const Entry* e = file_.Find("Translations", k);
    ASSERT_NE(e, nullptr) << k << " missing";
    std::string v = Trim(e->value);
    EXPECT_FALSE(v.empty()) << k << " has no text: the built-in caption would stay";
    EXPECT_LE(v.size(), kValueLimit) << k;
    EXPECT_EQ(v, e->value) << k << ": blanks around a value are dropped by the reader";
    EXPECT_FALSE(v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        << k << ": the reader strips enclosing quotes";
  }
  std::set<std::string> seen;
  for (const Entry& e : file_.sections["translations"]) {
    std::string k = Lower(Trim(e.key));
    EXPECT_TRUE(wanted.count(k)) << "line " << e.line << ": " << e.key << " is on no list (typo?)";
    EXPECT_TRUE(seen.insert(k).second) << "line " << e.line << ": " << e.key << " twice; only the first counts";
  }
}

TEST_P(LanguageFileTest, HasEveryMessageOfTheTable) {
  ASSERT_TRUE(file_.sections.count("messages"));
  std::set<std::string> wanted;
  for (const std::string& id : ids_) {
    wanted.insert(Lower(id));
    const Entry* e = file_.Find("Messages", id);
    ASSERT_NE(e, nullptr) << id << " missing: its control would show the id";
    std::string v = Trim(e->value);
    EXPECT_FALSE(v.empty()) << id;
    EXPECT_LE(v.size(), kValueLimit) << id;
    EXPECT_EQ(v.find('&'), std::string::npos) << id << ": tool tips show an ampersand as it stands";
  }
  for (const Entry& e : file_.sections["messages"])
    EXPECT_TRUE(wanted.count(Lower(Trim(e.key)))) << "line " << e.line << ": " << e.key << " is looked up nowhere";
}

TEST_P(LanguageFileTest, ListValuesHaveFourItems) {
  for (const char* key : {"MainForm.MainComboBox.Items", "MainForm.ComboBox1.Items"}) {
    std::vector<std::string> items = SplitItems(file_.Value("Translations", key));
    ASSERT_EQ(items.size(), 4u) << key << " = " << file_.Value("Translations", key);
    for (const std::string& item : items) EXPECT_FALSE(item.empty()) << key;
    EXPECT_EQ(std::set<std::string>(items.begin(), items.end()).size(), 4u) << key << ": two items alike";
  }
}

TEST_P(LanguageFileTest, KeepsTheAcceleratorsOfTheEnglishCaptions) {
  for (const std::string& k : keys_) {
    std::string en = english_.Value("Translations", k);
    std::string v = file_.Value("Translations", k);
    EXPECT_EQ(CountAccelerators(v), CountAccelerators(en)) << k << " = " << v;
    EXPECT_NE(v.back(), '&') << k << ": an ampersand needs a letter after it";
  }
}

TEST_P(LanguageFileTest, IsWrittenInItsOwnLetters) {
  std::vector<uint32_t> cps;
  auto has = [&cps](uint32_t lo, uint32_t hi) {
    return std::any_of(cps.begin(), cps.end(), [&](uint32_t c) { return c >= lo && c <= hi; });
  };
  const std::string& lang = GetParam();
  size_t same = 0, total = 0;
  for (const std::string& section : {std::string("translations"), std::string("messages")}) {
    for (const Entry& e : file_.sections[section]) {
      ASSERT_TRUE(DecodeUtf8(e.value, cps)) << e.key;
      if (lang == "Arabic") {
        EXPECT_TRUE(has(0x0600, 0x06FF)) << e.key << ": no Arabic letter in " << e.value;
      }
      if (lang == "Romanian") {
        // Romanian takes s and t with a comma below, not the Turkish cedilla.
        EXPECT_FALSE(has(0x015E, 0x015F) || has(0x0162, 0x0163)) << e.key << ": cedilla in " << e.value;
      }
      EXPECT_FALSE(has(0xFFFD, 0xFFFD)) << e.key << ": replacement character";
      ++total;
      if (lang != "English" && Trim(e.value) == english_.Value(section == "translations" ? "Translations" : "Messages", Trim(e.key)))
        ++same;
    }
  }
  // A few words are the same in English (OK, Type, Options, Desktop); a file
  // that mostly is English was not translated.
  if (lang != "English") {
    EXPECT_LT(same * 10, total) << same << " of " << total << " texts are the English ones";
  }
  std::vector<uint32_t> all;
  ASSERT_TRUE(DecodeUtf8(file_.bytes, all));
  auto contains = [&all](uint32_t c) { return std::find(all.begin(), all.end(), c) != all.end(); };
  if (lang == "French") {
    EXPECT_TRUE(contains(0x00E9));  // é
  } else if (lang == "Spanish") {
    EXPECT_TRUE(contains(0x00F1));  // ñ
  } else if (lang == "Romanian") {
    EXPECT_TRUE(contains(0x0219) && contains(0x021B));  // ș ț
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFileTest, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<std::string>& p) { return p.param; });

}  // namespace
