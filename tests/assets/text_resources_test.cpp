#include "assets/text_resources.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/assets/test_resources.h"

namespace {

constexpr std::uint16_t text_id = 7;

class TextResources : public ::testing::Test {
 protected:
  void TearDown() override { clear_test_resources(); }
  void set_text(const std::string& text) { set_test_resource(ResourceType::TextFile, text_id, text); }
};

TEST_F(TextResources, marker_text_ends_in_the_comment_opening_and_a_zero) {
  set_text("void main() {}\r\n//~\r\n");
  char buffer[2048];
  std::memset(buffer, 'x', sizeof buffer);
  load_text_resource(text_id, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "void main() {}\r\n//");
}

TEST_F(TextResources, marker_as_first_byte_gives_an_empty_string) {
  set_text("~rest");
  char buffer[16] = "unchanged";
  load_text_resource(text_id, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "");
}

TEST_F(TextResources, missing_resource_gives_an_empty_string) {
  char buffer[16] = "unchanged";
  load_text_resource(99, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(read_resource_text(99), "");
}

TEST_F(TextResources, text_without_marker_stops_at_the_resource_end) {
  const std::string text = "no end marker in this text at all";
  set_text(text);
  char buffer[64];
  std::memset(buffer, 'x', sizeof buffer);
  load_text_resource(text_id, buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer), text);
}

TEST_F(TextResources, long_text_is_cut_to_capacity_and_still_terminated) {
  set_text("0123456789~");
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  load_text_resource(text_id, buffer, 5);
  EXPECT_STREQ(buffer, "0123");
  EXPECT_EQ(buffer[5], 'x');
}

TEST_F(TextResources, text_exactly_filling_capacity_before_marker_is_cut_by_one) {
  set_text("abcd~");
  char buffer[4];
  load_text_resource(text_id, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "abc");
}

TEST_F(TextResources, capacity_one_holds_just_the_zero_and_zero_writes_nothing) {
  set_text("abc~");
  char buffer[2] = {'x', 'y'};
  load_text_resource(text_id, buffer, 1);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'y');
  buffer[0] = 'x';
  load_text_resource(text_id, buffer, 0);
  EXPECT_EQ(buffer[0], 'x');
}

TEST_F(TextResources, whole_text_is_read_by_stored_size_with_its_markers_and_line_ends) {
  const std::string text("a~b\r\n\0c\r\n", 9);
  set_text(text);
  EXPECT_EQ(read_resource_text(text_id), text);
}

}  // namespace
