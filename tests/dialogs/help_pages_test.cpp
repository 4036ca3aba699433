// The help pages against the program they describe, where a page states
// something the program can answer for itself:
// - every settings.ini example the help gives ("[Timer interval]" with
//   "value=1") is a value the program reads and writes back unchanged, so an
//   example that means something else to the program than the help says
//   fails;
// - the files page lists every section the program keeps in settings.ini,
//   and none it does not;
// - every caption the help names in bold (class "ui") is one the program
//   shows, in some window, menu, list or tip.
#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/panel/main_form.h"
#include "app/program.h"
#include "common/ini_file.h"
#include "common/text.h"
#include "gui_test.h"
#include "program_files.h"
#include "program_texts.h"
#include "settings/settings_form.h"
#include "ui/form.h"

#ifndef WC_HELP_DIR
#error "WC_HELP_DIR names the folder of the help pages"
#endif
#ifndef WC_LANG_FILES_DIR
#error "WC_LANG_FILES_DIR names the folder holding the .lng files"
#endif

namespace wc {
namespace {

using test::ReadWholeFile;

const char* const kFilesPage = "files.htm";

std::string Unescaped(std::string s) {
  static const std::pair<const char*, const char*> kEntities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&rarr;", "\xE2\x86\x92"},
      {"&middot;", "\xC2\xB7"}, {"&mdash;", "\xE2\x80\x94"}, {"&amp;", "&"}};
  for (const auto& [entity, text] : kEntities) {
    for (size_t at; (at = s.find(entity)) != std::string::npos;) s.replace(at, std::string(entity).size(), text);
  }
  return s;
}

// The texts between `open` and `close`, in page order.
std::vector<std::string> Between(const std::string& page, const std::string& open, const std::string& close) {
  std::vector<std::string> out;
  for (size_t at = page.find(open); at != std::string::npos; at = page.find(open, at)) {
    at += open.size();
    const size_t end = page.find(close, at);
    if (end == std::string::npos) break;
    out.push_back(page.substr(at, end - at));
    at = end + close.size();
  }
  return out;
}

// ---- settings.ini examples

struct IniExample {
  std::string page, section, name, value;
};

// The language files are INI files too; their sections are no settings.
bool IsLanguageFileSection(const std::string& section) {
  return LowerCaseAscii(section) == "translations" || LowerCaseAscii(section) == "messages";
}

// A settings example is a section in code ("<code>[Timer interval]</code>",
// or a "[...]" line of a <pre> block) followed, in the same paragraph, table
// row, item or block, by a "name=value" in code.
std::vector<IniExample> IniExamplesOf(const std::string& pageName, const std::string& page) {
  std::vector<IniExample> out;
  size_t start = 0;
  while (start < page.size()) {
    size_t end = page.size();
    for (const char* closer : {"</p>", "</tr>", "</li>", "</pre>"}) end = std::min(end, page.find(closer, start));
    const std::string block = page.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == page.size() ? end : end + 1;

    std::vector<std::string> tokens;
    for (size_t at = 0;;) {
      const size_t code = block.find("<code>", at), pre = block.find("<pre", at);
      if (code == std::string::npos && pre == std::string::npos) break;
      if (code < pre) {
        const size_t close = block.find("</code>", code);
        if (close == std::string::npos) break;
        tokens.push_back(block.substr(code + 6, close - code - 6));
        at = close;
      } else {
        const size_t open = block.find('>', pre);
        if (open == std::string::npos) break;
        std::string lines = block.substr(open + 1);
        for (size_t nl; (nl = lines.find('\n')) != std::string::npos; lines.erase(0, nl + 1))
          tokens.push_back(lines.substr(0, nl));
        tokens.push_back(lines);
        break;
      }
    }
    std::string section;
    for (std::string token : tokens) {
      token = Trim(Unescaped(token));
      if (token.size() > 2 && token.front() == '[' && token.back() == ']') {
        section = token.substr(1, token.size() - 2);
      } else if (!section.empty() && !IsLanguageFileSection(section) && token.find('=') != std::string::npos) {
        const size_t eq = token.find('=');
        out.push_back({pageName, section, Trim(token.substr(0, eq)), Trim(token.substr(eq + 1))});
      }
    }
  }
  return out;
}

std::vector<IniExample> HelpIniExamples() {
  std::vector<IniExample> all;
  for (const std::string& page : test::FilesIn(WC_HELP_DIR, "*.htm")) {
    for (const IniExample& e : IniExamplesOf(page, ReadWholeFile(std::string(WC_HELP_DIR) + "\\" + page))) {
      all.push_back(e);
    }
  }
  return all;
}

std::vector<IniExample> FilesPageList() {
  std::vector<IniExample> list;
  for (const IniExample& e : HelpIniExamples()) {
    if (e.page == kFilesPage) list.push_back(e);
  }
  return list;
}

std::string IniText(const std::vector<IniExample>& entries) {
  std::string text;
  for (const IniExample& e : entries) text += "[" + e.section + "]\r\n" + e.name + "=" + e.value + "\r\n";
  return text;
}

// The run-at-start-up value as the test found it, put back at its end: the
// settings dialog's Apply writes or removes it.
class SavedRunValue {
 public:
  SavedRunValue() {
    DWORD size = sizeof value_;
    had_ = RegGetValueA(HKEY_CURRENT_USER, kRunKey, kRunName, RRF_RT_REG_SZ, nullptr, value_, &size) == ERROR_SUCCESS;
  }
  ~SavedRunValue() {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kRunName);
    if (had_) RegSetKeyValueA(HKEY_CURRENT_USER, kRunKey, kRunName, REG_SZ, value_, DWORD(strlen(value_) + 1));
  }
  SavedRunValue(const SavedRunValue&) = delete;
  SavedRunValue& operator=(const SavedRunValue&) = delete;

