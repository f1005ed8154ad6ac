#include "frame/full_screen.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

namespace {

void expect_hints(const GLFWvidmode* current, FullScreenHints expected) {
  const FullScreenHints hints = full_screen_hints(current);
  EXPECT_EQ(hints.red_bits, expected.red_bits);
  EXPECT_EQ(hints.green_bits, expected.green_bits);
  EXPECT_EQ(hints.blue_bits, expected.blue_bits);
  EXPECT_EQ(hints.refresh_rate, expected.refresh_rate);
}

}  // namespace

// A monitor able to run at 144 Hz but running at 60 Hz stays at 60 Hz, and a
// 16-bit desktop keeps its depth: the window asks for exactly what runs now.
TEST(full_screen_hints, asks_for_the_current_modes_refresh_rate_and_colour_bits) {
  const GLFWvidmode sixty_hertz = {1920, 1080, 8, 8, 8, 60};
  expect_hints(&sixty_hertz, {8, 8, 8, 60});
  const GLFWvidmode sixteen_bits = {1024, 768, 5, 6, 5, 75};
  expect_hints(&sixteen_bits, {5, 6, 5, 75});
}

TEST(full_screen_hints, asks_for_the_library_defaults_when_the_mode_is_unknown) {
  expect_hints(nullptr, {8, 8, 8, GLFW_DONT_CARE});
}
