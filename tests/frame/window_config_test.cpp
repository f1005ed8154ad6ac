#include "frame/window_config.h"

#include <gtest/gtest.h>

namespace {

WindowConfigInput full_screen(bool monitor_mode_size, bool have_mode) {
  WindowConfigInput input = {};
  input.mode = Saver;
  input.fullscreen = true;
  input.monitor_mode_size = monitor_mode_size;
  input.have_video_mode = have_mode;
  input.video_width = 1920;
  input.video_height = 1080;
  return input;
}

void expect_size(const WindowConfigInput& input, int width, int height) {
  const WindowSize size = choose_window_size(input);
  EXPECT_EQ(size.width, width);
  EXPECT_EQ(size.height, height);
}

}  // namespace

TEST(window_config, full_screen_takes_the_monitor_mode_where_the_system_uses_it) {
  expect_size(full_screen(true, true), 1920, 1080);
  expect_size(full_screen(false, true), 800, 600);
}

TEST(window_config, without_a_monitor_mode_or_full_screen_the_window_is_800_by_600) {
  expect_size(full_screen(true, false), 800, 600);
  WindowConfigInput windowed = full_screen(true, true);
  windowed.fullscreen = false;
  expect_size(windowed, 800, 600);
  WindowConfigInput as_default = full_screen(true, true);
  as_default.mode = Default;
  expect_size(as_default, 1920, 1080);
}

TEST(window_config, the_preview_takes_the_host_client_area) {
  WindowConfigInput preview = full_screen(true, true);
  preview.mode = Preview;
  preview.host = {true, 152, 112};
  expect_size(preview, 152, 112);
}

TEST(window_config, a_preview_host_that_is_no_window_gives_no_size) {
  WindowConfigInput preview = full_screen(true, true);
  preview.mode = Preview;
  preview.host = {false, 999, 999};
  expect_size(preview, 0, 0);
}
