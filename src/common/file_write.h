#pragma once
// Writing files safely: a stdio file that closes itself, and a file written
// beside its target that takes the target's place only once it is whole, so
// that a write failing half-way (a full disk) leaves the old file as it was
// and no part-written copy. Paths are UTF-8, which the program's 8-bit file
// calls take.
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace wc {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
// An open stdio file, closed when it goes. A caller that must know whether
// the close wrote everything closes it itself: std::fclose(file.release()).
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// The temporary file beside `target` ("<target>.new"): the caller writes it
// by whatever means it likes, then Replace puts it in the target's place. A
// temporary that never took the target's place is deleted when this goes.
class ReplacingWrite {
 public:
  explicit ReplacingWrite(std::string target);
  ~ReplacingWrite();
  ReplacingWrite(const ReplacingWrite&) = delete;
  ReplacingWrite& operator=(const ReplacingWrite&) = delete;

  const std::string& Temp() const { return temp_; }
  // Puts the written temporary in the target's place in one step, replacing
  // what is there. False when the system refused; its error code (errno, or
  // the last Windows error) is as the refusal left it.
  bool Replace();

 private:
  std::string target_, temp_;
  bool replaced_ = false;
};

// A stdio file opened for writing beside its target.
class ReplacingFile {
 public:
  explicit ReplacingFile(std::string target)
      : beside_(std::move(target)), file_(std::fopen(beside_.Temp().c_str(), "wb")) {}
  // Null when the file could not be made (errno says why).
  std::FILE* get() const { return file_.get(); }
  // Closes the file and puts it in place; false when the system could not
  // write it all or replace the target.
  bool Finish() { return std::fclose(file_.release()) == 0 && beside_.Replace(); }

 private:
  ReplacingWrite beside_;  // first: the file is closed before its temporary goes
  UniqueFile file_;
};

}  // namespace wc
