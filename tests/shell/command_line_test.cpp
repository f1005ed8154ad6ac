#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

void expect_scan(const char* text, RunMode mode, int handle) {
  const CommandLine result = parse_command_line(text, false);
  EXPECT_EQ(result.mode, mode) << '"' << text << '"';
  EXPECT_EQ(result.handle, handle) << '"' << text << '"';
}

}  // namespace

TEST(command_line, recognised_switches_choose_their_mode) {
  expect_scan("/s", Saver, 0);
  expect_scan("/p 1234", Preview, 1234);
  expect_scan("/c:5678", Configure, 5678);
  expect_scan("/c", Configure, 0);
}

TEST(command_line, anything_else_is_the_default_with_no_handle) {
  expect_scan("", Default, 0);
  expect_scan("/S", Default, 0);
  expect_scan("-s", Default, 0);
  expect_scan("/x 12", Default, 0);
  expect_scan("/", Default, 0);
  expect_scan("saver 77", Default, 0);
  const CommandLine none = parse_command_line(nullptr, false);
  EXPECT_EQ(none.mode, Default);
}

TEST(command_line, the_number_starts_three_characters_after_the_slash) {
  expect_scan("/p1234", Preview, 234);
  expect_scan("/p", Preview, 0);
  expect_scan("/p ", Preview, 0);
  expect_scan("/p  \t 42", Preview, 42);
  expect_scan("/p -17", Preview, -17);
  expect_scan("/p 12ab", Preview, 12);
  expect_scan("/p x", Preview, 0);
}

TEST(command_line, the_last_recognised_switch_and_slash_win) {
  expect_scan("/s /p 99", Preview, 99);
  expect_scan("/p 99 /s", Saver, 0);
  expect_scan("/p 99 /x", Preview, 0);  // a later slash re-reads the handle
  expect_scan("/c 5 /S 7", Configure, 7);
}

TEST(command_line, handles_beyond_32_bits_saturate) {
  expect_scan("/p 2147483647", Preview, INT_MAX);
  expect_scan("/p 2147483648", Preview, INT_MAX);
  expect_scan("/p 99999999999999999999999999", Preview, INT_MAX);
  expect_scan("/p -2147483648", Preview, INT_MIN);
  expect_scan("/p -99999999999999999999999999", Preview, INT_MIN);
}

TEST(command_line, force_configure_overrides_every_command_line) {
  for (const char* text : {"", "/s", "/p 12", "/c", "anything"}) {
    EXPECT_EQ(parse_command_line(text, true).mode, Configure) << text;
  }
  EXPECT_EQ(parse_command_line("/p 12", true).handle, 12);
}

TEST(command_line, negative_handles_become_unsigned_window_ids) {
  EXPECT_EQ(handle_to_window(1234), 1234u);
  EXPECT_EQ(handle_to_window(-1), 0xFFFFFFFFu);
}
