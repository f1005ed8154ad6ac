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

// The CPU budget of software rasterisers: frame costs in, period out.
TEST(pacing_budget, cheap_frames_keep_the_refresh_rate) {
  const PaceChoice choice = budget_pace(true, 60, 0.005, 1);  // 0.30 of a core at 60 a second
  EXPECT_EQ(choice.divisor, 1);
  EXPECT_DOUBLE_EQ(choice.period, 1.0 / 60);
  EXPECT_EQ(budget_pace(true, 60, 1.0 / 120, 1).divisor, 1) << "exactly half a core still fits";
}

TEST(pacing_budget, costlier_frames_take_the_highest_whole_fraction_of_the_refresh_that_fits_half_a_core) {
  EXPECT_EQ(budget_pace(true, 60, 0.009, 1).divisor, 2);   // 0.54 at 60, 0.27 at 30
  EXPECT_EQ(budget_pace(true, 60, 0.0165, 1).divisor, 2);  // 0.495 at 30
  EXPECT_DOUBLE_EQ(budget_pace(true, 60, 0.009, 1).period, 2.0 / 60);
  EXPECT_EQ(budget_pace(true, 144, 0.005, 1).divisor, 2);  // 0.72 at 144, 0.36 at 72
  EXPECT_EQ(budget_pace(true, 144, 0.010, 1).divisor, 3);  // 0.48 at 48
}

TEST(pacing_budget, never_below_thirty_a_second_while_one_core_can_give_that) {
  // 20 ms a frame fits half a core only at 20 a second; 30 a second takes 0.6 of a core.
  EXPECT_EQ(budget_pace(true, 60, 0.020, 1).divisor, 2);
  EXPECT_EQ(budget_pace(true, 60, 1.0 / 30, 1).divisor, 2) << "a whole core, exactly";
  EXPECT_EQ(budget_pace(true, 75, 0.025, 1).divisor, 2) << "37.5 a second; a third of 75 is below 30";
  EXPECT_EQ(budget_pace(true, 144, 0.030, 1).divisor, 4) << "36 a second";
  // Past a core at 30 a second the budget holds again: 40 ms fits half a core at 12 a second.
  EXPECT_EQ(budget_pace(true, 60, 0.040, 1).divisor, 5);
  EXPECT_EQ(budget_pace(true, 60, 10.0, 1).divisor, 60) << "at least a frame a second";
}

TEST(pacing_budget, a_faster_rate_needs_headroom_so_a_cost_on_the_edge_does_not_swing) {
  // 8 ms fits half a core at 60 (0.48) but not with headroom: stay at 30 once there.
  EXPECT_EQ(budget_pace(true, 60, 0.008, 2).divisor, 2);
  EXPECT_EQ(budget_pace(true, 60, 0.008, 1).divisor, 1);
  EXPECT_EQ(budget_pace(true, 60, 0.006, 2).divisor, 1) << "0.36 of a core: back to 60";
  EXPECT_EQ(budget_pace(true, 60, 0.012, 3).divisor, 2) << "0.36 at 30";
}

TEST(pacing_budget, hardware_and_unknown_costs_keep_the_rate_they_have) {
  for (const double cost : {0.001, 0.009, 0.040}) {
    const PaceChoice choice = budget_pace(false, 60, cost, 1);
    EXPECT_EQ(choice.divisor, 1);
    EXPECT_DOUBLE_EQ(choice.period, 1.0 / 60);
  }
  EXPECT_DOUBLE_EQ(budget_pace(false, 0, 0.040, 1).period, 1.0 / 60) << "unknown refresh rate";
  EXPECT_EQ(budget_pace(true, 60, 0.0, 2).divisor, 2);
}

namespace {

// The loop on a simulated clock with a given CPU cost per frame: the rate it
// settles at and the share of a core it then takes.
struct BudgetRun {
  double fps;
  double cores;
  int choices;
};

BudgetRun run_budget(bool software, double cpu_per_frame, double seconds) {
  FramePacing pacing = start_frame_pacing(true, 60);
  FrameBudget budget = start_frame_budget(software, true, 60);
  double clock = 0.0, cpu = 0.0;
  int frames_late = 0, choices = 0;
  double late_start = 0.0, late_cpu = 0.0;
  while (clock < seconds) {
    const double start = clock;
    clock += 0.001;  // the wall time of drawing; its CPU is spread over threads
    cpu += cpu_per_frame;
    if (update_frame_budget(budget, pacing, clock, cpu)) ++choices;
    clock += frame_pacing_delay(pacing, start, clock);
    if (clock > seconds / 2) {
      if (frames_late == 0) {
        late_start = clock;
        late_cpu = cpu;
      }
      ++frames_late;
    }
  }
  const double span = clock - late_start;
  return {frames_late / span, (cpu - late_cpu) / span, choices};
}

}  // namespace

TEST(pacing_budget, the_loop_measures_its_frames_and_settles_within_the_budget) {
  const BudgetRun cheap = run_budget(true, 0.005, 20.0);
  EXPECT_NEAR(cheap.fps, 60.0, 1.0);
  const BudgetRun dear = run_budget(true, 0.014, 20.0);  // the 720p frame of today
  EXPECT_NEAR(dear.fps, 30.0, 1.0);
  EXPECT_LE(dear.cores, 0.5);
  EXPECT_GE(dear.choices, 15) << "it keeps measuring, about once a second";
  const BudgetRun floor = run_budget(true, 0.025, 20.0);
  EXPECT_NEAR(floor.fps, 30.0, 1.0);
  const BudgetRun hardware = run_budget(false, 0.014, 20.0);
  EXPECT_NEAR(hardware.fps, 60.0, 1.0);
  EXPECT_EQ(hardware.choices, 0);
}
