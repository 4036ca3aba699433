// The shipped language files, read by the program's own language-file
// reader (the system's INI rules: names without regard to case, blanks
// around names and values dropped, the first of two equal keys wins, values
// cut to the 2048-byte buffer) and checked line by line for what that reader
// would silently read otherwise than meant: UTF-8 without a byte-order mark,
// Windows line ends, no line that is neither section, key nor comment.
//
// Every line of the translation list and every message id must have a
// non-empty value, list values need their four items, accelerators must
// survive translation, and each language must really be written in its own
// letters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef WC_LANG_FILES_DIR
#error "WC_LANG_FILES_DIR names the folder holding the .lng files"
#endif

#include "common/text.h"
#include "common/text_encoding.h"
#include "lang/language_file.h"
#include "lang/program_texts.h"
#include "lang/translation_list.h"
#include "same_words.h"
#include "wallpaper/wallpaper_style.h"

namespace {

using wc::LowerCaseAscii;
using wc::Trim;

const std::vector<std::string> kLanguages = {"English", "French", "Spanish", "Romanian", "Arabic"};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
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
  for (const wc::ProgramText& text : wc::ProgramTexts()) ids.emplace(text.id);
  return std::vector<std::string>(ids.begin(), ids.end());
}

struct LanguageFile {
  std::string name;
  std::string bytes;
  wc::LanguageFileText text;          // as the program reads it
  std::vector<std::string> problems;  // lines the INI rules would not read as meant

  // The section's entries in file order (the first section of the name).
  const std::vector<wc::LanguageFileText::Entry>& Entries(const std::string& section) const {
    static const std::vector<wc::LanguageFileText::Entry> none;
    for (const auto& s : text.Sections())
      if (LowerCaseAscii(s.name) == LowerCaseAscii(section)) return s.entries;
    return none;
  }
  std::string Value(const std::string& section, const std::string& key) const { return text.Read(section, key, ""); }
};

// What a line-by-line look finds that the reader would pass over quietly.
std::vector<std::string> LineProblems(const std::string& bytes) {
  std::vector<std::string> problems;
  bool inSection = false;
  int number = 0;
  std::istringstream in(bytes);
  for (std::string raw; std::getline(in, raw);) {
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const std::string line = Trim(raw);
    const std::string where = "line " + std::to_string(number) + ": ";
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      if (line.find(']') == std::string::npos) problems.push_back(where + "unclosed section name");
      inSection = true;
    } else if (line.find('=') == std::string::npos) {
      problems.push_back(where + "neither section, key nor comment");
    } else if (!inSection) {
      problems.push_back(where + "key before any section");
    } else {
      const std::string value = line.substr(line.find('=') + 1);
      const std::string bare = Trim(value);
      if (bare != value) problems.push_back(where + "blanks around the value are dropped by the reader");
      if (bare.size() >= 2 && (bare.front() == '"' || bare.front() == '\'') && bare.back() == bare.front())
        problems.push_back(where + "the reader strips enclosing quotes");
      if (bare.size() > wc::kLanguageValueMax) problems.push_back(where + "longer than the reader's buffer");
    }
  }
  return problems;
}

LanguageFile Load(const std::string& lang) {
  LanguageFile f;
  f.name = lang;
  f.bytes = ReadAll(std::string(WC_LANG_FILES_DIR) + "/" + lang + ".lng");
  f.text = wc::LanguageFileText::Parse(f.bytes);
  f.problems = LineProblems(f.bytes);
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
  std::set<std::string> wanted;
  for (const std::string& k : keys_) {
    wanted.insert(LowerCaseAscii(k));
    ASSERT_TRUE(file_.text.Has("Translations", k)) << k << " missing";
    EXPECT_FALSE(file_.Value("Translations", k).empty()) << k << " has no text: the built-in caption would stay";
  }
  std::set<std::string> seen;
  ASSERT_FALSE(file_.Entries("Translations").empty());
  for (const auto& e : file_.Entries("Translations")) {
    const std::string k = LowerCaseAscii(e.key);
    EXPECT_TRUE(wanted.count(k)) << e.key << " is on no list (typo?)";
    EXPECT_TRUE(seen.insert(k).second) << e.key << " twice; only the first counts";
  }
}

