#include "puzzle/sequencer.h"

#include <cmath>

#include "puzzle/drift.h"
#include "puzzle/random.h"
#include "simulation_fixture.h"

namespace {

constexpr double day = 24.0 * 3600.0;

// Feeds update_frame steady clock readings t0 + k / fps and notes each move
// as it is chosen: the history grows or shrinks by one in that frame.
struct Show {
  double t0;
  double fps;
  long frame = 0;
  bool moved = false;  // the last frame chose a move

  double now() const { return t0 + static_cast<double>(frame) / fps; }
  double last() const { return t0 + static_cast<double>(frame - 1) / fps; }

  void step() {
    const std::int32_t before = sequencer.move_count;
    update_frame(now());
    ++frame;
    moved = sequencer.move_count != before;
  }

  // Steps until a move is chosen; false if none within the limit.
  bool step_to_next_move(long limit = 100000) {
    for (long i = 0; i < limit; ++i) {
      step();
      if (moved) return true;
    }
    return false;
  }
};

vec4 centre_of_cubie_in(const ivec3& slot) {
  const ivec3 c = lattice.cubie_at[slot[0]][slot[1]][slot[2]];
  return lattice.cubie_transform[c[0]][c[1]][c[2]][3];
}

// Each surface slot's cubie sits on the slot's centre: no layer is part-turned.
void expect_every_cubie_on_its_slot(float tolerance) {
  for (int i = 0; i < surface_slot_count; ++i) {
    const ivec3 s = surface_slot(i);
    const vec4 centre = centre_of_cubie_in(s);
    for (int k = 0; k < 3; ++k) ASSERT_NEAR(centre[k], 5.0f * static_cast<float>(s[k]) - 15.0f, tolerance);
  }
}

float largest_drift_from_home() {
  float worst = 0.0f;
  for (int i = 0; i < surface_slot_count; ++i) {
    const ivec3 s = surface_slot(i);
    const mat4 home = home_transform(s[0], s[1], s[2]);
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r)
        worst = std::fmax(worst, std::fabs(lattice.cubie_transform[s[0]][s[1]][s[2]][c][r] - home[c][r]));
  }
  return worst;
}

bool every_cubie_exactly_home() {
  for (int i = 0; i < surface_slot_count; ++i) {
    const ivec3 s = surface_slot(i);
    if (!same_bits(lattice.cubie_transform[s[0]][s[1]][s[2]], home_transform(s[0], s[1], s[2]))) return false;
  }
  return true;
}

using Sequencer = Simulation;

}  // namespace

// --- Start -----------------------------------------------------------------

TEST_F(Sequencer, the_first_frame_seeds_from_its_clock_and_builds_the_puzzle) {
  update_frame(0.01234);
  EXPECT_EQ(random_state, lcg_after(23, 6));  // seed 23, then six draws for the drift
  EXPECT_EQ(sequencer.seq_state, SeqState::InitialDelay);
  EXPECT_TRUE(cubie_at_is_identity());
  EXPECT_EQ(drift.cube_position, vec3(0.0f, 0.0f, -100.0f));
  EXPECT_EQ(draw_frame_count, 1);
  EXPECT_TRUE(
      same_bits(scene.cubie_mv[0][0][0], scene.cube_translation * scene.cube_rotation * home_transform(0, 0, 0)));
}

TEST_F(Sequencer, draws_exactly_once_per_frame) {
  Show show{0.25, 60.0};
  for (int i = 0; i < 1500; ++i) show.step();
  EXPECT_EQ(draw_frame_count, 1500);
}

TEST_F(Sequencer, the_first_move_comes_in_the_frame_after_two_seconds_are_reached) {
  Show show{0.5, 64.0};  // frame 128 is exactly 2 s after the first
  for (int i = 0; i <= 128; ++i) {
    show.step();
    ASSERT_EQ(sequencer.move_count, 0) << "frame " << i;
  }
  EXPECT_EQ(sequencer.seq_state, SeqState::Pausing);
  show.step();
  EXPECT_TRUE(show.moved);
}

