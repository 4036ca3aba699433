#pragma once
// The folders a depth-first walk is inside, by identity (a volume serial and
// file index, say). A link back to a folder above would otherwise be walked
// again and again until the paths overflow: a folder already on the way down
// is not entered twice.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace wc {

class AncestorFolders {
 public:
  // Stays inside the folder while it lives.
  class Visit {
   public:
    Visit(std::vector<std::string>* path, bool entered) : path_(path), entered_(entered) {}
    Visit(const Visit&) = delete;
    Visit& operator=(const Visit&) = delete;
    ~Visit() {
      if (path_) path_->pop_back();
    }
    // False when the folder is already on the way down: do not enter it.
    explicit operator bool() const { return entered_; }

   private:
    std::vector<std::string>* path_;
    bool entered_;
  };

  // A folder whose identity is unknown is entered and not remembered.
  [[nodiscard]] Visit Enter(const std::optional<std::string>& identity) {
    if (!identity) return Visit(nullptr, true);
    if (std::find(path_.begin(), path_.end(), *identity) != path_.end()) return Visit(nullptr, false);
    path_.push_back(*identity);
    return Visit(&path_, true);
  }

 private:
  std::vector<std::string> path_;
};

}  // namespace wc