TEST_P(LanguageFileTest, HasEveryMessageOfTheTable) {
  std::set<std::string> wanted;
  for (const std::string& id : ids_) {
    wanted.insert(LowerCaseAscii(id));
    ASSERT_TRUE(file_.text.Has("Messages", id)) << id << " missing: its control would show the id";
    const std::string v = file_.Value("Messages", id);
    EXPECT_FALSE(v.empty()) << id;
    EXPECT_EQ(v.find('&'), std::string::npos) << id << ": tool tips show an ampersand as it stands";
  }
  std::set<std::string> seen;
  ASSERT_FALSE(file_.Entries("Messages").empty());
  for (const auto& e : file_.Entries("Messages")) {
    EXPECT_TRUE(wanted.count(LowerCaseAscii(e.key))) << e.key << " is looked up nowhere";
    EXPECT_TRUE(seen.insert(LowerCaseAscii(e.key)).second) << e.key << " twice; only the first counts";
  }
}

// The program's own texts: the English file says what the program says
// without a file, every other file says it in its language, with the same
// places for what the program fills in.
TEST_P(LanguageFileTest, SaysTheProgramsOwnTextsInItsLanguage) {
  std::set<std::string_view> ids;
  for (const wc::ProgramText& text : wc::ProgramTexts()) {
    EXPECT_TRUE(ids.insert(text.id).second) << text.id << " serves two texts";
    const std::string v = file_.Value("Messages", std::string(text.id));
    if (GetParam() == "English") {
      EXPECT_EQ(v, text.english) << text.id;
    } else if (!wc::test::SameInLanguage(GetParam(), std::string(text.english))) {
      EXPECT_NE(v, text.english) << text.id << " is still English";
    }
    for (const char* mark : {"%1", "%2", "%3", "%4"}) {
      EXPECT_EQ(v.find(mark) != std::string::npos, text.english.find(mark) != std::string_view::npos)
          << text.id << " = " << v << ": " << mark;
    }
  }
}

// An older file, or one of another maker, without the texts added since:
// it still loads, and what it lacks stays English rather than an id.
TEST(OlderLanguageFile, KeepsEnglishWhereItHasNoText) {
  wc::LanguageFileText file = wc::LanguageFileText::Parse(
      "[Translations]\r\nMainForm.MainNew.Caption=Nouveau\r\n[Messages]\r\nMessage130=Monter\r\n");
  const wc::ProgramText& missing = wc::texts::kFileNotPresent;
  EXPECT_EQ(file.Read("Messages", missing.id, missing.english), "File not Present");
  EXPECT_EQ(wc::FillIn("Checking %1 of %2", {"3", "9"}), "Checking 3 of 9");
  EXPECT_EQ(wc::FillIn("%1% Compression", {"90"}), "90% Compression");
  EXPECT_EQ(wc::FillIn("%3 stays, 100%", {"a"}), "%3 stays, 100%");
}

TEST_P(LanguageFileTest, ListValuesHaveAnItemForEveryChoice) {
  // The timer's four units; every wallpaper style.
  for (const auto& [key, count] : {std::pair{"MainForm.MainComboBox.Items", size_t(4)},
                                   std::pair{"MainForm.ComboBox1.Items", wc::WallpaperStyles().size()}}) {
    std::vector<std::string> items = wc::SplitListValue(file_.Value("Translations", key), ",");
    ASSERT_EQ(items.size(), count) << key << " = " << file_.Value("Translations", key);
    for (const std::string& item : items) EXPECT_FALSE(item.empty()) << key;
    EXPECT_EQ(std::set<std::string>(items.begin(), items.end()).size(), count) << key << ": two items alike";
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

// The header section says which way the script runs: Arabic right to left,
// the others left to right.
TEST_P(LanguageFileTest, SaysWhichWayItsScriptRuns) {
  EXPECT_EQ(file_.Value("Language", "RightToLeft"), GetParam() == "Arabic" ? "1" : "0");
}

TEST_P(LanguageFileTest, IsWrittenInItsOwnLetters) {
  std::vector<uint32_t> cps;
  auto has = [&cps](uint32_t lo, uint32_t hi) {
    return std::any_of(cps.begin(), cps.end(), [&](uint32_t c) { return c >= lo && c <= hi; });
  };
  const std::string& lang = GetParam();
  size_t same = 0, total = 0;
  for (const std::string& section : {std::string("Translations"), std::string("Messages")}) {
    for (const auto& e : file_.Entries(section)) {
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
      if (lang != "English" && e.value == english_.Value(section, e.key)) {
        ++same;
        EXPECT_TRUE(wc::test::SameInLanguage(lang, e.value)) << e.key << " is still English: " << e.value;
      }
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
    EXPECT_TRUE(contains(0x00E9) && contains(0x00E8));  // é è
  } else if (lang == "Spanish") {
    EXPECT_TRUE(contains(0x00F1) && contains(0x00E1));  // ñ á
  } else if (lang == "Romanian") {
    EXPECT_TRUE(contains(0x0219) && contains(0x021B) && contains(0x0103));  // ș ț ă
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFileTest, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<std::string>& p) { return p.param; });

}  // namespace
