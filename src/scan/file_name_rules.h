#pragma once
// Whether a typed text can be a file's new name within its folder. A name
// that holds a separator or a character Windows refuses in names would put
// the file elsewhere ("..\x") or fail with an unhelpful error, and a device
// name ("CON", "nul.txt") does not name a file at all.
#include <optional>
#include <string>
#include <string_view>

namespace wc {

// Why `name` (the whole new file name, extension included) cannot be used;
// nothing when it can.
std::optional<std::string> FileNameProblem(std::string_view name);

}  // namespace wc
