#include "puzzle/drift.h"

#include <cmath>

#include "puzzle/random.h"
#include "puzzle/sequencer.h"
#include "simulation_fixture.h"

namespace {

using Drift = Simulation;

// A view in which the bounds test sees the box corners at 10 * corner, divided by w.
void look_through(float xx, float yy, float w) {
  scene.projection = identity();
  scene.projection[0][0] = xx;
  scene.projection[1][1] = yy;
  scene.projection[3][3] = w;
  scene.cube_translation = identity();
  scene.cube_rotation = identity();
  drift.cube_position = vec3(0.0f, 0.0f, -150.0f);
}

void set_all_directions(int dir) {
  drift.drift_dir = ivec3(dir, dir, dir);
  drift.spin_dir = ivec3(dir, dir, dir);
}

bool all_finite(const mat4& m) {
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r)
      if (!std::isfinite(m[c][r])) return false;
  return true;
}

}  // namespace

TEST_F(Drift, initialisation_starts_at_the_near_limit_with_the_fixed_angles_and_light) {
  seed_random(7);
  init_drift();
  EXPECT_EQ(drift.cube_position, vec3(0.0f, 0.0f, -100.0f));
  EXPECT_EQ(drift.cube_angles, vec3(30.0f, -30.0f, 0.0f));
  EXPECT_EQ(scene.light_position, vec3(0.0f, 20.0f, -20.0f));
}

TEST_F(Drift, initialisation_takes_six_draws_spin_before_drift_axis_by_axis) {
  for (std::uint32_t seed = 0; seed < 100; ++seed) {
    seed_random(seed);
    init_drift();
    int expected[6];
    for (int i = 0; i < 6; ++i) expected[i] = 2 * ((lcg_after(seed, i + 1) >> 16 & 0x7FFF) % 2) - 1;
    EXPECT_EQ(drift.spin_dir, ivec3(expected[0], expected[2], expected[4])) << "seed " << seed;
    EXPECT_EQ(drift.drift_dir, ivec3(expected[1], expected[3], expected[5])) << "seed " << seed;
    EXPECT_EQ(random_state, lcg_after(seed, 6));
  }
}

TEST_F(Drift, projection_for_800_by_600_uses_the_float_aspect) {
  init_drift();
  EXPECT_TRUE(same_bits(scene.projection, perspective(50.0f, 1.3333334f, 0.1f, 1000.0f)));
}

TEST_F(Drift, the_aspect_is_fixed_at_the_first_frame) {
  update_frame(1.0);
  const mat4 first = scene.projection;
  app_info.width = 300;
  app_info.height = 900;
  update_frame(1.5);
  update_frame(2.0);
  EXPECT_TRUE(same_bits(scene.projection, first));
}

TEST_F(Drift, a_window_without_area_at_the_first_frame_gets_a_finite_aspect) {
  for (const auto& size : {std::pair{0, 600}, std::pair{800, 0}, std::pair{0, 0}, std::pair{-5, 600}}) {
    reset_simulation();
    app_info.width = size.first;
    app_info.height = size.second;
    update_frame(0.0);
    EXPECT_TRUE(all_finite(scene.projection)) << size.first << " x " << size.second;
    EXPECT_TRUE(same_bits(scene.projection, perspective(50.0f, 800.0f / 600.0f, 0.1f, 1000.0f)));
  }
  EXPECT_EQ(projection_aspect(1920, 1080), 1920.0f / 1080.0f);
}

TEST_F(Drift, a_window_without_area_keeps_the_cube_in_view) {
  app_info.width = 0;
  app_info.height = 0;
  for (int k = 0; k <= 60 * 120; ++k) update_frame(k / 60.0);
  EXPECT_GT(drift.cube_position[2], -205.0f);
  EXPECT_LT(drift.cube_position[2], -95.0f);
  EXPECT_LT(std::fabs(drift.cube_position[0]), 150.0f);
  EXPECT_LT(std::fabs(drift.cube_position[1]), 150.0f);
}

TEST_F(Drift, a_corner_beyond_the_right_edge_turns_motion_and_tumble_about_x_only) {
  look_through(1.0f, 1.0f, 17.5f);
  scene.cube_translation = translate(1.0f, 0.0f, 0.0f);
  set_all_directions(1);
  bounds_test();
  EXPECT_EQ(drift.drift_dir, ivec3(-1, 1, 1));
  EXPECT_EQ(drift.spin_dir, ivec3(-1, 1, 1));
}

TEST_F(Drift, a_corner_beyond_the_left_or_bottom_edge_pushes_back_positive) {
  look_through(1.0f, 1.0f, 17.5f);
  scene.cube_translation = translate(-1.0f, -1.0f, 0.0f);
  set_all_directions(-1);
  bounds_test();
  EXPECT_EQ(drift.drift_dir, ivec3(1, 1, -1));
  EXPECT_EQ(drift.spin_dir, ivec3(1, 1, -1));
}

