#include "puzzle/lattice.h"

#include "simulation_fixture.h"

namespace {

using Lattice = Simulation;

int index_of_slot(int x, int y, int z) {
  for (int i = 0; i < surface_slot_count; ++i)
    if (surface_slot(i) == ivec3(x, y, z)) return i;
  return -1;
}

vec4 apply(const mat4& m, const vec4& v) { return (m * mat4(v))[0]; }

}  // namespace

TEST_F(Lattice, surface_list_holds_218_slots_in_x_major_order) {
  init_lattice();
  EXPECT_EQ(surface_slot(0), ivec3(0, 0, 0));
  EXPECT_EQ(surface_slot(48), ivec3(0, 6, 6));
  EXPECT_EQ(surface_slot(49), ivec3(1, 0, 0));
  EXPECT_EQ(surface_slot(217), ivec3(6, 6, 6));
  EXPECT_EQ(index_of_slot(3, 3, 0), 108);
  EXPECT_EQ(index_of_slot(0, 3, 3), 24);
  EXPECT_EQ(index_of_slot(3, 3, 3), -1);
  for (int i = 1; i < surface_slot_count; ++i) {
    const ivec3 a = surface_slot(i - 1), b = surface_slot(i);
    EXPECT_LT(49 * a[0] + 7 * a[1] + a[2], 49 * b[0] + 7 * b[1] + b[2]) << "entry " << i;
  }
}

TEST(SurfaceRank, counts_the_coordinates_on_a_face) {
  EXPECT_EQ(surface_rank(0, 0, 0), 3);
  EXPECT_EQ(surface_rank(0, 3, 6), 2);
  EXPECT_EQ(surface_rank(3, 0, 3), 1);
  EXPECT_EQ(surface_rank(1, 5, 3), 0);
}

TEST(SurfaceRank, finds_8_corners_60_edges_150_faces_and_125_interior_places) {
  int count[4] = {};
  for (int x = 0; x < 7; ++x)
    for (int y = 0; y < 7; ++y)
      for (int z = 0; z < 7; ++z) ++count[surface_rank(x, y, z)];
  EXPECT_EQ(count[0], 125);
  EXPECT_EQ(count[1], 150);
  EXPECT_EQ(count[2], 60);
  EXPECT_EQ(count[3], 8);
}

TEST(HomeTransform, of_the_centre_is_a_uniform_half_scale) {
  EXPECT_TRUE(same_bits(home_transform(3, 3, 3), scale(0.5f, 0.5f, 0.5f)));
}

TEST(HomeTransform, places_the_model_origin_on_the_slot_centre) {
  const vec4 origin(0.0f, 0.0f, 0.0f, 1.0f);
  EXPECT_EQ(apply(home_transform(0, 0, 0), origin), vec4(-15.0f, -15.0f, -15.0f, 1.0f));
  EXPECT_EQ(apply(home_transform(6, 6, 6), origin), vec4(15.0f, 15.0f, 15.0f, 1.0f));
  EXPECT_EQ(apply(home_transform(1, 2, 4), origin), vec4(-10.0f, -5.0f, 5.0f, 1.0f));
}

TEST(HomeTransform, scales_before_it_moves) {
  // A model corner at (4, 4, 4) lands 2 units from the slot centre.
  EXPECT_EQ(apply(home_transform(6, 0, 3), vec4(4.0f, 4.0f, 4.0f, 1.0f)), vec4(17.0f, -13.0f, 2.0f, 1.0f));
}

TEST_F(Lattice, initialisation_puts_every_cubie_home) {
  init_lattice();
  for (int x = 0; x < 7; ++x)
    for (int y = 0; y < 7; ++y)
      for (int z = 0; z < 7; ++z) {
        EXPECT_EQ(lattice.cubie_at[x][y][z], ivec3(x, y, z));
        EXPECT_TRUE(same_bits(lattice.cubie_transform[x][y][z], home_transform(x, y, z)));
      }
}

TEST_F(Lattice, model_views_after_initialisation_are_the_home_transforms) {
  init_lattice();
  compute_model_views(identity(), identity());
  for (int i = 0; i < surface_slot_count; ++i) {
    const ivec3 s = surface_slot(i);
    EXPECT_TRUE(same_bits(scene.cubie_mv[s[0]][s[1]][s[2]], home_transform(s[0], s[1], s[2]))) << "entry " << i;
  }
}

TEST_F(Lattice, model_view_of_a_slot_uses_the_cubie_now_in_it) {
  init_lattice();
  lattice.cubie_at[0][0][0] = ivec3(6, 6, 6);
  lattice.cubie_at[6][6][6] = ivec3(0, 0, 0);
  const mat4 t = translate(1.0f, 2.0f, -150.0f);
  const mat4 r = rotate(30.0f, 1.0f, 0.0f, 0.0f);
  compute_model_views(t, r);
  EXPECT_TRUE(same_bits(scene.cubie_mv[0][0][0], (t * r) * home_transform(6, 6, 6)));
  EXPECT_TRUE(same_bits(scene.cubie_mv[6][6][6], (t * r) * home_transform(0, 0, 0)));
  EXPECT_TRUE(same_bits(scene.cubie_mv[3][3][0], (t * r) * home_transform(3, 3, 0)));
}

TEST_F(Lattice, rehoming_restores_the_exact_home_transforms) {
  init_lattice();
  lattice.cubie_transform[0][0][0] = rotate(0.001f, 0.0f, 0.0f, 1.0f) * lattice.cubie_transform[0][0][0];
  lattice.cubie_transform[3][6][3] = rotate(90.0f, 1.0f, 0.0f, 0.0f) * lattice.cubie_transform[3][6][3];
  rehome_cubies();
  EXPECT_TRUE(same_bits(lattice.cubie_transform[0][0][0], home_transform(0, 0, 0)));
  EXPECT_TRUE(same_bits(lattice.cubie_transform[3][6][3], home_transform(3, 6, 3)));
}
