#pragma once
// A temporary folder for one test: created with a unique name under the
// system's temporary folder and removed with everything in it when the
// object goes out of scope.

#include <filesystem>
#include <string>

namespace wc::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, with the host's separators and no trailing separator.
  std::string path() const;
  // path() joined with name; the file is not created.
  std::string file(const std::string& name) const;

 private:
  std::filesystem::path dir_;
};

}  // namespace wc::test
