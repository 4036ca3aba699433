#include "common/file_write.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>  // MoveFileExA: the C library's rename will not replace a file
#endif

namespace wc {

ReplacingWrite::ReplacingWrite(std::string target) : target_(std::move(target)), temp_(target_ + ".new") {}

ReplacingWrite::~ReplacingWrite() {
  if (replaced_) return;
#ifdef _WIN32
  DeleteFileA(temp_.c_str());
#else
  std::remove(temp_.c_str());
#endif
}

bool ReplacingWrite::Replace() {
#ifdef _WIN32
  replaced_ = MoveFileExA(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  replaced_ = std::rename(temp_.c_str(), target_.c_str()) == 0;
#endif
  return replaced_;
}

}  // namespace wc
