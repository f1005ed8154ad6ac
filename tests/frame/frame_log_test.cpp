#include "frame/frame_log.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

bool line_made = false;
const char* state_line() {
  line_made = true;
  return "render test";
}

}  // namespace

// The log is opened once per process, so one case covers it.
TEST(frame_log, numbers_each_presented_frame_with_a_rising_clock_reading_and_writes_lines_as_given) {
  log_frame_line(state_line);
  EXPECT_FALSE(line_made) << "without the log the line is not even made";

  // Standard C++ only, so that the test also runs as a Windows program.
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::string path =
      (std::filesystem::temp_directory_path() / ("frame_log_test_" + std::to_string(stamp))).string();
  static char setting[512];
  std::snprintf(setting, sizeof setting, "CUBESAVER_FRAME_LOG=%s", path.c_str());
  ASSERT_EQ(putenv(setting), 0);
  open_frame_log();
  for (int i = 0; i < 3; ++i) log_frame_presented();
  log_frame_line(state_line);
  EXPECT_TRUE(line_made);
  std::fflush(nullptr);

  std::ifstream file(path);
  std::string word;
  long number = -1;
  double seconds = 0.0;
  double previous = -1.0;
  for (long expected = 0; expected < 3; ++expected) {
    ASSERT_TRUE(file >> word >> number >> seconds);
    EXPECT_EQ(word, "frame");
    EXPECT_EQ(number, expected);
    EXPECT_GE(seconds, previous);
    previous = seconds;
  }
  std::string rest;
  std::getline(file, rest);  // the end of the last frame's line
  ASSERT_TRUE(std::getline(file, rest));
  EXPECT_EQ(rest, "render test");
  EXPECT_FALSE(file >> word);
  file.close();
  std::remove(path.c_str());
}
