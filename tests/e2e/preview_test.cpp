// The preview: drawing inside a host's window made by the test.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

constexpr int host_x = 40, host_y = 30, host_width = 160, host_height = 120;

struct PreviewRun {
  XServer server{320, 240};
  Window host = create_host_window(server.display(), host_x, host_y, host_width, host_height);
  std::size_t windows_before = top_level_windows(server.display()).size();
  std::optional<Program> program;

  bool start() {
    program.emplace(std::vector<std::string>{"/p", std::to_string(host)}, server.name());
    return wait_until(
        [&] { return shows_background(server.display(), host_x, host_y, host_width, host_height); },
        20);
  }
};

}  // namespace

TEST(preview, the_picture_fills_the_host_and_no_window_of_its_own_appears) {
  PreviewRun run;
  ASSERT_TRUE(run.start());
  Display* display = run.server.display();
  // Outside the host the screen is untouched.
  EXPECT_FALSE(near(screen_pixel(display, host_x + host_width + 5, host_y), background));
  EXPECT_EQ(top_level_windows(display).size(), run.windows_before);
  save_screenshot(run.server.name(), SCREENSHOT_DIR "/preview.png");
  EXPECT_TRUE(run.program->running());
}

TEST(preview, destroying_the_host_ends_the_run) {
  PreviewRun run;
  ASSERT_TRUE(run.start());
  XDestroyWindow(run.server.display(), run.host);
  XSync(run.server.display(), False);
  EXPECT_EQ(run.program->wait_exit(10), 0);
}

TEST(preview, unmapping_the_host_ends_the_run_and_hands_the_window_back) {
  PreviewRun run;
  ASSERT_TRUE(run.start());
  XUnmapWindow(run.server.display(), run.host);
  XSync(run.server.display(), False);
  EXPECT_EQ(run.program->wait_exit(10), 0);
  EXPECT_TRUE(window_exists(run.server.display(), run.host));
}

TEST(preview, the_picture_follows_the_host_when_it_grows) {
  PreviewRun run;
  ASSERT_TRUE(run.start());
  XResizeWindow(run.server.display(), run.host, host_width + 60, host_height + 40);
  XSync(run.server.display(), False);
  EXPECT_TRUE(wait_until(
      [&] {
        return shows_background(run.server.display(), host_x, host_y, host_width + 60, host_height + 40);
      },
      10));
}