TEST_F(Drift, a_corner_above_the_top_edge_turns_the_vertical_motion_down) {
  look_through(1.0f, 1.0f, 17.5f);
  scene.cube_translation = translate(0.0f, 0.5f, 0.0f);
  set_all_directions(1);
  bounds_test();
  EXPECT_EQ(drift.drift_dir, ivec3(1, -1, 1));
  EXPECT_EQ(drift.spin_dir, ivec3(1, -1, 1));
}

TEST_F(Drift, corners_exactly_on_the_edges_change_nothing) {
  look_through(1.0f, 1.0f, 17.5f);  // every corner at screen x, y = +-1 exactly
  for (int dir : {1, -1}) {
    set_all_directions(dir);
    bounds_test();
    EXPECT_EQ(drift.drift_dir, ivec3(dir, dir, dir));
    EXPECT_EQ(drift.spin_dir, ivec3(dir, dir, dir));
  }
}

TEST_F(Drift, when_corners_are_out_on_both_sides_the_later_corner_wins) {
  // Corners 4..7 are tested last; their x is +17.5, and their last y is +17.5.
  look_through(1.0f, 1.0f, 1.0f);
  set_all_directions(1);
  bounds_test();
  EXPECT_EQ(drift.drift_dir[0], -1);
  EXPECT_EQ(drift.drift_dir[1], -1);
  // Mirrored, the same corners land on the other sides.
  look_through(-1.0f, -1.0f, 1.0f);
  set_all_directions(-1);
  bounds_test();
  EXPECT_EQ(drift.drift_dir[0], 1);
  EXPECT_EQ(drift.drift_dir[1], 1);
}

TEST_F(Drift, the_depth_band_is_tested_on_the_centre_with_strict_limits) {
  look_through(1.0f, 1.0f, 100.0f);
  const struct {
    float z;
    int start;
    int expected;
  } cases[] = {{-200.5f, -1, 1}, {-200.0f, -1, -1}, {-99.5f, 1, -1}, {-100.0f, 1, 1}, {-150.0f, 1, 1}};
  for (const auto& c : cases) {
    drift.cube_position = vec3(0.0f, 0.0f, c.z);
    set_all_directions(c.start);
    bounds_test();
    EXPECT_EQ(drift.drift_dir[2], c.expected) << "z " << c.z;
    EXPECT_EQ(drift.spin_dir[2], c.expected) << "z " << c.z;
    EXPECT_EQ(drift.drift_dir[0], c.start);
  }
}

TEST_F(Drift, a_cube_starting_toward_the_eye_turns_back_after_its_first_move) {
  seed_random(0);
  init_drift();
  drift.drift_dir[2] = 1;
  drift.spin_dir[2] = 1;
  update_drift();  // frame_dt 0: still on the limit
  bounds_test();
  EXPECT_EQ(drift.drift_dir[2], 1);
  sequencer.frame_dt = 1.0f / 60.0f;
  update_drift();
  EXPECT_GT(drift.cube_position[2], -100.0f);
  bounds_test();
  EXPECT_EQ(drift.drift_dir[2], -1);
  EXPECT_EQ(drift.spin_dir[2], -1);
}

TEST_F(Drift, moves_and_tumbles_at_the_stated_rates_per_second) {
  seed_random(0);
  init_drift();
  drift.drift_dir = ivec3(1, -1, -1);
  drift.spin_dir = ivec3(-1, 1, 1);
  sequencer.frame_dt = 0.5f;
  update_drift();
  EXPECT_NEAR(drift.cube_position[0], 10.5f, 1e-5f);
  EXPECT_NEAR(drift.cube_position[1], -7.5f, 1e-5f);
  EXPECT_NEAR(drift.cube_position[2], -106.0f, 1e-4f);
  EXPECT_NEAR(drift.cube_angles[0], 30.0f - 7.5f, 1e-5f);
  EXPECT_NEAR(drift.cube_angles[1], -30.0f + 6.0f, 1e-5f);
  EXPECT_NEAR(drift.cube_angles[2], 6.0f, 1e-5f);
  EXPECT_TRUE(same_bits(scene.cube_translation,
                        translate(drift.cube_position[0], drift.cube_position[1], drift.cube_position[2])));
}

TEST_F(Drift, a_zero_time_step_changes_nothing) {
  seed_random(3);
  init_drift();
  sequencer.frame_dt = 0.02f;
  update_drift();
  const vec3 position = drift.cube_position, angles = drift.cube_angles;
  const mat4 translation = scene.cube_translation, rotation = scene.cube_rotation;
  sequencer.frame_dt = 0.0f;
  update_drift();
  EXPECT_EQ(drift.cube_position, position);
  EXPECT_EQ(drift.cube_angles, angles);
  EXPECT_TRUE(same_bits(scene.cube_translation, translation));
  EXPECT_TRUE(same_bits(scene.cube_rotation, rotation));
}
