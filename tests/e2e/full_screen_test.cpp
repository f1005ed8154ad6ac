// The full-screen runs (/s and no switch): window, background, and what ends them.
#include <gtest/gtest.h>
#include <signal.h>

#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

constexpr int screen_width = 320;
constexpr int screen_height = 240;
const char* const title = "3D Tamsel's Screensaver";

struct FullScreenRun {
  XServer server{screen_width, screen_height};
  std::optional<Program> program;
  WindowInfo window = {};

  bool start(const std::vector<std::string>& args) {
    program.emplace(args, server.name());
    const auto found = wait_for_window(server.display(), title, 20);
    if (!found) return false;
    window = *found;
    // The first frames are drawn once the window is up.
    return wait_until([&] { return shows_background(server.display(), 0, 0, screen_width, screen_height); }, 20);
  }
};

}  // namespace

TEST(full_screen, saver_fills_the_screen_with_the_background) {
  FullScreenRun run;
  ASSERT_TRUE(run.start({"/s"}));
  EXPECT_EQ(run.window.x, 0);
  EXPECT_EQ(run.window.y, 0);
  EXPECT_EQ(run.window.width, screen_width);
  EXPECT_EQ(run.window.height, screen_height);
  save_screenshot(run.server.name(), SCREENSHOT_DIR "/full_screen_saver.png");
  xdotool(run.server.name(), "key a");
  EXPECT_EQ(run.program->wait_exit(10), 0);
}

TEST(full_screen, no_switch_runs_full_screen_like_saver) {
  FullScreenRun run;
  ASSERT_TRUE(run.start({}));
  EXPECT_EQ(run.window.width, screen_width);
  EXPECT_EQ(run.window.height, screen_height);
  xdotool(run.server.name(), "key space");
  EXPECT_EQ(run.program->wait_exit(10), 0);
}

TEST(full_screen, pointer_motion_and_the_wheel_do_not_end_it) {
  FullScreenRun run;
  ASSERT_TRUE(run.start({"/s"}));
  xdotool(run.server.name(), "mousemove 10 10 mousemove 200 150 mousemove 50 200");
  xdotool(run.server.name(), "click 4 click 5");
  sleep_seconds(1.0);
  EXPECT_TRUE(run.program->running());
  xdotool(run.server.name(), "click 1");
  EXPECT_EQ(run.program->wait_exit(10), 0);
}

TEST(full_screen, a_key_press_ends_it_with_exit_code_zero) {
  FullScreenRun run;
  ASSERT_TRUE(run.start({"/s"}));
  xdotool(run.server.name(), "keydown shift");
  EXPECT_EQ(run.program->wait_exit(10), 0);
  xdotool(run.server.name(), "keyup shift");
}

TEST(full_screen, a_key_release_alone_ends_it) {
  XServer server(screen_width, screen_height);
  // A held key repeats as presses; with repeat off, only the release reaches the saver.
  XAutoRepeatOff(server.display());
  XSync(server.display(), False);
  xdotool(server.name(), "keydown b");  // held before the saver starts
  Program program({"/s"}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));
  sleep_seconds(0.5);
  ASSERT_TRUE(program.running());
  xdotool(server.name(), "keyup b");
  EXPECT_EQ(program.wait_exit(10), 0);
}

TEST(full_screen, each_mouse_button_ends_it) {
  for (const char* button : {"1", "2", "3"}) {
    FullScreenRun run;
    ASSERT_TRUE(run.start({"/s"}));
    xdotool(run.server.name(), std::string("mousedown ") + button);
    EXPECT_EQ(run.program->wait_exit(10), 0) << "button " << button;
  }
}

TEST(full_screen, the_window_close_request_ends_the_loop_in_order) {
  FullScreenRun run;
  ASSERT_TRUE(run.start({"/s"}));
  send_close_request(run.server.display(), run.window.id);
  EXPECT_EQ(run.program->wait_exit(10), 0);
  EXPECT_EQ(run.program->error_output(), "");
}

TEST(full_screen, termination_signals_end_it_in_order) {
  for (int number : {SIGTERM, SIGINT, SIGHUP}) {
    FullScreenRun run;
    ASSERT_TRUE(run.start({"/s"}));
    run.program->signal(number);
    EXPECT_EQ(run.program->wait_exit(10), 0) << "signal " << number;
  }
}
