// settings.ini through the settings model as the program stores it: a file
// of the version before read and saved back key for key, with the sections
// and keys the program does not know kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "program_files.h"
#include "settings/settings_file.h"
#include "settings_sample.h"
#include "temp_dir.h"

namespace wc {
namespace {

// Every key of the file as the system's profile functions read it:
// "section/key" to value, names as the file spells them.
std::map<std::string, std::string> KeysOf(const std::string& path) {
  std::map<std::string, std::string> keys;
  for (const std::string& section : test::IniSections(path)) {
    std::vector<char> buffer(65536);
    const DWORD n = GetPrivateProfileSectionA(section.c_str(), buffer.data(), DWORD(buffer.size()), path.c_str());
    for (size_t i = 0; i < n && buffer[i];) {
      const std::string line(&buffer[i]);
      i += line.size() + 1;
      const size_t eq = line.find('=');
      keys[section + "/" + line.substr(0, eq)] = line.substr(eq + 1);
    }
  }
  return keys;
}

TEST(SettingsFile, AFileOfTheVersionBeforeComesBackKeyForKeyWithWhatTheProgramDoesNotKnow) {
  test::TempDir dir;
  const std::string path = dir.file("settings.ini");
  test::WriteTextFile(path, test::kSampleSettings);
  const std::map<std::string, std::string> before = KeysOf(path);
  ASSERT_EQ(before.count("Window position/Left"), 1u);
  ASSERT_EQ(before.count("Wallpaper style/Value"), 1u);

  SettingsModel model;
  SettingsFile file(path);
  model.Load(file, kAllSettingsParts, dir.path() + "\\");
  EXPECT_EQ(model.values.wallpaperStyle, 5);  // stored as "Value", written as "value"
  EXPECT_EQ(model.values.automaticFolder, "D:\\Pictures\\\xE6\x97\xA5");
  model.Save(file, kAllSettingsParts);
  std::map<std::string, std::string> saved = before;
  for (const auto& [key, value] : test::kAddedKeys) saved[key] = value;
  EXPECT_EQ(KeysOf(path), saved);

  // Into a new file the model writes exactly the keys the program knows.
  const std::string fresh = dir.file("fresh.ini");
  SettingsFile freshFile(fresh);
  model.Save(freshFile, kAllSettingsParts);
  std::map<std::string, std::string> known = before;
  std::erase_if(known, [](const auto& kv) {
    const size_t slash = kv.first.find('/');
    return test::IsForeignToTheProgram(kv.first.substr(0, slash), kv.first.substr(slash + 1));
  });
  known.erase("Wallpaper style/Value");
  known["Wallpaper style/value"] = "5";
  for (const auto& [key, value] : test::kAddedKeys) known[key] = value;
  EXPECT_EQ(KeysOf(fresh), known);
}

}  // namespace
}  // namespace wc