TEST_F(Sequencer, after_a_jump_past_two_seconds_the_first_move_waits_for_a_later_clock) {
  update_frame(10.0);
  update_frame(11.5);
  update_frame(12.5);
  EXPECT_EQ(sequencer.seq_state, SeqState::Pausing);
  update_frame(12.5);  // no time has passed
  EXPECT_EQ(sequencer.move_count, 0);
  update_frame(12.5001);
  EXPECT_EQ(sequencer.move_count, 1);
}

// --- The generator -----------------------------------------------------------

TEST_F(Sequencer, draws_three_numbers_per_scramble_move_and_three_for_the_dropped_move) {
  Show show{0.01234, 60.0};
  ASSERT_TRUE(show.step_to_next_move());
  EXPECT_EQ(random_state, lcg_after(23, 6 + 3));
  for (int m = 2; m <= 25; ++m) ASSERT_TRUE(show.step_to_next_move());
  EXPECT_EQ(random_state, lcg_after(23, 6 + 75));
  ASSERT_TRUE(show.step_to_next_move());  // the first undo, after the dropped draw
  EXPECT_EQ(sequencer.scrambling, 0);
  EXPECT_EQ(random_state, lcg_after(23, 6 + 78));
  for (int m = 2; m <= 25; ++m) ASSERT_TRUE(show.step_to_next_move());
  EXPECT_EQ(random_state, lcg_after(23, 6 + 78));
  ASSERT_TRUE(show.step_to_next_move());  // the next cycle continues the same sequence
  EXPECT_EQ(sequencer.scrambling, 1);
  EXPECT_EQ(random_state, lcg_after(23, 6 + 78 + 3));
}

TEST_F(Sequencer, a_scramble_move_draws_axis_then_layer_then_direction) {
  Show show{0.01234, 60.0};
  ASSERT_TRUE(show.step_to_next_move());
  const auto draw = [](int n) { return static_cast<int>(lcg_after(23, n) >> 16 & 0x7FFF); };
  EXPECT_EQ(sequencer.turn_axis, draw(7) % 3);
  EXPECT_EQ(sequencer.turn_layer, draw(8) % 7);
  EXPECT_EQ(sequencer.turn_target, draw(9) % 2 ? 90.0f : -90.0f);
  EXPECT_EQ(sequencer.history_axis[0], sequencer.turn_axis);
  EXPECT_EQ(sequencer.history_layer[0], sequencer.turn_layer);
  EXPECT_EQ(sequencer.history_angle[0], sequencer.turn_target);
}

// --- Moves -------------------------------------------------------------------

TEST_F(Sequencer, each_scramble_move_turns_and_commits_within_its_frame) {
  Show show{0.01234, 60.0};
  for (int m = 1; m <= 25; ++m) {
    ASSERT_TRUE(show.step_to_next_move());
    EXPECT_EQ(sequencer.seq_state, SeqState::Pausing);
    EXPECT_EQ(sequencer.turn_angle, sequencer.turn_target);
    EXPECT_EQ(sequencer.turn_step, sequencer.turn_target);  // hit exactly, never corrected
    EXPECT_EQ(sequencer.next_move_time, sequencer.elapsed + 0.1f);
    expect_every_cubie_on_its_slot(1e-3f);
  }
  EXPECT_FALSE(cubie_at_is_identity());
}

TEST_F(Sequencer, solve_moves_turn_at_150_degrees_per_second_and_stop_exactly_at_the_quarter) {
  Show show{0.0, 64.0};  // 2.34375 degrees per frame, exact in float
  for (int m = 0; m < 26; ++m) ASSERT_TRUE(show.step_to_next_move());
  ASSERT_EQ(sequencer.scrambling, 0);
  const float sign = sequencer.turn_target > 0.0f ? 1.0f : -1.0f;
  // The choosing frame already turns one step.
  for (int n = 1; n <= 38; ++n) {
    ASSERT_EQ(sequencer.seq_state, SeqState::Turning);
    ASSERT_EQ(sequencer.turn_angle, sign * 2.34375f * static_cast<float>(n));
    show.step();
  }
  // The 39th step would reach 91.40625: it is turned back by the overshoot.
  EXPECT_EQ(sequencer.seq_state, SeqState::Pausing);
  EXPECT_EQ(sequencer.turn_angle, sequencer.turn_target);
  EXPECT_EQ(sequencer.turn_step, sign * -1.5f);
  EXPECT_EQ(sequencer.next_move_time, sequencer.elapsed + 0.5f);
  expect_every_cubie_on_its_slot(1e-3f);
}

