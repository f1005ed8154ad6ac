// Runs that cannot open their window end through one box and exit code 0.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <string>

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

TEST(failures, a_failure_box_gives_way_to_the_hosts_termination_signal) {
  XServer server(320, 240);
  Program program({"/p", "12345"}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), "Debug", 20));
  program.signal(SIGTERM);
  EXPECT_EQ(program.wait_exit(10), 0);
}

namespace {

// True once the process catches SIGTERM (its first act in main).
bool catches_sigterm(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
  }
  return false;
}

}  // namespace

TEST(failures, a_signal_during_set_up_still_ends_with_exit_code_zero) {
  for (double delay : {0.0, 0.02, 0.08}) {
    XServer server(320, 240);
    Program program({"/s"}, server.name());
    ASSERT_TRUE(wait_until([&] { return catches_sigterm(program.pid()); }, 10));
    sleep_seconds(delay);
    program.signal(SIGTERM);
    EXPECT_EQ(program.wait_exit(20), 0) << "after " << delay << " s";
  }
}
