// The software-GL path's pure parts: the choice from the renderer's name, the
// nearest-first draw order, the cubies that cannot be seen and the cube's box
// and outline on screen. No GL is needed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "common/app_info.h"
#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "puzzle/simulation_reset.h"
#include "assets/cubie_parts.h"
#include "common/scene.h"
#include "render/cubie_visibility.h"
#include "render/draw_order.h"
#include "render/render_path.h"
#include "render/screen_box.h"

TEST(render_path_for, mesas_software_rasterisers_take_the_software_path) {
  EXPECT_EQ(render_path_for("llvmpipe (LLVM 15.0.6, 256 bits)"), RenderPath::Software);
  EXPECT_EQ(render_path_for("softpipe"), RenderPath::Software);
  EXPECT_EQ(render_path_for("swrast"), RenderPath::Software);
  EXPECT_EQ(render_path_for("Mesa X11 swrast"), RenderPath::Software);
  EXPECT_EQ(render_path_for("Software Rasterizer"), RenderPath::Software);
}

TEST(render_path_for, hardware_and_unknown_renderers_take_the_full_path) {
  EXPECT_EQ(render_path_for("AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0)"), RenderPath::Full);
  EXPECT_EQ(render_path_for("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"), RenderPath::Full);
  EXPECT_EQ(render_path_for("NVIDIA GeForce RTX 3060/PCIe/SSE2"), RenderPath::Full);
  EXPECT_EQ(render_path_for(""), RenderPath::Full);
  EXPECT_EQ(render_path_for(nullptr), RenderPath::Full);
}

namespace {

class SoftwarePath : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_simulation();
    app_info.width = 1280;
    app_info.height = 720;
    init_lattice();
    init_drift();
    compute_model_views(scene.cube_translation, scene.cube_rotation);
  }

  static float depth(int slot) {
    return scene.cubie_mv[scene.surface_slots.x[slot]][scene.surface_slots.y[slot]][scene.surface_slots.z[slot]][3][2];
  }

  // Window pixel of an eye-space point.
  static void to_window(const vec4& p, float& x, float& y) {
    float clip[4] = {};
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r) clip[r] += scene.projection[c][r] * p[c];
    x = (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(app_info.width);
    y = (clip[1] / clip[3] + 1.0f) * 0.5f * static_cast<float>(app_info.height);
  }

  static void place_cube(float x, float y, float z, float angle) {
    compute_model_views(translate(x, y, z), rotate(angle, 1.0f, 1.0f, 0.0f));
  }
};

}  // namespace

TEST_F(SoftwarePath, list_order_is_the_surface_list) {
  const DrawOrder& order = list_order();
  for (int i = 0; i < surface_slot_count; ++i) EXPECT_EQ(order.slot[i], i);
}

TEST_F(SoftwarePath, nearest_first_draws_every_slot_once_from_the_nearest_to_the_farthest) {
  for (float angle : {0.0f, 37.0f, 123.0f, 250.0f}) {
    place_cube(3.0f, -2.0f, -150.0f, angle);
    const DrawOrder& order = nearest_first(surface_slot_count);
    bool seen[surface_slot_count] = {};
    for (int i = 0; i < surface_slot_count; ++i) {
      ASSERT_GE(order.slot[i], 0);
      ASSERT_LT(order.slot[i], surface_slot_count);
      EXPECT_FALSE(seen[order.slot[i]]) << "slot " << order.slot[i] << " twice";
      seen[order.slot[i]] = true;
      if (i == 0) continue;
      EXPECT_GE(depth(order.slot[i - 1]), depth(order.slot[i])) << "at " << i << ", angle " << angle;
      if (depth(order.slot[i - 1]) == depth(order.slot[i])) {
        EXPECT_LT(order.slot[i - 1], order.slot[i]) << "ties keep list order";
      }
    }
  }
}

