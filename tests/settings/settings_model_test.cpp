// The settings model: one table read and written whole, a file of the
// version before kept key for key, and each part saved on its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/text.h"
#include "settings/settings_model.h"
#include "settings_sample.h"

namespace wc {
namespace {

// A profile file in memory, kept as the system's profile functions keep
// one: names match without regard to case, a written key keeps the name the
// file gave it, and what no write names stays where it was.
class TextStore : public SettingsStore {
 public:
  explicit TextStore(const std::string& text = "") {
    for (size_t at = 0; at < text.size();) {
      size_t end = text.find("\r\n", at);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(at, end - at);
      at = end + 2;
      if (line.starts_with('[')) {
        sections_.push_back({line.substr(1, line.size() - 2), {}});
      } else if (!sections_.empty()) {
        const size_t eq = line.find('=');
        sections_.back().lines.push_back({line.substr(0, eq), line.substr(eq + 1)});
      }
    }
  }
  std::optional<std::string> Read(const std::string& section, const std::string& key) const override {
    for (const Section& s : sections_) {
      if (!EqualsIgnoreCaseAscii(s.name, section)) continue;
      for (const auto& [k, v] : s.lines) {
        if (EqualsIgnoreCaseAscii(k, key)) return v;
      }
    }
    return std::nullopt;
  }
  void Write(const std::vector<StoredSetting>& values) override {
    ++writes;
    for (const StoredSetting& v : values) {
      auto s = std::find_if(sections_.begin(), sections_.end(),
                            [&](const Section& x) { return EqualsIgnoreCaseAscii(x.name, v.section); });
      if (s == sections_.end()) s = sections_.insert(sections_.end(), Section{v.section, {}});
      auto line = std::find_if(s->lines.begin(), s->lines.end(),
                               [&](const auto& kv) { return EqualsIgnoreCaseAscii(kv.first, v.key); });
      if (line == s->lines.end()) {
        s->lines.push_back({v.key, v.text});
      } else {
        line->second = v.text;
      }
    }
  }
  std::string Text() const {
    std::string text;
    for (const Section& s : sections_) {
      text += "[" + s.name + "]\r\n";
      for (const auto& [k, v] : s.lines) text += k + "=" + v + "\r\n";
    }
    return text;
  }
  // "section/key=value" for every key.
  std::set<std::string> Lines() const {
    std::set<std::string> lines;
    for (const Section& s : sections_) {
      for (const auto& [k, v] : s.lines) lines.insert(s.name + "/" + k + "=" + v);
    }
    return lines;
  }
  std::vector<std::string> SectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) names.push_back(s.name);
    return names;
  }
  int writes = 0;

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> lines;
  };
  std::vector<Section> sections_;
};

TEST(SettingsModel, AFileOfTheVersionBeforeIsReadAndSavedBackKeyForKeyWithWhatItDoesNotKnow) {
  TextStore file(test::kSampleSettings);
  SettingsModel model;
  model.Load(file, kAllSettingsParts, "C:\\Program\\");
  // Values of every kind, and a key stored in the other case.
  EXPECT_FALSE(model.values.alwaysMinimize);
  EXPECT_EQ(model.values.language, "Fran\xC3\xA7" "ais perso");
  EXPECT_EQ(model.values.wallpaperStyle, 5);
  EXPECT_EQ(model.values.backgroundColour, int32_t(0x80000005));
  EXPECT_EQ(model.values.captureHotkey, 0x202C);
  EXPECT_TRUE(model.values.registerPlaylistType);

  model.Save(file, kAllSettingsParts);
  EXPECT_EQ(file.writes, 1);
  EXPECT_EQ(file.Text(), std::string(test::kSampleSettings) + test::kKeysAddedSinceTheSample);

  // Saved into an empty file, the model writes every key of the sample and
  // nothing else: no row is read without being written or the other way.
  TextStore empty;
  model.Save(empty, kAllSettingsParts);
  std::set<std::string> known = TextStore(test::kSampleSettings).Lines();
  std::erase_if(known, [](const std::string& line) {
    return line.starts_with("Window position/") || line.find("/note=") != std::string::npos;
  });
  known.erase("Wallpaper style/Value=5");  // the file's case stays in the file; the model writes its own
  known.insert("Wallpaper style/value=5");
  for (const auto& [key, value] : test::kAddedKeys) known.insert(key + "=" + value);
  EXPECT_EQ(empty.Lines(), known);
}

