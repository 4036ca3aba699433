#pragma once
// The settings file: a Windows INI file read and written through the
// system's private-profile functions. Every option is a section of its own
// with one value; names match without regard to case. Every call opens the
// file, does its work and closes it again, so nothing is cached.
//
// Reading never fails visibly: a missing file, section or key, or a value
// that is no integer, gives the caller's default. A write the system refuses
// throws Error("Unable to write to <path>").
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wc {

class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // Booleans are written "1" / "0"; any integer other than 0 reads as true.
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;
  // Decimal, or hexadecimal after "0x" or "$".
  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
  // At most 2047 characters.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  // The value's text, or nothing when the file lacks the key.
  std::optional<std::string> ReadValue(const std::string& section, const std::string& key) const;

  void WriteBool(const std::string& section, const std::string& key, bool value) const;
  void WriteInteger(const std::string& section, const std::string& key, int64_t value) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value) const;

  // Several values written together: one copy of the file, one check and
  // one replace for all of them, where single writes would do each once per
  // value. Nothing reaches the file before Commit. A value the system
  // refuses stops there: the values before it are stored, the later ones
  // are not, and Commit throws as a single write would.
  class Batch {
   public:
    explicit Batch(const IniFile& file) : file_(file) {}
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void WriteInteger(const std::string& section, const std::string& key, int64_t value);
    void WriteString(const std::string& section, const std::string& key, std::string value);
    void Commit();

   private:
    struct Value {
      std::string section, key, text;
    };
    const IniFile& file_;
    std::vector<Value> values_;
  };

 private:
  std::string path_;
};

}  // namespace wc
