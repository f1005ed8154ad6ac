#include "puzzle/layer_turn.h"

#include <cmath>

#include "puzzle/sequencer.h"
#include "simulation_fixture.h"

namespace {

class LayerTurn : public Simulation {
 protected:
  void SetUp() override {
    Simulation::SetUp();
    init_lattice();
  }

  // One scramble-style quarter turn: a single step of the whole angle, then the commit.
  static void quarter_turn(int axis, int layer, float target) {
    sequencer.scrambling = 1;
    sequencer.turn_axis = axis;
    sequencer.turn_layer = layer;
    sequencer.turn_step = target;
    apply_turn_step();
    sequencer.turn_angle = target;
    commit_turn();
  }

  static int changed_transforms(const mat4 (&before)[7][7][7]) {
    int n = 0;
    for (int x = 0; x < 7; ++x)
      for (int y = 0; y < 7; ++y)
        for (int z = 0; z < 7; ++z) n += same_bits(before[x][y][z], lattice.cubie_transform[x][y][z]) ? 0 : 1;
    return n;
  }
};

mat4 axis_rotation(int axis, float degrees) {
  if (axis == 0) return rotate(degrees, 0.0f, 0.0f, 1.0f);
  if (axis == 1) return rotate(degrees, 0.0f, 1.0f, 0.0f);
  return rotate(degrees, 1.0f, 0.0f, 0.0f);
}

}  // namespace

TEST_F(LayerTurn, an_outer_layer_turns_all_49_cubies_of_its_face) {
  for (int axis = 0; axis < 3; ++axis)
    for (int layer : {0, 6}) {
      init_lattice();
      mat4 before[7][7][7];
      std::memcpy(before, lattice.cubie_transform, sizeof before);
      sequencer.scrambling = 1;
      sequencer.turn_axis = axis;
      sequencer.turn_layer = layer;
      sequencer.turn_step = 90.0f;
      apply_turn_step();
      EXPECT_EQ(changed_transforms(before), 49) << "axis " << axis << " layer " << layer;
    }
}

TEST_F(LayerTurn, an_inner_layer_turns_the_24_cubies_of_its_ring) {
  for (int axis = 0; axis < 3; ++axis)
    for (int layer = 1; layer <= 5; ++layer) {
      init_lattice();
      mat4 before[7][7][7];
      std::memcpy(before, lattice.cubie_transform, sizeof before);
      sequencer.scrambling = 1;
      sequencer.turn_axis = axis;
      sequencer.turn_layer = layer;
      sequencer.turn_step = -90.0f;
      apply_turn_step();
      EXPECT_EQ(changed_transforms(before), 24) << "axis " << axis << " layer " << layer;
    }
}

TEST_F(LayerTurn, a_scramble_step_turns_by_exactly_the_rotation_of_the_whole_quarter) {
  mat4 before[7][7][7];
  std::memcpy(before, lattice.cubie_transform, sizeof before);
  sequencer.scrambling = 1;
  sequencer.turn_axis = 1;
  sequencer.turn_layer = 6;
  sequencer.turn_step = 90.0f;
  apply_turn_step();
  const mat4 r = rotate(90.0f, 0.0f, 1.0f, 0.0f);
  for (int x = 0; x < 7; ++x)
    for (int z = 0; z < 7; ++z) EXPECT_TRUE(same_bits(lattice.cubie_transform[x][6][z], r * before[x][6][z]));
}

TEST_F(LayerTurn, a_solve_step_scales_the_step_by_sixty_times_the_frame_time) {
  mat4 before = lattice.cubie_transform[2][0][6];
  sequencer.scrambling = 0;
  sequencer.frame_dt = 0.1f;
  sequencer.turn_axis = 2;
  sequencer.turn_layer = 2;
  sequencer.turn_step = -2.5f;
  EXPECT_EQ(turn_increment(), -2.5f * (60.0f * 0.1f));
  apply_turn_step();
  EXPECT_TRUE(same_bits(lattice.cubie_transform[2][0][6], rotate(-2.5f * (60.0f * 0.1f), 1.0f, 0.0f, 0.0f) * before));
}

TEST_F(LayerTurn, the_face_centre_keeps_its_slot_and_only_turns) {
  const mat4 home = lattice.cubie_transform[3][3][0];
  quarter_turn(0, 0, 90.0f);
  EXPECT_EQ(lattice.cubie_at[3][3][0], ivec3(3, 3, 0));
  EXPECT_FALSE(same_bits(lattice.cubie_transform[3][3][0], home));
}

