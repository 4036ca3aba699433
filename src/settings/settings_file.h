#pragma once
// settings.ini in the program's folder as the settings model's store: read
// and written through the system's profile functions, so the sections and
// keys no row names stay in the file untouched.
#include <string>

#include "common/ini_file.h"
#include "settings/settings_model.h"

namespace wc {

class SettingsFile : public SettingsStore {
 public:
  explicit SettingsFile(std::string path) : file_(std::move(path)) {}
  std::optional<std::string> Read(const std::string& section, const std::string& key) const override {
    return file_.ReadValue(section, key);
  }
  // One copy of the file for all the values, replacing it only once whole.
  void Write(const std::vector<StoredSetting>& values) override {
    IniFile::Batch batch(file_);
    for (const StoredSetting& v : values) batch.WriteString(v.section, v.key, v.text);
    batch.Commit();
  }

 private:
  IniFile file_;
};

}  // namespace wc