TEST_F(SoftwarePath, nearest_first_over_fewer_slots_orders_only_those) {
  place_cube(0.0f, 0.0f, -120.0f, 70.0f);
  const DrawOrder& order = nearest_first(10);
  bool seen[10] = {};
  for (int i = 0; i < 10; ++i) {
    ASSERT_LT(order.slot[i], 10);
    seen[order.slot[i]] = true;
    if (i > 0) {
      EXPECT_GE(depth(order.slot[i - 1]), depth(order.slot[i]));
    }
  }
  EXPECT_TRUE(std::all_of(std::begin(seen), std::end(seen), [](bool b) { return b; }));
}

TEST_F(SoftwarePath, the_cube_box_holds_every_cubie_corner_and_its_margin) {
  for (float angle : {0.0f, 45.0f, 200.0f}) {
    for (float z : {-100.0f, -200.0f}) {
      place_cube(20.0f, 10.0f, z, angle);
      const ScreenBox box = cube_screen_box(app_info.width, app_info.height, 6);
      ASSERT_GT(box.width, 0);
      ASSERT_GT(box.height, 0);
      EXPECT_LT(box.width * box.height, app_info.width * app_info.height) << "smaller than the window";
      for (int i = 0; i < surface_slot_count; ++i) {
        const vec4& c = scene.cubie_mv[scene.surface_slots.x[i]][scene.surface_slots.y[i]][scene.surface_slots.z[i]][3];
        // The corners of a box just larger than the cubie, which is just under
        // 5 units across, axis-aligned in eye space.
        for (int k = 0; k < 8; ++k) {
          const float d = 2.5f;
          const vec4 p(c[0] + ((k & 1) ? d : -d), c[1] + ((k & 2) ? d : -d), c[2] + ((k & 4) ? d : -d), 1.0f);
          float x = 0, y = 0;
          to_window(p, x, y);
          if (x < 0 || y < 0 || x >= app_info.width || y >= app_info.height) continue;
          // The margin reaches as far as the window does.
          const float w = static_cast<float>(app_info.width), h = static_cast<float>(app_info.height);
          EXPECT_LE(box.x, std::max(0.0f, x - 6));
          EXPECT_GE(box.x + box.width, std::min(w, x + 6));
          EXPECT_LE(box.y, std::max(0.0f, y - 6));
          EXPECT_GE(box.y + box.height, std::min(h, y + 6));
        }
      }
    }
  }
}

TEST_F(SoftwarePath, the_cube_box_is_clipped_to_the_window_and_whole_near_the_eye) {
  place_cube(400.0f, 0.0f, -150.0f, 0.0f);  // far off to the right
  ScreenBox box = cube_screen_box(app_info.width, app_info.height, 6);
  EXPECT_GE(box.x, 0);
  EXPECT_LE(box.x + box.width, app_info.width);
  EXPECT_EQ(box.width, 0) << "nothing of the cube is on screen";

  place_cube(0.0f, 0.0f, -5.0f, 0.0f);  // cubies at and behind the eye
  box = cube_screen_box(app_info.width, app_info.height, 6);
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.y, 0);
  EXPECT_EQ(box.width, app_info.width);
  EXPECT_EQ(box.height, app_info.height);
}

TEST(scene_target, holds_the_part_inside_the_window_from_an_even_pixel_and_only_grows) {
  for (const int width : {640, 641, 99}) {
    for (const int height : {480, 37}) {
      TargetSize size = {0, 0};
      unsigned seed = 7;
      auto next = [&seed](int below) { return static_cast<int>((seed = seed * 1103515245u + 12345u) >> 8) % below; };
      for (int k = 0; k < 400; ++k) {
        // Parts anywhere, some as large as the target already is, the last ones
        // against the window's far edges.
        const bool snug = k % 5 == 0 && size.width > 0;
        ScreenBox part;
        part.width = snug ? size.width : 1 + next(width);
        part.height = snug ? size.height : 1 + next(height);
        part.x = k < 300 ? next(width - part.width + 1) : width - part.width;
        part.y = k < 300 ? next(height - part.height + 1) : height - part.height;
        const TargetSize grown = grown_target_size(size, part, width, height);
        EXPECT_GE(grown.width, size.width);
        EXPECT_GE(grown.height, size.height);
        const ScreenBox t = place_target(grown, part, width, height);
        EXPECT_TRUE(t.x >= 0 && t.y >= 0 && t.x + t.width <= width && t.y + t.height <= height) << k;
        EXPECT_TRUE(t.x <= part.x && t.x + t.width >= part.x + part.width) << k;
        EXPECT_TRUE(t.y <= part.y && t.y + t.height >= part.y + part.height) << k;
        EXPECT_TRUE(t.x % 2 == 0 && t.y % 2 == 0) << k;
        size = grown;
      }
      // A smaller window makes it again, no larger than the window.
      const TargetSize smaller = grown_target_size(size, ScreenBox{0, 0, 10, 10}, width / 2, height / 2);
      EXPECT_LE(smaller.width, width / 2);
      EXPECT_LE(smaller.height, height / 2);
    }
  }
}

