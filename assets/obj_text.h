// Line-level text functions shared by the OBJ and MTL parsers. Blank and tab
// are the only white space they know; CR and LF are ordinary characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace objl {

std::string first_word(std::string_view line);
// From the second word to the last non-blank character; trailing CRs stay.
std::string rest_of_line(std::string_view line);
// Empty fields between adjacent delimiters are kept; a delimiter at the very end adds nothing.
std::vector<std::string> split_on(std::string_view text, std::string_view delimiter);

// Decimal number at the start of text (leading blanks and tabs skipped,
// optional sign); reading stops at the first character that cannot continue
// it. A value too small for single precision reads as zero with its sign, as
// converting to single precision gives. False when no digit starts the text or
// the value is too large: the callers then skip the line rather than invent a
// value.
bool read_float(std::string_view text, float& out);
bool read_integer(std::string_view text, std::int64_t& out);

}  // namespace objl
