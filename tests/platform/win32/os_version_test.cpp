#include "platform/win32/os_version.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

TEST(win32_os_version, the_low_byte_is_the_major_version_and_the_next_the_minor) {
  EXPECT_EQ(os_version_from(0x23F00206), 62);  // 6.2, build 9200
  EXPECT_EQ(os_version_from(0x0000000A), 100);
  EXPECT_EQ(os_version_from(0x0A280105), 51);  // 5.1, build 2600
  EXPECT_EQ(os_version_from(0x00000006), 60);
}

TEST(win32_os_version, the_monitor_mode_sizes_the_window_from_version_60_on) {
  EXPECT_EQ(full_screen_uses_monitor_mode(), os_version_number() >= 60);
  EXPECT_EQ(os_version_number(), os_version_from(GetVersion()));
}
