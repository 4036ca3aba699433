#include "scan/file_name_rules.h"
#include "lang/program_texts.h"

namespace wc {

namespace {

bool IsReservedDeviceName(std::string_view name) {
  // The device is matched before the first dot and without trailing spaces:
  // "con.txt" and "NUL " are the devices too.
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  for (const char* d : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (base == d) return true;
  }
  if (base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' && base[3] <= '9') {
    return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> FileNameProblem(std::string_view name) {
  std::string quoted(1, '"');
  quoted.append(name).push_back('"');
  if (name.empty()) return Say(texts::kNameEmpty);
  for (char c : name) {
    if (c == '\\' || c == '/') return Say(texts::kNameHasSlash, {quoted});
    if (std::string_view(":*?\"<>|").find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 32) {
      return Say(texts::kNameHasBadCharacter);
    }
  }
  if (name.find_first_not_of('.') == std::string_view::npos) return Say(texts::kNameOnlyDots, {quoted});
  if (name.back() == ' ' || name.back() == '.') return Say(texts::kNameBadEnd);
  if (IsReservedDeviceName(name)) return Say(texts::kNameReserved, {quoted});
  return std::nullopt;
}

}  // namespace wc
