// The language component over a tree of named components: one translation
// run from a file, the list and integer rules, the events and message ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <fstream>

#include "lang/lang.h"
#include "lang/program_texts.h"
#include "lang/translation_list.h"
#include "temp_dir.h"

namespace wc {
namespace {

class Thing : public ui::Component {
 public:
  Thing(ui::Component* owner, std::string name) : Component(owner, std::move(name)) {
    PublishText("Caption", [this] { return caption; }, [this](const std::string& v) { caption = v; });
    PublishStrings("Items", [this] { return items; }, [this](const std::vector<std::string>& v) { items = v; });
    PublishInteger("Color", [this] { return color; }, [this](int64_t v) { color = v; });
    PublishBoolean("Visible", [this] { return visible; }, [this](bool v) { visible = v; });
  }
  std::string caption = "built-in";
  std::vector<std::string> items{"seconds", "minutes", "hours", "days"};
  int64_t color = 7;
  bool visible = true;
};

class LanguageTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

  test::TempDir dir;
  std::string path = dir.file("French.lng");
  ui::Component app{nullptr, "Application"};
  Thing mainForm{&app, "MainForm"};
  Thing mainNew{&mainForm, "MainNew"};
  Thing combo{&mainForm, "ComboBox1"};
  Thing settings{&app, "Settings"};
  Thing settingsNew{&settings, "MainNew"};
  TLanguage language{&mainForm, "Language1"};
};

TEST_F(LanguageTest, ARunTranslatesEveryListedPathOfTheFile) {
  WriteFile(
      "[Translations]\n"
      "MainForm.MainNew.Caption=Nouveau\n"
      "Settings.MainNew.Caption=Nouvelle liste\n"
      "MainForm.ComboBox1.Items=secondes, minutes, heures, jours\n"
      "MainForm.ComboBox1.Caption=\n"  // empty: the caption stays
      "mainform.mainnew.color=$FF\n"
      "MainForm.Missing.Caption=nothing to set\n"
      "MainForm.MainNew.NoSuchProperty=nothing\n"
      "MainNew=no dot, no component\n");
  language.SetLanguageFile(path);
  language.SetProperties({"MainForm.MainNew.Caption", "  ", "Settings.MainNew.Caption", "MainForm.ComboBox1.Items",
                          "MainForm.ComboBox1.Caption", "mainform.mainnew.color", "MainForm.Missing.Caption",
                          "MainForm.MainNew.NoSuchProperty", "MainNew", "NoWindow.MainNew.Caption"});
  std::vector<std::string> calls;
  language.OnBeforeTranslation = [&](ui::Component& s) { calls.push_back("before:" + s.Name()); };
  language.OnAfterTranslation = [&](ui::Component& s) { calls.push_back("after:" + s.Name()); };
  language.OnTranslate = [&](ui::Component&, ui::Component& c, const std::string& prop, const std::string& old,
                             std::string& value) { calls.push_back(c.Name() + "." + prop + ":" + old + "->" + value); };
  language.ApplyLanguage();

  EXPECT_EQ(mainNew.caption, "Nouveau");
  EXPECT_EQ(settingsNew.caption, "Nouvelle liste");  // same control name, other window
  EXPECT_EQ(combo.items, (std::vector<std::string>{"secondes", "minutes", "heures", "jours"}));
  EXPECT_EQ(combo.caption, "built-in");
  EXPECT_EQ(mainNew.color, 255);
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "before:Language1",
                       "MainNew.Caption:built-in->Nouveau",
                       "MainNew.Caption:built-in->Nouvelle liste",
                       "ComboBox1.Items:seconds\r\nminutes\r\nhours\r\ndays\r\n->secondes, minutes, heures, jours",
                       "MainNew.color:7->$FF",
                       // a property that does not exist is reported with no old value, then skipped
                       "MainNew.NoSuchProperty:->nothing",
                       "after:Language1",
                   }));
}

TEST_F(LanguageTest, TheTranslateEventMayChangeTheText) {
  language.OnTranslate = [](ui::Component&, ui::Component&, const std::string&, const std::string&,
                            std::string& value) { value = "[" + value + "]"; };
  language.ApplyEntry("MainForm.MainNew.Caption", "Nouveau");
  EXPECT_EQ(mainNew.caption, "[Nouveau]");
}