 private:
  static constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr const char* kRunName = "Wallpaper Manager";
  char value_[2048] = {};
  bool had_ = false;
};

// One start of the program's windows, in a folder of their own, on a
// settings file the test wrote: the panel and the settings dialog read it and
// then write everything they keep anew.
class SettingsRun {
 public:
  SettingsRun() {
    app.SetPrompts(&prompts);
    app.SetExeName(dir.file("WallpaperChanger.exe"));
    app.Arguments.clear();  // the test program's own arguments are not the program's
  }
  ~SettingsRun() { app.SetPrompts(nullptr); }
  SettingsRun(const SettingsRun&) = delete;
  SettingsRun& operator=(const SettingsRun&) = delete;

  std::string SettingsPath() const { return dir.path() + "\\settings.ini"; }

  // Gives the program `ini` as its settings file at a start, then lets it
  // write everything it keeps anew: the settings dialog's Apply, the panel's
  // save, and "Show Full Path" chosen twice.
  void ReadAndWriteBack(const std::string& ini) {
    test::WriteTextFile(SettingsPath(), ini);
    TMainForm& panel = app.CreateForm<TMainForm>();
    TSettings& settings = app.CreateForm<TSettings>();
    // The file type's registration is not what is looked at here.
    settings.WriteClassesValue = [](HKEY, const std::string&, const std::string&) { return true; };
    panel.StartupTimerTick(panel.StartupTimer);
    ASSERT_TRUE(DeleteFileA(SettingsPath().c_str()));
    settings.ApplyButtonClick(settings.ApplyButton);
    panel.SavePanelSettings();
    panel.ShowFullPathItemClick(panel.ShowFullPathItem);
    panel.ShowFullPathItemClick(panel.ShowFullPathItem);
    EXPECT_TRUE(prompts.messages.empty());
  }

  test::TempDir dir;
  ui::Application app;
  test::ScriptedPrompts prompts;
  SavedRunValue runValue;
};