TEST_F(Sequencer, a_long_solve_step_overshoots_and_is_corrected_in_the_same_frame) {
  Show show{0.0, 60.0};
  for (int m = 0; m < 26; ++m) ASSERT_TRUE(show.step_to_next_move());
  show.step();
  ASSERT_EQ(sequencer.seq_state, SeqState::Turning);
  const float before = sequencer.turn_angle;
  update_frame(show.last() + 1.0);  // 150 degrees in one frame
  EXPECT_EQ(sequencer.seq_state, SeqState::Pausing);
  EXPECT_EQ(sequencer.turn_angle, sequencer.turn_target);
  // The correcting step turns back exactly what went past the quarter.
  const float turned = before + sequencer.turn_target / 90.0f * 150.0f;
  EXPECT_FLOAT_EQ(sequencer.turn_step * 60.0f, sequencer.turn_target - turned);
  expect_every_cubie_on_its_slot(1e-3f);
}

TEST_F(Sequencer, a_frame_without_time_makes_no_progress) {
  Show show{0.0, 60.0};
  for (int m = 0; m < 26; ++m) ASSERT_TRUE(show.step_to_next_move());
  show.step();
  ASSERT_EQ(sequencer.seq_state, SeqState::Turning);
  const double t = show.last();
  const float angle = sequencer.turn_angle;
  mat4 transforms[7][7][7];
  std::memcpy(transforms, lattice.cubie_transform, sizeof transforms);
  const vec3 position = drift.cube_position;
  for (int i = 0; i < 5; ++i) update_frame(t);
  EXPECT_EQ(sequencer.seq_state, SeqState::Turning);
  EXPECT_EQ(sequencer.turn_angle, angle);
  EXPECT_EQ(std::memcmp(transforms, lattice.cubie_transform, sizeof transforms), 0);
  EXPECT_EQ(drift.cube_position, position);
  EXPECT_EQ(sequencer.frame_dt, 0.0f);
}

// --- The cycle ---------------------------------------------------------------

TEST_F(Sequencer, cycles_flip_the_mode_in_a_frame_of_their_own_and_end_solved) {
  Show show{0.01234, 60.0};
  int flips_to_solve = 0, flips_to_scramble = 0;
  std::int32_t prev_scrambling = sequencer.scrambling;
  while (flips_to_scramble < 3) {
    const std::int32_t count_before = sequencer.move_count;
    show.step();
    ASSERT_GE(sequencer.move_count, 0);
    ASSERT_LE(sequencer.move_count, 25);
    if (sequencer.scrambling != prev_scrambling) {
      // The flipping frame chooses no move; the next frame does.
      EXPECT_EQ(sequencer.move_count, count_before);
      EXPECT_EQ(sequencer.seq_state, SeqState::ChooseMove);
      if (sequencer.scrambling == 0) {
        ++flips_to_solve;
        EXPECT_EQ(sequencer.move_count, 25);
        const std::int32_t axis = sequencer.history_axis[24], layer = sequencer.history_layer[24];
        const float angle = sequencer.history_angle[24];
        show.step();
        EXPECT_EQ(sequencer.move_count, 24);
        EXPECT_EQ(sequencer.turn_axis, axis);
        EXPECT_EQ(sequencer.turn_layer, layer);
        EXPECT_EQ(sequencer.turn_target, -angle);
      } else {
        ++flips_to_scramble;
        EXPECT_EQ(sequencer.move_count, 0);
        EXPECT_TRUE(cubie_at_is_identity());
        show.step();
        EXPECT_EQ(sequencer.move_count, 1);
      }
    }
    prev_scrambling = sequencer.scrambling;
  }
  EXPECT_EQ(flips_to_solve, 3);
}

TEST_F(Sequencer, the_same_first_clock_gives_the_same_show) {
  const auto run = [] {
    reset_simulation();
    Show show{3.25, 60.0};
    for (int i = 0; i < 60 * 90; ++i) show.step();
    return std::pair{drift.cube_position, random_state};
  };
  const auto a = run();
  const ivec3 slot_a = lattice.cubie_at[0][0][0];
  const auto b = run();
  EXPECT_EQ(a.first, b.first);
  EXPECT_EQ(a.second, b.second);
  EXPECT_EQ(lattice.cubie_at[0][0][0], slot_a);
}

