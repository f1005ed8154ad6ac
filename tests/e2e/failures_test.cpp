// Runs that cannot open their window end through one box and exit code 0.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

int boxes_titled(Display* display, const std::string& caption) {
  int count = 0;
  for (const auto& w : top_level_windows(display)) count += w.name == caption;
  return count;
}

void expect_one_failure_box(const std::vector<std::string>& args) {
  XServer server(320, 240);
  Program program(args, server.name());
  const auto box = wait_for_window(server.display(), "Debug", 20);
  ASSERT_TRUE(box);
  sleep_seconds(0.3);
  EXPECT_EQ(boxes_titled(server.display(), "Debug"), 1);
  EXPECT_EQ(boxes_titled(server.display(), "Error"), 0);
  EXPECT_TRUE(program.running()) << "the box waits for the user";
  xdotool(server.name(), "mousemove --window " + std::to_string(box->id) + " 5 5");
  xdotool(server.name(), "key --window " + std::to_string(box->id) + " Return");
  EXPECT_EQ(program.wait_exit(10), 0);
}

}  // namespace

TEST(failures, a_preview_handle_that_names_no_window_shows_one_box) {
  expect_one_failure_box({"/p", "12345"});
}

TEST(failures, a_preview_without_a_handle_shows_one_box) { expect_one_failure_box({"/p"}); }

TEST(failures, an_overflowing_preview_handle_shows_one_box) {
  expect_one_failure_box({"/p", "99999999999999999999"});
}

TEST(failures, without_an_x_server_the_run_ends_with_the_message_on_stderr) {
  Program program({"/s"}, ":999");
  EXPECT_EQ(program.wait_exit(20), 0);
  const std::string errors = program.error_output();
  EXPECT_NE(errors.find("Debug: Failed to initialize GLFW"), std::string::npos) << errors;
  EXPECT_NE(errors.find("Debug: Failed to open window"), std::string::npos) << errors;
}