TEST_F(LanguageTest, ListValuesFollowTheSeparatorRules) {
  language.ApplyEntry("MainForm.ComboBox1.Items", "a,,b,");
  EXPECT_EQ(combo.items, (std::vector<std::string>{"a", "", "b"}));
  language.SetSeparator(" | ");
  EXPECT_EQ(language.Separator(), " | ");  // stored as given, blanks and all
  language.ApplyEntry("MainForm.ComboBox1.Items", "Mosaïque | Centre |Étirer");
  EXPECT_EQ(combo.items, (std::vector<std::string>{"Mosaïque", "Centre |Étirer"}));
  language.SetSeparator("   ");
  EXPECT_EQ(language.Separator(), ",");
  language.SetSeparator("");
  EXPECT_EQ(language.Separator(), ",");
}

TEST_F(LanguageTest, IntegersAreDecimalOrDollarHexAndOtherTextIsSkipped) {
  language.ApplyEntry("MainForm.MainNew.Color", "-12");
  EXPECT_EQ(mainNew.color, -12);
  language.ApplyEntry("MainForm.MainNew.Color", "$00FF8000");
  EXPECT_EQ(mainNew.color, 0xFF8000);
  for (const char* bad : {"red", "12px", "$", "$XYZ", "99999999999", "1 2"}) {
    language.ApplyEntry("MainForm.MainNew.Color", bad);
    EXPECT_EQ(mainNew.color, 0xFF8000) << bad;
  }
  // Yes-or-no properties are not translated.
  language.ApplyEntry("MainForm.MainNew.Visible", "False");
  EXPECT_TRUE(mainNew.visible);
}