// --- Mend: the cubies are put back exactly at the end of each cycle ---------

TEST_F(Sequencer, a_solved_cube_gets_its_exact_home_transforms_back) {
  Show show{0.01234, 60.0};
  for (int cycle = 0; cycle < 2; ++cycle) {
    for (int m = 0; m < 50; ++m) ASSERT_TRUE(show.step_to_next_move());
    ASSERT_EQ(sequencer.move_count, 0);
    while (sequencer.seq_state != SeqState::Pausing) show.step();
    // The last undo is committed: rounding is left, but far below a pixel.
    EXPECT_TRUE(cubie_at_is_identity());
    EXPECT_FALSE(every_cubie_exactly_home());
    EXPECT_LT(largest_drift_from_home(), 1e-4f);
    while (sequencer.scrambling == 0) show.step();
    EXPECT_TRUE(every_cubie_exactly_home());
  }
}

// --- Mend: the clock keeps its precision however long the saver runs ---------

namespace {

// Runs at 60 fps for the given time and checks the pace against the clock.
void expect_true_pace(Show& show, double seconds) {
  const double frame = 1.0 / show.fps;
  double last_move = -1.0;
  std::int32_t last_mode = -1;
  const long frames = static_cast<long>(seconds * show.fps);
  for (long i = 0; i < frames; ++i) {
    show.step();
    ASSERT_NEAR(sequencer.frame_dt, frame, 1e-8) << "at elapsed " << sequencer.elapsed;
    if (!show.moved) continue;
    if (sequencer.scrambling == last_mode) {
      const double gap = sequencer.elapsed - last_move;
      if (sequencer.scrambling == 1) {
        ASSERT_GT(gap, 0.1);  // the pause after a jump
        ASSERT_LE(gap, 0.1 + frame + 1e-6);
      } else {
        ASSERT_GT(gap, 0.6 + 0.5 - frame);  // a quarter at 150 degrees per second, then the pause
        ASSERT_LE(gap, 0.6 + 0.5 + 2 * frame);
      }
    }
    last_move = sequencer.elapsed;
    last_mode = sequencer.scrambling;
  }
}

}  // namespace

TEST_F(Sequencer, the_first_frame_has_no_time_step_and_no_elapsed_time) {
  update_frame(0.01234);
  EXPECT_EQ(sequencer.frame_dt, 0.0f);
  EXPECT_EQ(sequencer.elapsed, 0.0);
  update_frame(0.01234 + 1.0 / 60.0);
  EXPECT_NEAR(sequencer.frame_dt, 1.0 / 60.0, 1e-9);
}

TEST_F(Sequencer, a_clock_already_at_thirty_days_keeps_the_delay_and_the_pauses) {
  Show show{30.0 * day + 0.01234, 60.0};
  ASSERT_TRUE(show.step_to_next_move());
  EXPECT_GT(sequencer.elapsed, 2.0);
  EXPECT_LE(sequencer.elapsed, 2.0 + 2.0 / 60.0);
  expect_true_pace(show, 180.0);
}

TEST_F(Sequencer, thirty_days_of_running_keep_the_time_step_and_the_pauses_true) {
  // Thirty days in coarse steps (each move takes one frame), then a steady 60 fps.
  const double coarse = 20.0;
  long cycles = 0;
  std::int32_t prev_scrambling = sequencer.scrambling;
  for (double t = 0.0; t < 30.0 * day; t += coarse) {
    update_frame(t);
    if (t > 0.0) {
      ASSERT_EQ(sequencer.frame_dt, static_cast<float>(coarse));
    }
    if (sequencer.scrambling == 1 && prev_scrambling == 0) {
      ++cycles;
      ASSERT_TRUE(cubie_at_is_identity());
      ASSERT_TRUE(every_cubie_exactly_home());
    }
    prev_scrambling = sequencer.scrambling;
  }
  EXPECT_GT(cycles, 2000);
  Show show{30.0 * day, 60.0};
  show.step();  // the last coarse step
  expect_true_pace(show, 180.0);
  EXPECT_GT(drift.cube_position[2], -205.0f);
  EXPECT_LT(drift.cube_position[2], -95.0f);
}
