// A new name typed into the rename dialog: whatever it accepts stays a plain
// name inside the file's own folder (no separator, no way up, no device),
// and whatever it refuses comes with a reason to show.
#include <string>
#include <string_view>

#include "common/paths.h"
#include "fuzz_input.h"
#include "scan/file_name_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wc::fuzz::Input in(data, size);
  const std::string_view name = in.RestText();
  const auto problem = wc::FileNameProblem(name);
  if (problem) {
    FUZZ_CHECK(!problem->empty());
    return 0;
  }
  FUZZ_CHECK(!name.empty());
  FUZZ_CHECK(name.find_first_of("\\/:*?\"<>|") == std::string_view::npos);
  for (unsigned char c : name) FUZZ_CHECK(c >= 32);
  FUZZ_CHECK(name.back() != '.' && name.back() != ' ');
  FUZZ_CHECK(name.find_first_not_of('.') != std::string_view::npos);

  const std::string folder = "C:\\Pictures\\Holiday\\";
  const std::string path = wc::JoinPath(folder, name);
  FUZZ_CHECK(wc::ExtractFilePath(path) == folder);
  FUZZ_CHECK(wc::ExtractFileName(path) == name);
  return 0;
}
