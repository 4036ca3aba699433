#include "temp_dir.h"

#include <atomic>
#include <chrono>
#include <random>
#include <stdexcept>
#include <system_error>

namespace wc::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device device;
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = base / ("wc-test-" + std::to_string(device()) + "-" + std::to_string(stamp) + "-" +
                                       std::to_string(counter++));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {  // false when it already exists
      dir_ = candidate;
      dir_.make_preferred();
      return;
    }
  }
  throw std::runtime_error("TempDir: cannot create a temporary folder in " + base.string());
}

TempDir::~TempDir() {
  std::error_code ec;  // a destructor must not throw; a leftover folder is harmless
  fs::remove_all(dir_, ec);
}

std::string TempDir::path() const {
  const std::u8string utf8 = dir_.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::string TempDir::file(const std::string& name) const {
  // Joined as bytes: the program's strings are UTF-8, and a path object
  // would convert the name through the C library's code page.
  std::string joined = path() + char(fs::path::preferred_separator) + name;
  if (fs::path::preferred_separator == '\\') {
    for (char& c : joined) {
      if (c == '/') c = '\\';
    }
  }
  return joined;
}

}  // namespace wc::test
