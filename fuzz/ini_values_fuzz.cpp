// Values as the settings and language files hold them: integers (decimal or
// hexadecimal), booleans and separated lists, read from any text.
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wc::fuzz::Input in(data, size);
  const std::string_view separator = in.Text(in.Byte() % 4);
  const std::string_view text = in.RestText();

  const auto number = wc::ParseIntegerText(text);
  const auto flag = wc::ParseBooleanText(text);
  FUZZ_CHECK(number.has_value() == flag.has_value());
  if (number) {
    FUZZ_CHECK(*flag == (*number != 0));
    // A value is written back in decimal and must read the same.
    FUZZ_CHECK(wc::ParseIntegerText(wc::IntToText(*number)) == number);
    FUZZ_CHECK(wc::Trim(text) == text);  // blanks around a number are refused
  }

  const std::string upper = wc::UpperCaseText(text);
  FUZZ_CHECK(upper.size() == text.size());
  FUZZ_CHECK(wc::EqualsIgnoreCaseAscii(upper, text));
  FUZZ_CHECK(wc::LowerCaseAscii(upper) == wc::LowerCaseAscii(text));
  const std::string trimmed = wc::Trim(text);
  FUZZ_CHECK(wc::Trim(trimmed) == trimmed);
  FUZZ_CHECK(text.find(trimmed) != std::string_view::npos);

  const std::vector<std::string> items = wc::SplitListValue(text, separator);
  FUZZ_CHECK(!items.empty() || (!separator.empty() && trimmed.empty()));
  size_t separators = 0;
  for (size_t at = text.find(separator); !separator.empty() && at != std::string_view::npos;
       at = text.find(separator, at + separator.size()))
    ++separators;
  FUZZ_CHECK(items.size() <= separators + 1);
  for (const std::string& item : items) {
    FUZZ_CHECK(wc::Trim(item) == item);
    FUZZ_CHECK(separator.empty() || item.find(separator) == std::string::npos);
  }
  return 0;
}