// Every example of every page, each in a start of its own, within one run of
// the test program: the files page's whole list, with the example in place of
// its own row.
TEST(HelpSettingsExamples, EachIsAValueTheProgramReadsAndWritesBackUnchanged) {
  const std::vector<IniExample> examples = HelpIniExamples();
  ASSERT_GT(examples.size(), 20u) << "the help gives no settings examples";
  for (const IniExample& e : examples) {
    SCOPED_TRACE(e.page + ": [" + e.section + "] " + e.name + "=" + e.value);
    std::vector<IniExample> entries = FilesPageList();
    auto same = [&](const IniExample& row) {
      return LowerCaseAscii(row.section) == LowerCaseAscii(e.section) && LowerCaseAscii(row.name) == LowerCaseAscii(e.name);
    };
    entries.erase(std::remove_if(entries.begin(), entries.end(), same), entries.end());
    entries.insert(entries.begin(), e);
    SettingsRun run;
    run.ReadAndWriteBack(IniText(entries));
    EXPECT_EQ(IniFile(run.SettingsPath()).ReadString(e.section, e.name, "<not written>"), e.value)
        << e.page << " gives [" << e.section << "] " << e.name << "=" << e.value
        << "; the program reads it and keeps what is shown instead";
  }
}

TEST(SettingsFileTest, TheFilesPageListsEverySectionTheProgramKeepsAndNoOther) {
  const std::vector<IniExample> list = FilesPageList();
  ASSERT_GT(list.size(), 20u) << kFilesPage << " lists no settings";
  std::set<std::string> listed;
  for (const IniExample& e : list) {
    EXPECT_TRUE(listed.insert(LowerCaseAscii(e.section)).second) << "[" << e.section << "] listed twice";
  }
  SettingsRun run;
  run.ReadAndWriteBack(IniText(list));
  std::set<std::string> kept;
  for (const std::string& section : test::IniSections(run.SettingsPath())) kept.insert(LowerCaseAscii(section));
  for (const std::string& section : kept) EXPECT_TRUE(listed.count(section)) << "[" << section << "] is kept but not listed";
  for (const std::string& section : listed)
    EXPECT_TRUE(kept.count(section)) << "[" << section << "] is listed but the program keeps no such section";
}

TEST(HelpSettingsExamples, TheOtherPagesGiveOnlySettingsTheFilesPageLists) {
  const std::vector<IniExample> list = FilesPageList();
  ASSERT_FALSE(list.empty());
  for (const IniExample& e : HelpIniExamples()) {
    auto listed = [&](const IniExample& row) {
      return LowerCaseAscii(row.section) == LowerCaseAscii(e.section) && LowerCaseAscii(row.name) == LowerCaseAscii(e.name);
    };
    EXPECT_TRUE(std::any_of(list.begin(), list.end(), listed))
        << e.page << " gives [" << e.section << "] " << e.name << ", which " << kFilesPage << " does not list";
  }
}

// ---- captions

class HelpCaptionsTest : public test::GuiTest {};

TEST_F(HelpCaptionsTest, EveryCaptionTheHelpNamesIsOneTheProgramShows) {
  // The windows as the user meets them: translated from English.lng, which
  // gives the tool buttons their tips.
  CopyFileA((std::string(WC_LANG_FILES_DIR) + "\\English.lng").c_str(), (ExeFolder() + "English.lng").c_str(), FALSE);
  CreateProgramWindows(app);
  auto* panel = ui::Application::FindForm<TMainForm>("MainForm");
  ASSERT_NE(panel, nullptr);
  panel->Translator.ApplyLanguage();
  std::vector<std::string> shown;
  auto gather = [&] {
    for (const ui::Form* form : app.Forms()) {
      for (const test::ShownText& t : test::TextsBelow(*form)) shown.push_back(t.text);
    }
  };
  gather();
  // What the panel shows in automatic mode only.
  panel->AutomaticModeRadioClick(panel->AutomaticModeRadio);
  gather();
  panel->ManualModeRadioClick(panel->ManualModeRadio);
  ASSERT_GT(shown.size(), 300u);

  size_t names = 0;
  for (const std::string& page : test::FilesIn(WC_HELP_DIR, "*.htm")) {
    for (const std::string& span : Between(ReadWholeFile(std::string(WC_HELP_DIR) + "\\" + page), "<span class=\"ui\">",
                                           "</span>")) {
      ++names;
      const std::string name = Unescaped(span);
      const bool found =
          std::any_of(shown.begin(), shown.end(), [&](const std::string& s) { return s.find(name) != std::string::npos; });
      EXPECT_TRUE(found) << page << " names \"" << name << "\", which no window of the program shows";
    }
  }
  EXPECT_GT(names, 150u);
}

}  // namespace
}  // namespace wc
