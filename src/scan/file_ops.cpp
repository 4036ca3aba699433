#include "scan/file_ops.h"

#include "ui/wide_text.h"

namespace wc {

bool CopyWithoutOverwriting(const std::string& source, const std::string& target) {
  return CopyFileW(ui::Widen(source).c_str(), ui::Widen(target).c_str(), TRUE) != 0;
}

bool MoveOneFile(const std::string& source, const std::string& target) {
  return MoveFileExW(ui::Widen(source).c_str(), ui::Widen(target).c_str(), MOVEFILE_COPY_ALLOWED) != 0;
}

bool DeleteOneFile(const std::string& path) { return DeleteFileW(ui::Widen(path).c_str()) != 0; }

DWORD RenameOneFile(const std::string& from, const std::string& to) {
  if (MoveFileExW(ui::Widen(from).c_str(), ui::Widen(to).c_str(), 0)) return ERROR_SUCCESS;
  return GetLastError();
}

}  // namespace wc
