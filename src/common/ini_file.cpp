#include "common/ini_file.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/text.h"
#include "common/error.h"
#include "common/file_write.h"

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

struct Written {
  const std::string& section;
  const std::string& key;
  const std::string& value;
};

// The keys written into `section`, which a comparison of the two files
// leaves out.
std::vector<std::string> KeysOf(const std::vector<Written>& written, const std::string& section) {
  std::vector<std::string> keys;
  for (const Written& w : written) {
    if (EqualsIgnoreCaseAscii(w.section, section)) keys.push_back(w.key);
  }
  return keys;
}

// The section's lines without those of `keys`.
std::vector<std::string> SectionLinesBut(const std::string& path, const std::string& section,
                                         const std::vector<std::string>& keys) {
  std::vector<char> buffer(65536);
  DWORD n = GetPrivateProfileSectionA(section.c_str(), buffer.data(), DWORD(buffer.size()), path.c_str());
  std::vector<std::string> lines = ProfileList(buffer, n);
  std::erase_if(lines, [&](const std::string& line) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    const std::string name = Trim(line.substr(0, eq));
    return std::any_of(keys.begin(), keys.end(), [&](const std::string& k) { return EqualsIgnoreCaseAscii(name, k); });
  });
  return lines;
}

// Whether `copy` holds everything `original` held, with the values written:
// a full disk can leave a profile file cut short while the write reports
// success.
bool HoldsEverything(const std::string& original, bool exists, const std::string& copy,
                     const std::vector<Written>& written) {
  if (exists) {
    for (const std::string& name : SectionNames(original)) {
      const std::vector<std::string> keys = KeysOf(written, name);
      if (SectionLinesBut(original, name, keys) != SectionLinesBut(copy, name, keys)) return false;
    }
  }
  for (const Written& w : written) {
    if (w.value.size() >= 2048) continue;  // longer than a read gives back
    char buffer[2048];
    DWORD n = GetPrivateProfileStringA(w.section.c_str(), w.key.c_str(), kMissing, buffer, sizeof buffer, copy.c_str());
    if (Trim(std::string(buffer, n)) != Trim(w.value)) return false;
  }
  return true;
}

// Writes the values in order into a copy of the file that replaces it only
// once it holds every value written, so a write that fails half-way (a full
// disk) leaves the settings as they were. A value the system refuses stops
// the writing there; the ones before it are still stored.
void WriteValues(const std::string& path, const std::vector<Written>& values) {
  // Some systems' profile functions report success on a read-only file and
  // write nothing; a read-only file is a refused write everywhere.
  DWORD attributes = GetFileAttributesA(path.c_str());
  bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
  if (readOnly) throw Error("Unable to write to " + path);
  ReplacingWrite beside(path);
  const std::string& copy = beside.Temp();
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  bool ok = exists ? CopyFileA(path.c_str(), copy.c_str(), FALSE) != FALSE : (DeleteFileA(copy.c_str()), true);
  std::vector<Written> written;
  bool refused = !ok;
  for (const Written& w : values) {
    if (refused) break;
    if (!WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(), copy.c_str())) {
      refused = true;
      break;
    }
    written.push_back(w);
  }
  ok = ok && (!written.empty() || exists) && HoldsEverything(path, exists, copy, written);
  ok = ok && beside.Replace();
  // A copy that did not take the file's place goes with `beside`.
  if (!ok || refused) throw Error("Unable to write to " + path);
}
}  // namespace

std::optional<std::string> IniFile::ReadValue(const std::string& section, const std::string& key) const {
  char buffer[2048];
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer, sizeof buffer, path_.c_str());
  std::string value(buffer, n);
  if (value == kMissing) return std::nullopt;
  return value;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  return ReadValue(section, key).value_or(def);
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
  WriteValues(path_, {Written{section, key, value}});
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int64_t value) const {
  WriteString(section, key, IntToText(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) const {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::Batch::WriteBool(const std::string& section, const std::string& key, bool value) {
  values_.push_back({section, key, value ? "1" : "0"});
}

void IniFile::Batch::WriteInteger(const std::string& section, const std::string& key, int64_t value) {
  values_.push_back({section, key, IntToText(value)});
}

void IniFile::Batch::WriteString(const std::string& section, const std::string& key, std::string value) {
  values_.push_back({section, key, std::move(value)});
}

void IniFile::Batch::Commit() {
  std::vector<Written> values;
  values.reserve(values_.size());
  for (const Value& v : values_) values.push_back({v.section, v.key, v.text});
  if (!values.empty()) WriteValues(file_.Path(), values);
  values_.clear();
}

}  // namespace wc
