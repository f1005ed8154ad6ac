// One real GL context per test process, with the entry table loaded, as the
// program has it when its assets are set up. Run under Xvfb.
#pragma once

#include <gtest/gtest.h>

#include "common/gl_entry_points.h"
#include "tests/gl/gl_test_context.h"

class GlContextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (window == nullptr) {
      window = open_test_context();
      if (window != nullptr) load_gl_entry_points();
    }
  }
  void SetUp() override { ASSERT_NE(window, nullptr) << "no GL context (is a display set?)"; }

  static inline GLFWwindow* window = nullptr;
};
