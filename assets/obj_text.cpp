#include "assets/obj_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace objl {

namespace {

bool is_space(char c) { return c == ' ' || c == '\t'; }

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_space(std::string_view s, std::size_t i) {
  while (i < s.size() && is_space(s[i])) {
    ++i;
  }
  return i;
}

std::size_t skip_word(std::string_view s, std::size_t i) {
  while (i < s.size() && !is_space(s[i])) {
    ++i;
  }
  return i;
}

}  // namespace

std::string first_word(std::string_view line) {
  const std::size_t start = skip_space(line, 0);
  return std::string(line.substr(start, skip_word(line, start) - start));
}

std::string rest_of_line(std::string_view line) {
  const std::size_t word_end = skip_word(line, skip_space(line, 0));
  const std::size_t start = skip_space(line, word_end);
  if (start >= line.size()) {
    return {};
  }
  std::size_t end = line.size();
  while (end > start && is_space(line[end - 1])) {
    --end;
  }
  return std::string(line.substr(start, end - start));
}

std::vector<std::string> split_on(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> fields;
  if (delimiter.empty()) {
    if (!text.empty()) {
      fields.emplace_back(text);
    }
    return fields;
  }
  std::string field;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, delimiter.size(), delimiter) == 0) {
      if (!field.empty()) {
        fields.push_back(field);
        field.clear();
        i += delimiter.size() - 1;
      } else {
        fields.emplace_back();
      }
    } else if (i + delimiter.size() >= text.size()) {
      field.append(text.substr(i));
      fields.push_back(field);
      return fields;
    } else {
      field.push_back(text[i]);
    }
  }
  return fields;
}

namespace {

// For a number that does not fit single precision: whether it is too small
// rather than too large, from the power of ten of its first non-zero digit
// (its digits, point and exponent as read_float accepts them).
bool below_one(std::string_view number) {
  std::size_t i = 0;
  long whole_digits = 0;
  while (i < number.size() && is_digit(number[i])) {
    if (whole_digits > 0 || number[i] != '0') ++whole_digits;
    ++i;
  }
  long power = whole_digits - 1;
  if (i < number.size() && number[i] == '.') {
    ++i;
    long zeros = 0;
    while (i < number.size() && number[i] == '0') ++zeros, ++i;
    if (whole_digits == 0) power = -(zeros + 1);
    while (i < number.size() && is_digit(number[i])) ++i;
  }
  long exponent = 0;
  if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
    ++i;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
    // Saturated: a few thousand is far past either end of the range.
    for (; i < number.size() && is_digit(number[i]); ++i)
      if (exponent < 100000) exponent = exponent * 10 + (number[i] - '0');
    if (negative) exponent = -exponent;
  }
  return power + exponent < 0;
}

}  // namespace

bool read_float(std::string_view text, float& out) {
  std::size_t i = skip_space(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Only decimal digits may start the number: no "inf", "nan" or hex forms.
  const bool digit_first = i < text.size() && is_digit(text[i]);
  const bool point_first = i + 1 < text.size() && text[i] == '.' && is_digit(text[i + 1]);
  if (!digit_first && !point_first) {
    return false;
  }
  float value = 0.0f;
  const auto [end, error] =
      std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::general);
  (void)end;
  // Too small for single precision is zero, as converting to it gives; too
  // large is refused.
  if (error == std::errc::result_out_of_range && below_one(text.substr(i))) {
    out = negative ? -0.0f : 0.0f;
    return true;
  }
  if (error != std::errc() || !std::isfinite(value)) {
    return false;
  }
  out = negative ? -value : value;
  return true;
}

bool read_integer(std::string_view text, std::int64_t& out) {
  std::size_t i = skip_space(text, 0);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= text.size() || !is_digit(text[i])) {
    return false;
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value, 10);
  (void)end;
  if (error != std::errc()) {
    return false;
  }
  out = negative ? -value : value;
  return true;
}

}  // namespace objl
