#include "common/ini_file.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/text.h"
#include "ui/error.h"

namespace wc {

namespace {
// A value that no settings file holds: tells a missing key from an empty one.
constexpr const char* kMissing = "\x01missing\x01";

// A double-NUL-terminated list from the profile functions, as strings.
std::vector<std::string> ProfileList(const std::vector<char>& buffer, DWORD n) {
  std::vector<std::string> items;
  for (size_t i = 0; i < n && buffer[i];) {
    std::string item(&buffer[i]);
    i += item.size() + 1;
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<std::string> SectionNames(const std::string& path) {
  std::vector<char> buffer(65536);
  DWORD n = GetPrivateProfileSectionNamesA(buffer.data(), DWORD(buffer.size()), path.c_str());
  return ProfileList(buffer, n);
}

// The section's lines without those of `key`.
std::vector<std::string> SectionLinesBut(const std::string& path, const std::string& section, const std::string& key) {
  std::vector<char> buffer(65536);
  DWORD n = GetPrivateProfileSectionA(section.c_str(), buffer.data(), DWORD(buffer.size()), path.c_str());
  std::vector<std::string> lines = ProfileList(buffer, n);
  std::erase_if(lines, [&](const std::string& line) {
    const size_t eq = line.find('=');
    return eq != std::string::npos && EqualsIgnoreCaseAscii(Trim(line.substr(0, eq)), key);
  });
  return lines;
}

// Whether `copy` holds everything `original` held, with the one value
// written: a full disk can leave a profile file cut short while the write
// reports success.
bool HoldsEverything(const std::string& original, const std::string& copy, const std::string& section,
                     const std::string& key, const std::string& value) {
  for (const std::string& name : SectionNames(original)) {
    if (SectionLinesBut(original, name, EqualsIgnoreCaseAscii(name, section) ? key : "") !=
        SectionLinesBut(copy, name, EqualsIgnoreCaseAscii(name, section) ? key : "")) {
      return false;
    }
  }
  if (value.size() >= 2048) return true;  // longer than a read gives back
  char buffer[2048];
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer, sizeof buffer, copy.c_str());
  return Trim(std::string(buffer, n)) == Trim(value);
}
}  // namespace

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
  if (readOnly) throw ui::Error("Unable to write to " + path_);
  // Written into a copy that replaces the file only once it holds every
  // value: a write that fails half-way (a full disk) leaves the settings as
  // they were.
  const std::string copy = path_ + ".new";
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  bool ok = exists ? CopyFileA(path_.c_str(), copy.c_str(), FALSE) != FALSE : (DeleteFileA(copy.c_str()), true);
  ok = ok && WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), copy.c_str());
  ok = ok && (!exists || HoldsEverything(path_, copy, section, key, value));
  ok = ok && MoveFileExA(copy.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    DeleteFileA(copy.c_str());
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
