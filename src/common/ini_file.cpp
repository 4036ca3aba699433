#include "common/ini_file.h"

#include <windows.h>

#include "common/text.h"
#include "ui/error.h"

namespace wc {

namespace {
// A value that no settings file holds: tells a missing key from an empty one.
constexpr const char* kMissing = "\x01missing\x01";
}

std::string IniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  char buffer[2048];
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer, sizeof buffer, path_.c_str());
  std::string value(buffer, n);
  return value == kMissing ? def : value;
}

bool IniFile::ValueExists(const std::string& section, const std::string& key) const {
  char buffer[64];
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer, sizeof buffer, path_.c_str());
  return std::string(buffer, n) != kMissing;
}

int32_t IniFile::ReadInteger(const std::string& section, const std::string& key, int32_t def) const {
  auto v = ParseIntegerText(ReadString(section, key, ""));
  return v ? *v : def;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  auto v = ParseBooleanText(ReadString(section, key, ""));
  return v ? *v : def;
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) const {
  // Some systems' profile functions report success on a read-only file and
  // write nothing; a read-only file is a refused write everywhere.
  DWORD attributes = GetFileAttributesA(path_.c_str());
  bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
  if (readOnly || !WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str())) {
    throw ui::Error("Unable to write to " + path_);
  }
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int64_t value) const {
  WriteString(section, key, IntToText(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) const {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace wc
