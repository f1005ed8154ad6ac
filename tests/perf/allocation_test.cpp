// The steady-state frame allocates nothing: thousands of frames of the whole
// simulation, with the counting stand-in for the renderer, under a counter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "common/app_info.h"
#include "frame/frame_log.h"
#include "frame/frame_pacing.h"
#include "puzzle/draw_frame_counter.h"
#include "puzzle/sequencer.h"
#include "puzzle/simulation_reset.h"
#include "tests/perf/allocation_counter.h"

namespace {

void start_show() {
  reset_simulation();
  app_info.width = 800;
  app_info.height = 600;
  update_frame(0.01234);  // the first frame builds the lattice and the drift
}

}  // namespace

TEST(allocation_counter, counts_what_the_program_allocates) {
  start_counting_allocations();
  std::vector<int>* numbers = new std::vector<int>(100);
  std::string text(200, 'x');
  const long counted = stop_counting_allocations();
  delete numbers;
  EXPECT_GE(counted, 3);
}

TEST(steady_frame, ten_thousand_frames_of_the_simulation_allocate_nothing) {
  // At 60 frames per second this is nearly three minutes: several whole
  // scramble and solve cycles with every kind of frame.
  start_show();
  const long draws_before = draw_frame_count;
  start_counting_allocations();
  for (int frame = 1; frame <= 10000; ++frame) update_frame(0.01234 + frame / 60.0);
  EXPECT_EQ(stop_counting_allocations(), 0);
  EXPECT_EQ(draw_frame_count - draws_before, 10000);
}

TEST(steady_frame, uneven_frame_times_allocate_nothing) {
  // Stalls and bursts drive the overshoot corrections and the edge turns.
  start_show();
  double t = 0.01234;
  start_counting_allocations();
  for (int frame = 1; frame <= 5000; ++frame) {
    t += frame % 97 == 0 ? 0.9 : 0.001 * (1 + frame % 29);
    update_frame(t);
  }
  EXPECT_EQ(stop_counting_allocations(), 0);
}

TEST(steady_frame, pacing_the_loop_allocates_nothing) {
  FramePacing pacing = start_frame_pacing(true, 60);
  start_counting_allocations();
  double t = 0.0;
  for (int frame = 0; frame < 1000; ++frame) {
    t += 0.001 + frame_pacing_delay(pacing, t, t + 0.001);
  }
  sleep_seconds(0.0001);
  EXPECT_EQ(stop_counting_allocations(), 0);
}

TEST(steady_frame, logging_presented_frames_allocates_nothing) {
  char path[] = "/tmp/frame_log_XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  setenv("CUBESAVER_FRAME_LOG", path, 1);
  open_frame_log();
  start_counting_allocations();
  for (int frame = 0; frame < 5000; ++frame) log_frame_presented();
  EXPECT_EQ(stop_counting_allocations(), 0);
  unlink(path);
}
