#include "puzzle/random.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Random, draws_bits_16_to_30_of_the_generator_state) {
  seed_random(23);
  // 23 * 214013 + 2531011 = 7453310, and 7453310 >> 16 = 113.
  EXPECT_EQ(draw_random(), 113);
  EXPECT_EQ(random_state, 7453310u);
}

TEST(Random, wraps_the_state_modulo_two_to_the_32) {
  seed_random(0xFFFFFFFFu);
  draw_random();
  EXPECT_EQ(random_state, static_cast<std::uint32_t>(0xFFFFFFFFull * 214013u + 2531011u));
  for (int i = 0; i < 1000; ++i) {
    const std::int32_t v = draw_random();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 32767);
  }
}

TEST(Seed, of_a_first_frame_at_0_01234_seconds_is_23) { EXPECT_EQ(seed_from_time(0.01234), 23u); }

TEST(Seed, takes_tenths_of_milliseconds_truncated) {
  EXPECT_EQ(seed_from_time(0.0), 0u);
  EXPECT_EQ(seed_from_time(0.00999), 99u);
  EXPECT_EQ(seed_from_time(1.5), 0u);
  EXPECT_EQ(seed_from_time(2.00745), 74u);
}

TEST(Seed, stays_in_range_for_clock_readings_past_the_32_bit_range) {
  // 500000 s is 5e9 tenths of a millisecond; modulo 2^32 that is 705032704.
  EXPECT_EQ(seed_from_time(500000.0), 4u);
  for (double t : {429496.7296, 2592000.0, 1e12, 1e300, -1.0, -0.01234, HUGE_VAL, -HUGE_VAL, std::nan("")})
    EXPECT_LT(seed_from_time(t), 100u) << t;
}
