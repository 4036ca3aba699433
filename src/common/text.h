#pragma once
// Byte-wise text helpers. All text in the program is 8-bit ANSI, so none of
// these apply locale rules: only the ASCII letters change case.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

// a..z become A..Z; every other byte (accented letters included) is kept.
std::string UpperCaseText(std::string_view text);
// A..Z become a..z; every other byte is kept.
std::string LowerCaseAscii(std::string_view text);
// Equal when the texts differ only in the case of A..Z.
bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b);

// Removes leading and trailing bytes <= ' ' (blanks and control characters).
std::string Trim(std::string_view text);

// Integer as the settings file stores it: an optional '+' or '-', then either
// decimal digits (must fit in int32) or "$"/"0x"/"0X" and at most 32 bits of
// hexadecimal digits, which are taken as the 32-bit pattern ("$FFFFFFFF" is
// -1). Anything else (empty, blanks, trailing characters) gives nullopt.
std::optional<int32_t> ParseIntegerText(std::string_view text);

// Boolean as the settings file stores it: any integer (as above) other than
// 0 is true; text that is no integer gives nullopt.
std::optional<bool> ParseBooleanText(std::string_view text);

// Plain decimal, with '-' when negative.
std::string IntToText(int64_t value);

// Splits a translated list value at every occurrence of separator. Each piece
// is trimmed and kept, empty pieces included, except that the piece after the
// last separator is kept only when it is not empty after trimming. With an
// empty separator the whole trimmed text is the one item.
std::vector<std::string> SplitListValue(std::string_view text, std::string_view separator);

}  // namespace wc
