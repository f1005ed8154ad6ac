#include "frame/frame_pacing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A frame loop on a simulated clock: each frame draws for draw_seconds(i),
// presents, and sleeps what the pacing asks for (plus an optional oversleep).
// Returns the clock readings at which the frames started.
template <typename DrawTime, typename Oversleep>
std::vector<double> run_frames(FramePacing pacing, int frames, DrawTime draw_seconds, Oversleep oversleep) {
  std::vector<double> starts;
  double clock = 100.0;
  for (int i = 0; i < frames; ++i) {
    const double start = clock;
    starts.push_back(start);
    clock += draw_seconds(i);
    const double delay = frame_pacing_delay(pacing, start, clock);
    EXPECT_GE(delay, 0.0);
    if (delay > 0.0) clock += delay + oversleep(i);
  }
  return starts;
}

std::vector<double> run_frames(FramePacing pacing, int frames, double draw_seconds) {
  return run_frames(
      pacing, frames, [=](int) { return draw_seconds; }, [](int) { return 0.0; });
}

// The most frames that start within any window of the given length.
int most_starts_within(const std::vector<double>& starts, double window) {
  int most = 0;
  std::size_t first = 0;
  for (std::size_t last = 0; last < starts.size(); ++last) {
    while (starts[last] - starts[first] >= window - 1e-9) ++first;
    most = std::max(most, static_cast<int>(last - first + 1));
  }
  return most;
}

}  // namespace

TEST(pacing_period, without_vsync_the_loop_is_never_held_back) {
  FramePacing pacing = start_frame_pacing(false, 60);
  EXPECT_EQ(pacing.period, 0.0);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(frame_pacing_delay(pacing, i * 0.001, i * 0.001 + 0.0001), 0.0);
}

TEST(pacing_period, follows_the_monitors_refresh_rate) {
  EXPECT_DOUBLE_EQ(start_frame_pacing(true, 75).period, 1.0 / 75);
  EXPECT_DOUBLE_EQ(start_frame_pacing(true, 144).period, 1.0 / 144);
}

TEST(pacing_period, an_unknown_refresh_rate_counts_as_sixty_hertz) {
  EXPECT_DOUBLE_EQ(start_frame_pacing(true, 0).period, 1.0 / 60);
  EXPECT_DOUBLE_EQ(start_frame_pacing(true, -1).period, 1.0 / 60);
}

TEST(pacing_fast_frames, start_exactly_one_period_apart) {
  const std::vector<double> starts = run_frames(start_frame_pacing(true, 60), 600, 0.001);
  for (std::size_t i = 1; i < starts.size(); ++i) EXPECT_NEAR(starts[i] - starts[i - 1], 1.0 / 60, 1e-9);
}

TEST(pacing_fast_frames, a_second_holds_no_more_frames_than_the_refresh_rate) {
  const std::vector<double> starts = run_frames(start_frame_pacing(true, 60), 3000, 0.0002);
  EXPECT_EQ(most_starts_within(starts, 1.0), 60);
}

TEST(pacing_fast_frames, oversleeping_one_frame_is_made_up_by_the_next) {
  // The third frame's sleep runs 3 ms long; the fourth frame still starts on the grid.
  const std::vector<double> starts = run_frames(
      start_frame_pacing(true, 60), 6, [](int) { return 0.001; }, [](int i) { return i == 2 ? 0.003 : 0.0; });
  EXPECT_NEAR(starts[3] - starts[0], 3.0 / 60 + 0.003, 1e-9);
  EXPECT_NEAR(starts[4] - starts[0], 4.0 / 60, 1e-9);
  EXPECT_NEAR(starts[5] - starts[0], 5.0 / 60, 1e-9);
}

TEST(pacing_fast_frames, jittery_drawing_and_sleeping_keep_every_start_on_its_own_period) {
  // Oversleeping by up to 1 ms neither adds frames nor loses them: frame i
  // starts within 1 ms after i whole periods from the first.
  const std::vector<double> starts = run_frames(
      start_frame_pacing(true, 60), 5000, [](int i) { return 0.0005 + 0.001 * ((i * 7) % 13); },
      [](int i) { return 0.0001 * ((i * 5) % 11); });
  for (std::size_t i = 1; i < starts.size(); ++i) {
    EXPECT_GE(starts[i] - starts[0], i / 60.0 - 1e-9);
    EXPECT_LE(starts[i] - starts[0], i / 60.0 + 0.001 + 1e-9);
  }
  EXPECT_LE(most_starts_within(starts, 1.0), 61);
}

TEST(pacing_slow_frames, a_frame_longer_than_a_period_is_not_followed_by_a_sleep) {
  FramePacing pacing = start_frame_pacing(true, 60);
  EXPECT_EQ(frame_pacing_delay(pacing, 0.0, 0.05), 0.0);
  EXPECT_EQ(frame_pacing_delay(pacing, 0.05, 0.10), 0.0);
}

TEST(pacing_slow_frames, after_a_stall_the_loop_does_not_race_to_catch_up) {
  // One frame takes a whole second; the frames after it are paced from its end.
  const std::vector<double> starts = run_frames(
      start_frame_pacing(true, 60), 20, [](int i) { return i == 5 ? 1.0 : 0.001; }, [](int) { return 0.0; });
  for (std::size_t i = 7; i < starts.size(); ++i) EXPECT_NEAR(starts[i] - starts[i - 1], 1.0 / 60, 1e-9);
}

TEST(pacing_slow_frames, drawing_slower_than_the_refresh_runs_at_the_drawing_rate) {
  const std::vector<double> starts = run_frames(start_frame_pacing(true, 60), 100, 0.025);
  for (std::size_t i = 1; i < starts.size(); ++i) EXPECT_NEAR(starts[i] - starts[i - 1], 0.025, 1e-9);
}

// Where the driver honours the swap interval, the swap waits for the vertical
// blank; the fallback must then never push a frame past its blank. Monitors
// sold as 60 Hz often refresh at 59.94 Hz and report 60.
TEST(pacing_honoured_vsync, keeps_every_vertical_blank_after_the_first_frames) {
  for (const double period : {1.0 / 60, 1.0 / 59.94}) {
    for (const double draw : {0.001, 0.008, 0.015}) {
      for (const double phase : {0.0, 0.004, 0.012, 0.0166}) {
        FramePacing pacing = start_frame_pacing(true, 60);
        double clock = phase;
        std::vector<long> blanks;
        for (int i = 0; i < 300; ++i) {
          const double start = clock;
          clock += draw;
          const long blank = static_cast<long>(clock / period) + 1;  // the swap waits for the next blank
          clock = blank * period + 0.0001;
          blanks.push_back(blank);
          clock += frame_pacing_delay(pacing, start, clock) + 0.00005;  // sleeps run a little long
        }
        int missed = 0;
        for (std::size_t i = 1; i < blanks.size(); ++i)
          missed += static_cast<int>(blanks[i] - blanks[i - 1] - 1);
        EXPECT_LE(missed, 1) << "period " << period << " draw " << draw << " phase " << phase;
      }
    }
  }
}