TEST_F(LayerTurn, interior_places_are_never_turned_or_re_indexed) {
  const mat4 centre = lattice.cubie_transform[3][3][3];
  const mat4 inner = lattice.cubie_transform[2][3][4];
  for (int axis = 0; axis < 3; ++axis)
    for (int layer = 0; layer < 7; ++layer) quarter_turn(axis, layer, layer % 2 ? 90.0f : -90.0f);
  EXPECT_EQ(lattice.cubie_at[3][3][3], ivec3(3, 3, 3));
  EXPECT_EQ(lattice.cubie_at[2][3][4], ivec3(2, 3, 4));
  EXPECT_TRUE(same_bits(lattice.cubie_transform[3][3][3], centre));
  EXPECT_TRUE(same_bits(lattice.cubie_transform[2][3][4], inner));
}

TEST_F(LayerTurn, four_quarter_turns_restore_the_arrangement) {
  for (int axis = 0; axis < 3; ++axis)
    for (int layer = 0; layer < 7; ++layer)
      for (float target : {90.0f, -90.0f}) {
        for (int i = 0; i < 4; ++i) quarter_turn(axis, layer, target);
        EXPECT_TRUE(cubie_at_is_identity()) << "axis " << axis << " layer " << layer << " target " << target;
      }
}

TEST_F(LayerTurn, a_turn_and_its_opposite_restore_the_arrangement) {
  for (int axis = 0; axis < 3; ++axis)
    for (int layer = 0; layer < 7; ++layer) {
      quarter_turn(axis, layer, 90.0f);
      EXPECT_FALSE(cubie_at_is_identity());
      quarter_turn(axis, layer, -90.0f);
      EXPECT_TRUE(cubie_at_is_identity()) << "axis " << axis << " layer " << layer;
    }
}

TEST_F(LayerTurn, re_indexing_follows_where_the_rotation_carries_each_cubie) {
  // After the commit, the transform of the cubie named for each slot must
  // place that cubie's centre on the slot's centre.
  for (int axis = 0; axis < 3; ++axis)
    for (int layer = 0; layer < 7; ++layer)
      for (float target : {90.0f, -90.0f}) {
        init_lattice();
        quarter_turn(axis, layer, target);
        for (int i = 0; i < surface_slot_count; ++i) {
          const ivec3 s = surface_slot(i);
          const ivec3 c = lattice.cubie_at[s[0]][s[1]][s[2]];
          const vec4 centre = lattice.cubie_transform[c[0]][c[1]][c[2]][3];
          for (int k = 0; k < 3; ++k)
            ASSERT_NEAR(centre[k], 5.0f * static_cast<float>(s[k]) - 15.0f, 1e-4f)
                << "axis " << axis << " layer " << layer << " target " << target << " slot " << s[0] << s[1] << s[2];
        }
      }
}

TEST_F(LayerTurn, a_plus_quarter_about_z_carries_the_plus_x_side_to_plus_y) {
  quarter_turn(0, 3, 90.0f);
  // The cubie from (6, 3, 3) is now at (3, 6, 3).
  EXPECT_EQ(lattice.cubie_at[3][6][3], ivec3(6, 3, 3));
  const mat4 expected = axis_rotation(0, 90.0f) * home_transform(6, 3, 3);
  EXPECT_TRUE(same_bits(lattice.cubie_transform[6][3][3], expected));
}

TEST_F(LayerTurn, any_sequence_of_turns_keeps_one_cubie_in_each_surface_slot) {
  const int moves[][3] = {{0, 0, 90}, {1, 3, -90}, {2, 6, 90}, {0, 5, -90}, {1, 0, 90}, {2, 1, -90}, {0, 6, 90}};
  for (const auto& m : moves) {
    quarter_turn(m[0], m[1], static_cast<float>(m[2]));
    bool seen[7][7][7] = {};
    for (int i = 0; i < surface_slot_count; ++i) {
      const ivec3 s = surface_slot(i);
      const ivec3 c = lattice.cubie_at[s[0]][s[1]][s[2]];
      ASSERT_NE(surface_rank(c[0], c[1], c[2]), 0);
      ASSERT_FALSE(seen[c[0]][c[1]][c[2]]);
      seen[c[0]][c[1]][c[2]] = true;
    }
  }
}

TEST_F(LayerTurn, with_no_move_chosen_nothing_changes) {
  mat4 before[7][7][7];
  std::memcpy(before, lattice.cubie_transform, sizeof before);
  sequencer.turn_axis = -1;
  sequencer.turn_layer = -1;
  sequencer.turn_step = 90.0f;
  apply_turn_step();
  commit_turn();
  EXPECT_EQ(changed_transforms(before), 0);
  EXPECT_TRUE(cubie_at_is_identity());
}