TEST_F(LanguageTest, PathsMatchWithoutRegardToCaseOrBlanks) {
  language.ApplyEntry(" mainform . MAINNEW . caption ", "Nouveau");
  EXPECT_EQ(mainNew.caption, "Nouveau");
  language.ApplyEntry("", "x");
  language.ApplyEntry("MainForm.MainNew.", "x");  // no property name
  language.ApplyEntry(".MainNew.Caption", "x");   // no window name
  EXPECT_EQ(mainNew.caption, "Nouveau");

  EXPECT_EQ(TLanguage::FindOwnedByName(&app, "SETTINGS"), &settings);
  EXPECT_EQ(TLanguage::FindOwnedByName(&mainForm, "mainnew"), &mainNew);
  EXPECT_EQ(TLanguage::FindOwnedByName(nullptr, "MainForm"), nullptr);
  EXPECT_EQ(TLanguage::FindOwnedByName(&app, "Nothing"), nullptr);
  // Only A-Z fold: "Ä" and "ä" are different names.
  Thing accented(&app, "\xC3\x84");
  EXPECT_EQ(TLanguage::FindOwnedByName(&app, "\xC3\xA4"), nullptr);
  // Ownership order decides between two of one name.
  Thing twin(&app, "mainform");
  EXPECT_EQ(TLanguage::FindOwnedByName(&app, "MAINFORM"), &mainForm);

  const PropertyPath parts = SplitPropertyPath(" A . b.c . Caption ");
  EXPECT_EQ(parts.components, (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_EQ(parts.property, "Caption");
}

TEST_F(LanguageTest, MessagesComeFromTheFileOrAreTheirOwnId) {
  EXPECT_EQ(language.MessageText("Message130"), "Message130");  // no file chosen yet
  language.SetLanguageFile(dir.file("Missing.lng"));
  EXPECT_EQ(language.MessageText("Message130"), "Message130");
  language.ApplyLanguage();  // a missing file changes nothing
  EXPECT_EQ(mainNew.caption, "built-in");

  WriteFile("\xEF\xBB\xBF[Messages]\r\nMessage130=Monter\r\nmessage4=Fond effac\xC3\xA9\r\n");
  language.SetLanguageFile(path);
  EXPECT_EQ(language.MessageText("Message130"), "Monter");
  EXPECT_EQ(language.MessageText("Message4"), "Fond effac\xC3\xA9");
  EXPECT_EQ(language.MessageText("Message159"), "Message159");
  // Every look-up reads the file anew.
  WriteFile("[Messages]\nMessage130=Vers le haut\n");
  EXPECT_EQ(language.MessageText("Message130"), "Vers le haut");
}

TEST_F(LanguageTest, ABomPrefixedFileTranslatesItsFirstSection) {
  WriteFile("\xEF\xBB\xBF[Translations]\r\nMainForm.MainNew.Caption=Nuevo\r\n");
  language.SetLanguageFile(path);
  language.SetProperties({"MainForm.MainNew.Caption"});
  language.ApplyLanguage();
  EXPECT_EQ(mainNew.caption, "Nuevo");
}

// The program's own texts follow the program's language: its file's text
// where it has one, English where it has none or there is no language, the
// filled-in parts in place; the header says which way the script runs, and
// a run tells every window that its texts were replaced.
TEST_F(LanguageTest, TheProgramsOwnTextsFollowItsLanguageAndKeepEnglishWhereTheFileHasNone) {
  struct Window : Thing {
    using Thing::Thing;
    int replaced = 0;
    void TextsReplaced() override { ++replaced; }
  } viewer{&app, "ScreenForm"};
  EXPECT_EQ(Say(texts::kCheckingFiles, {"2", "5"}), "Checking 2 of 5");  // no language yet

  WriteFile("[Language]\nRightToLeft=1\n[Messages]\nMessage231=\xD9\x81\xD8\xAD\xD8\xB5 %1 \xD9\x85\xD9\x86 %2\n");
  language.MakeProgramLanguage();
  language.SetLanguageFile(path);
  EXPECT_EQ(Say(texts::kCheckingFiles, {"2", "5"}), "\xD9\x81\xD8\xAD\xD8\xB5 2 \xD9\x85\xD9\x86 5");
  EXPECT_EQ(Say(texts::kFileNotPresent), "File not Present");  // the file lacks it
  EXPECT_FALSE(language.RightToLeft());                        // read by a run
  language.ApplyLanguage();
  EXPECT_TRUE(language.RightToLeft());
  EXPECT_EQ(viewer.replaced, 1);

  WriteFile("[Translations]\n");
  language.ApplyLanguage();
  EXPECT_FALSE(language.RightToLeft());
  EXPECT_EQ(Say(texts::kCheckingFiles, {"2", "5"}), "Checking 2 of 5");
}

TEST(TranslationList, HasEveryWindowsLinesInOrder) {
  const auto all = TranslationList();
  ASSERT_GT(all.size(), kFirstListSize);
  const auto list = all.first(kFirstListSize);
  auto count = [&](std::string_view prefix) {
    return std::count_if(list.begin(), list.end(), [&](std::string_view l) { return l.starts_with(prefix); });
  };
  EXPECT_EQ(count("MainForm."), 66);
  EXPECT_EQ(count("ScanDiskForm."), 11);
  EXPECT_EQ(count("FilterForm."), 4);
  EXPECT_EQ(count("ScreenForm."), 19);
  EXPECT_EQ(count("Settings."), 30);
  EXPECT_EQ(count("DelayForm."), 4);
  EXPECT_EQ(std::count(list.begin(), list.end(), "Settings.CheckBox6.Caption"), 2);
  EXPECT_EQ(list.front(), "MainForm.MainNew.Caption");
  EXPECT_EQ(list.back(), "DelayForm.Label1.Caption");
  for (std::string_view line : list) {
    const PropertyPath p = SplitPropertyPath(line);
    EXPECT_EQ(p.components.size(), 2u) << line;
    EXPECT_EQ(p.property, line.ends_with(".Items") ? "Items" : "Caption") << line;
  }
  EXPECT_EQ(count("MainForm.MainComboBox.Items") + count("MainForm.ComboBox1.Items"), 2);
  EXPECT_EQ(HintMessages().size(), 54u);

  // The lines added after the first list: each once, a window's title, a
  // control's caption or a list's items, none of the first list again.
  std::set<std::string_view> seen(list.begin(), list.end());
  for (std::string_view line : all.subspan(kFirstListSize)) {
    EXPECT_TRUE(seen.insert(line).second) << line << " twice";
    const PropertyPath p = SplitPropertyPath(line);
    EXPECT_TRUE(p.components.size() == 1 || p.components.size() == 2) << line;
    EXPECT_EQ(p.property, line.ends_with(".Items") ? "Items" : "Caption") << line;
  }
}

}  // namespace
}  // namespace wc
