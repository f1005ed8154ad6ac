// The single-instance guard between Default and Preview runs.
#include <gtest/gtest.h>
#include <signal.h>

#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

const char* const title = "3D Tamsel's Screensaver";

int saver_windows(Display* display) {
  int count = 0;
  for (const auto& w : top_level_windows(display)) count += w.name == title;
  return count;
}

}  // namespace

TEST(guard, a_second_guarded_run_ends_at_once_while_the_first_lives) {
  XServer server(200, 150);
  Program first({}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));

  Program second_default({}, server.name());
  EXPECT_EQ(second_default.wait_exit(10), 0);
  const Window host = create_host_window(server.display(), 10, 10, 80, 60);
  Program second_preview({"/p", std::to_string(host)}, server.name());
  EXPECT_EQ(second_preview.wait_exit(10), 0);
  EXPECT_EQ(saver_windows(server.display()), 1);
  EXPECT_TRUE(first.running());
}

TEST(guard, saver_runs_ignore_the_guard) {
  XServer server(200, 150);
  Program guarded({}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));
  Program saver({"/s"}, server.name());
  EXPECT_TRUE(wait_until([&] { return saver_windows(server.display()) == 2; }, 20));
  EXPECT_TRUE(saver.running());
  EXPECT_TRUE(guarded.running());
}

TEST(guard, the_guard_dies_with_its_holder_even_when_killed) {
  XServer server(200, 150);
  {
    Program first({}, server.name());
    ASSERT_TRUE(wait_for_window(server.display(), title, 20));
    first.signal(SIGKILL);
    ASSERT_TRUE(first.wait_exit(10));
  }
  ASSERT_TRUE(wait_until([&] { return saver_windows(server.display()) == 0; }, 10));
  Program next({}, server.name());
  EXPECT_TRUE(wait_for_window(server.display(), title, 20));
  EXPECT_TRUE(next.running());
}