TEST(cubie_visibility, the_core_shows_through_when_the_eye_looks_along_a_face_axis_or_a_seam_plane) {
  EXPECT_FALSE(core_hidden(vec3(0.0f, 0.0f, 150.0f))) << "straight down the channels";
  EXPECT_FALSE(core_hidden(vec3(30.0f, 20.0f, 150.0f))) << "within 22 degrees of z at some ray";
  EXPECT_TRUE(core_hidden(vec3(100.0f, 80.0f, 90.0f))) << "towards a corner, off every seam plane";
  EXPECT_FALSE(core_hidden(vec3(100.0f, 7.5f, 110.0f))) << "in the seam plane y = 7.5";
  EXPECT_FALSE(core_hidden(vec3(10.0f, 10.0f, 20.0f))) << "inside the cube's sphere";
  // 30 degrees off z at the cube's centre, but no ray down a channel of the +z
  // face is within 22 degrees of its axis; 21 degrees off at 18.5 degrees.
  EXPECT_TRUE(core_hidden(vec3(0.0f, 75.0f, 130.0f)));
  EXPECT_FALSE(core_hidden(vec3(0.0f, 50.0f, 130.0f)));
}

TEST(cubie_visibility, down_a_channel_or_along_a_slot_only_the_cubies_near_those_rays_are_in_sight_of_the_core) {
  // Straight down the channel at (2.5, 2.5) of the +z face.
  vec3 eye(2.5f, 2.5f, 150.0f);
  const CoreSights& down = core_sights(eye);
  EXPECT_FALSE(down.everywhere);
  EXPECT_GT(down.count, 0);
  EXPECT_TRUE(in_sight_of_core(down, eye, vec3(5.0f, 5.0f, 15.0f))) << "beside the channel";
  EXPECT_TRUE(in_sight_of_core(down, eye, vec3(0.0f, 5.0f, -15.0f))) << "on the far face, behind it";
  EXPECT_FALSE(cubie_unseen(eye, vec3(0.0f, 5.0f, -15.0f)));
  // In the seam plane y = 7.5, well away from every face axis: the two layers
  // beside it.
  eye = vec3(100.0f, 7.5f, 110.0f);
  const CoreSights& along = core_sights(eye);
  EXPECT_EQ(along.count, 0);
  EXPECT_FALSE(core_hidden(eye));
  EXPECT_TRUE(in_sight_of_core(along, eye, vec3(-15.0f, 5.0f, -15.0f)));
  EXPECT_TRUE(in_sight_of_core(along, eye, vec3(-15.0f, 10.0f, -15.0f)));
  EXPECT_FALSE(in_sight_of_core(along, eye, vec3(-15.0f, 0.0f, -15.0f)));
  EXPECT_TRUE(cubie_unseen(eye, vec3(-15.0f, 0.0f, -15.0f)));
  EXPECT_TRUE(in_sight_of_core(core_sights(vec3(10.0f, 10.0f, 20.0f)), eye, vec3(-15.0f, 0.0f, -15.0f)))
      << "inside the cube's sphere";
}