TEST(SettingsModel, MissingKeysAndValuesOfTheWrongKindTakeTheRowsDefault) {
  TextStore file("[Enable Timer]\r\nChecked=yes\r\n[movie width]\r\nValue=wide\r\n[Wallpaper style]\r\nVALUE=0x3\r\n"
                 "[language]\r\nvalue=\r\n");
  SettingsModel model;
  model.values.enableTimer = true;  // a value from before the load goes too
  model.Load(file, kAllSettingsParts, "C:\\Program\\");
  EXPECT_FALSE(model.values.enableTimer);
  EXPECT_EQ(model.values.movieWidth, 800);
  EXPECT_EQ(model.values.wallpaperStyle, 3);
  EXPECT_EQ(model.values.language, "");  // an empty text is a value
  EXPECT_EQ(model.values.automaticFolder, "C:\\Program\\images");
  EXPECT_TRUE(model.values.alwaysMinimize);
  EXPECT_EQ(model.values.soundList, "Default");
}

TEST(SettingsModel, EachPartIsReadAndSavedOnItsOwn) {
  TextStore file(test::kSampleSettings);
  SettingsModel model;
  EXPECT_FALSE(model.Holds(SettingsPart::Dialog));
  model.Load(file, uint8_t(SettingsPart::Dialog), "");
  EXPECT_TRUE(model.Holds(SettingsPart::Dialog));
  EXPECT_FALSE(model.Holds(SettingsPart::Panel));
  EXPECT_TRUE(model.values.highQualityResampling);
  EXPECT_TRUE(model.values.showPreview);  // the panel's: still the default
  EXPECT_EQ(model.values.lastWallpaperIndex, 0);

  // The panel's save writes its own rows, in the order it always wrote them.
  TextStore saved;
  model.Save(saved, uint8_t(SettingsPart::Panel));
  EXPECT_EQ(saved.SectionNames(),
            (std::vector<std::string>{"Show Preview", "Change at Startup", "Last Wallpaper Index", "Shuffle Wallpapers",
                                      "Timer interval", "Enable Timer", "Interval Value", "Wallpaper style",
                                      "Custom position X", "Custom position Y", "ColorBox1", "Functioning mode",
                                      "Automatic mode location", "movie width", "movie height"}));
  TextStore menu;
  model.Save(menu, uint8_t(SettingsPart::PanelMenu));
  EXPECT_EQ(menu.Text(), "[Show Full Path]\r\nChecked=0\r\n[Pause Changes]\r\nChecked=0\r\n");

  // "Checkbox12" is written with the file type's box for older versions;
  // "Register Extensions" alone decides what it reads.
  TextStore older("[Checkbox12]\r\nChecked=1\r\n[Register Extensions]\r\nChecked=0\r\n");
  model.Load(older, uint8_t(SettingsPart::Dialog), "");
  EXPECT_FALSE(model.values.registerPlaylistType);
  model.values.registerPlaylistType = true;
  model.Save(older, uint8_t(SettingsPart::Dialog));
  EXPECT_EQ(older.Read("Checkbox12", "Checked"), "1");
  EXPECT_EQ(older.Read("Register Extensions", "Checked"), "1");
}

TEST(SettingsModel, TheTableNamesEveryKeyOnceWithADefaultOfItsFieldsKind) {
  std::set<std::string> keys;
  std::set<std::string> readFields;
  for (const SettingRow& row : kSettingRows) {
    EXPECT_TRUE(keys.insert(LowerCaseAscii(std::string(row.section) + "/" + row.key)).second) << row.section;
    const bool textField = std::holds_alternative<std::string SettingsValues::*>(row.field);
    const bool textDefault = std::holds_alternative<const char*>(row.fallback);
    EXPECT_EQ(textField, textDefault) << row.section;
    if (!textField) {
      EXPECT_EQ(row.field.index(), row.fallback.index()) << row.section;
    }
  }
  // Two readable rows of one field would leave the value to whichever
  // comes last.
  SettingsValues marks = DefaultSettings("");
  for (const SettingRow& row : kSettingRows) {
    if (row.flags & kWrittenOnly) continue;
    std::visit(
        [&](auto member) {
          const auto* at = reinterpret_cast<const char*>(&(marks.*member));
          const std::string where = std::to_string(at - reinterpret_cast<const char*>(&marks));
          EXPECT_TRUE(readFields.insert(where).second) << row.section;
        },
        row.field);
  }
}

}  // namespace
}  // namespace wc
