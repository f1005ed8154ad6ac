#include "assets/obj_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using objl::first_word;
using objl::read_float;
using objl::read_integer;
using objl::rest_of_line;
using objl::split_on;
using Fields = std::vector<std::string>;

TEST(FirstWord, skips_leading_blanks_and_tabs_and_stops_at_the_next_one) {
  EXPECT_EQ(first_word(""), "");
  EXPECT_EQ(first_word("   \t "), "");
  EXPECT_EQ(first_word("\tNs 96.0784"), "Ns");
  EXPECT_EQ(first_word("v  1 2 3"), "v");
  EXPECT_EQ(first_word("gx y"), "gx");
}

TEST(FirstWord, treats_carriage_return_as_part_of_the_word) {
  EXPECT_EQ(first_word("newmtl\r"), "newmtl\r");
}

TEST(RestOfLine, starts_after_the_blanks_that_follow_the_first_word) {
  EXPECT_EQ(rest_of_line("v  -4.2873 -4.2873 4.9206"), "-4.2873 -4.2873 4.9206");
  EXPECT_EQ(rest_of_line("\t\tKd 0.5 0.5 0.5"), "0.5 0.5 0.5");
}

TEST(RestOfLine, trims_trailing_blanks_but_keeps_a_trailing_carriage_return) {
  EXPECT_EQ(rest_of_line("f 11/1 36/2 37/3 13/4 "), "11/1 36/2 37/3 13/4");
  EXPECT_EQ(rest_of_line("newmtl abc \r"), "abc \r");
}

TEST(RestOfLine, is_empty_without_a_second_word) {
  EXPECT_EQ(rest_of_line(""), "");
  EXPECT_EQ(rest_of_line("g"), "");
  EXPECT_EQ(rest_of_line("g   "), "");
}

TEST(SplitOn, keeps_empty_fields_between_adjacent_delimiters) {
  EXPECT_EQ(split_on("a b", " "), (Fields{"a", "b"}));
  EXPECT_EQ(split_on("a  b", " "), (Fields{"a", "", "b"}));
  EXPECT_EQ(split_on("1//3", "/"), (Fields{"1", "", "3"}));
  EXPECT_EQ(split_on(" a", " "), (Fields{"", "a"}));
}

TEST(SplitOn, adds_nothing_for_a_delimiter_at_the_very_end) {
  EXPECT_EQ(split_on("a ", " "), (Fields{"a"}));
  EXPECT_EQ(split_on("1/2/", "/"), (Fields{"1", "2"}));
}

TEST(SplitOn, gives_no_fields_for_empty_text_or_empty_delimiter) {
  EXPECT_TRUE(split_on("", " ").empty());
  EXPECT_EQ(split_on("abc", ""), (Fields{"abc"}));
}

TEST(ReadFloat, reads_a_decimal_prefix_and_ignores_what_follows) {
  float v = 0.0f;
  ASSERT_TRUE(read_float("  -4.2873\r", v));
  EXPECT_FLOAT_EQ(v, -4.2873f);
  ASSERT_TRUE(read_float("+1.5e2x", v));
  EXPECT_FLOAT_EQ(v, 150.0f);
  ASSERT_TRUE(read_float(".25", v));
  EXPECT_FLOAT_EQ(v, 0.25f);
}

TEST(ReadFloat, rejects_text_that_is_no_number_and_leaves_the_value) {
  float v = 7.0f;
  for (const char* text : {"", " ", "-", "x1", "inf", "nan", "-.", "\r"}) {
    EXPECT_FALSE(read_float(text, v)) << text;
  }
  EXPECT_EQ(v, 7.0f);
}

TEST(ReadFloat, reads_values_too_small_for_single_precision_as_zero_with_their_sign) {
  // Refused, such a coordinate would drop its vertex and shift every later index.
  for (const char* text : {"1e-50", "0.0000000000000000000000000000000000000000000000001", "1e-400", "-1e-50"}) {
    float v = 7.0f;
    ASSERT_TRUE(read_float(text, v)) << text;
    EXPECT_EQ(v, 0.0f) << text;
    EXPECT_EQ(std::signbit(v), text[0] == '-') << text;
  }
}

TEST(ReadFloat, rejects_values_beyond_single_precision) {
  float v = 7.0f;
  EXPECT_FALSE(read_float("1e39", v));
  EXPECT_FALSE(read_float("-1e400", v));
  EXPECT_FALSE(read_float(std::string(400, '9'), v));
  EXPECT_EQ(v, 7.0f);
}

TEST(ReadInteger, reads_a_signed_decimal_prefix) {
  std::int64_t n = 0;
  ASSERT_TRUE(read_integer(" -12/3", n));
  EXPECT_EQ(n, -12);
  ASSERT_TRUE(read_integer("+7", n));
  EXPECT_EQ(n, 7);
}

TEST(ReadInteger, rejects_non_numbers_and_values_past_64_bits) {
  std::int64_t n = 5;
  EXPECT_FALSE(read_integer("", n));
  EXPECT_FALSE(read_integer("x", n));
  EXPECT_FALSE(read_integer("-", n));
  EXPECT_FALSE(read_integer("99999999999999999999", n));
  EXPECT_EQ(n, 5);
}

}  // namespace
