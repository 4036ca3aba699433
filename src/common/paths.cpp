#include "common/paths.h"

namespace wc {

namespace {

constexpr std::string_view kDelimiters = "\\:";

// Position just after the last delimiter, 0 when there is none.
size_t NameStart(std::string_view path) {
  const size_t pos = path.find_last_of(kDelimiters);
  return pos == std::string_view::npos ? 0 : pos + 1;
}

}  // namespace

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string ExtractFilePath(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string ExtractFileExt(std::string_view path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || dot < NameStart(path)) return {};
  return std::string(path.substr(dot));
}

std::string DisplayName(std::string_view path) {
  std::string name = ExtractFileName(path);
  const std::string ext = ExtractFileExt(path);
  if (!ext.empty()) {
    const size_t pos = name.find(ext);
    if (pos != std::string::npos) name.erase(pos, ext.size());
  }
  return name;
}

std::string IncludeTrailingBackslash(std::string_view path) {
  std::string out(path);
  if (out.empty() || out.back() != '\\') out += '\\';
  return out;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  while (!name.empty() && name.front() == '\\') name.remove_prefix(1);
  if (folder.empty()) return std::string(name);
  return IncludeTrailingBackslash(folder) + std::string(name);
}

}  // namespace wc