TEST(cubie_visibility, the_sides_a_cubie_shows_are_named_in_its_own_axes) {
  scene.cube_rotation = identity();
  const vec3 eye(100.0f, 80.0f, 90.0f), corner(15.0f, 15.0f, 15.0f);
  EXPECT_EQ(facing_side_set(eye, corner, identity()), side_set(2, 2, 2));
  // Turned a quarter about z: its -y side is now the cube's +x side, its +x the cube's +y.
  EXPECT_EQ(facing_side_set(eye, corner, rotate(90.0f, 0.0f, 0.0f, 1.0f)), side_set(2, 1, 2));
  // Behind the +x face's plane by more than the rim: that side no longer counts.
  EXPECT_EQ(facing_side_set(vec3(16.5f, 100.0f, 110.0f), corner, identity()), side_set(0, 2, 2));
  EXPECT_EQ(facing_side_set(eye, vec3(-15.0f, 0.0f, 5.0f), identity()), 0) << "on the -x face only";
}

TEST(cubie_visibility, a_cubie_is_unseen_only_when_every_outward_side_faces_away_by_its_rim) {
  const vec3 eye(100.0f, 80.0f, 90.0f);  // sees the +x, +y and +z faces
  EXPECT_FALSE(cubie_unseen(eye, vec3(15.0f, 0.0f, 0.0f)));     // on the +x face
  EXPECT_FALSE(cubie_unseen(eye, vec3(-15.0f, 15.0f, -5.0f)));  // its +y side faces the eye
  EXPECT_TRUE(cubie_unseen(eye, vec3(-15.0f, 0.0f, 5.0f)));     // on the -x face only
  EXPECT_TRUE(cubie_unseen(eye, vec3(-15.0f, -15.0f, -15.0f)));  // the far corner
  EXPECT_FALSE(cubie_unseen(eye, vec3(-15.0f, -12.0f, 5.0f))) << "off the lattice: in a turning layer";
  // An eye just behind the +x face's plane still sees the rounded rim of its sides.
  EXPECT_FALSE(cubie_unseen(vec3(17.0f, 100.0f, 110.0f), vec3(15.0f, -15.0f, -15.0f)));
  EXPECT_TRUE(cubie_unseen(vec3(16.5f, 100.0f, 110.0f), vec3(15.0f, -15.0f, -15.0f)));
}

TEST_F(SoftwarePath, the_cube_outline_holds_every_cubie_corner_with_its_margin) {
  for (float angle : {0.0f, 30.0f, 45.0f, 200.0f}) {
    place_cube(20.0f, 10.0f, -150.0f, angle);
    const ScreenOutline outline = cube_screen_outline(app_info.width, app_info.height, 7.0f);
    ASSERT_FALSE(outline.whole);
    ASSERT_EQ(outline.count, outline_corner_count);
    for (int i = 0; i < surface_slot_count; ++i) {
      const mat4& mv = scene.cubie_mv[scene.surface_slots.x[i]][scene.surface_slots.y[i]][scene.surface_slots.z[i]];
      for (int k = 0; k < 8; ++k) {
        const float d = 4.9956f;  // the cubie model's own corners
        const float m[3] = {(k & 1) ? d : -d, (k & 2) ? d : -d, (k & 4) ? d : -d};
        vec4 p(0.0f, 0.0f, 0.0f, 0.0f);
        for (int r = 0; r < 4; ++r) p[r] = mv[0][r] * m[0] + mv[1][r] * m[1] + mv[2][r] * m[2] + mv[3][r];
        float x = 0, y = 0;
        to_window(p, x, y);
        // Inside every edge, by the margin: counter-clockwise corners.
        for (int e = 0; e < outline.count; ++e) {
          const int f = (e + 1) % outline.count;
          const float ex = outline.x[f] - outline.x[e], ey = outline.y[f] - outline.y[e];
          const float cross = ex * (y - outline.y[e]) - ey * (x - outline.x[e]);
          EXPECT_GE(cross / std::sqrt(ex * ex + ey * ey), 7.0f - 0.01f) << "corner " << k << " of slot " << i;
        }
      }
    }
  }
  place_cube(0.0f, 0.0f, -5.0f, 0.0f);
  EXPECT_TRUE(cube_screen_outline(app_info.width, app_info.height, 7.0f).whole) << "near the eye";
}
