#include "render/frame_renderer.h"

#include <cstdint>

#include "common/app_info.h"
#include "common/gl_entry_points.h"
#include "common/scene.h"
#include "render/cubie_mesh.h"
#include "render/cubie_texture.h"
#include "render/cubie_visibility.h"
#include "render/draw_order.h"
#include "render/edge_smoothing.h"
#include "render/shader_program.h"

RenderPath render_path = RenderPath::Full;
bool edge_smoothing = false;

namespace {

// One cubie's matrix, and the mesh's indices from first on.
void draw_cubie_range(int slot, std::int32_t first, std::int32_t count) {
  const mat4& mv =
      scene.cubie_mv[scene.surface_slots.x[slot]][scene.surface_slots.y[slot]][scene.surface_slots.z[slot]];
  glUniformMatrix4fv(mv_matrix_location, 1, GL_FALSE, &mv[0][0]);
  const std::uintptr_t offset = sizeof(std::uint32_t) * static_cast<std::uintptr_t>(first);
  glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_INT, reinterpret_cast<const void*>(offset));
}

void enable_if(GLenum capability, bool on) {
  if (on)
    glEnable(capability);
  else
    glDisable(capability);
}

void set_full_state() {
  // The mesh is wound counter-clockwise from outside, so with clockwise front
  // faces the outward sides are back faces and filled; inner sides are drawn
  // as outlines, which the depth test hides. Nothing is culled.
  glCullFace(GL_BACK);
  glFrontFace(GL_CW);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glPolygonMode(GL_FRONT, GL_LINE);

  enable_if(GL_MULTISAMPLE, app_info.multisample);
  enable_if(GL_LINE_SMOOTH, app_info.line_smooth);
  enable_if(GL_POLYGON_SMOOTH, app_info.polygon_smooth);
}

void set_software_state() {
  // The same faces are filled; the inner sides, whose outlines the depth test
  // hides all but a pixel's rim of, are culled instead of sent through the
  // unfilled-polygon stage. Smoothing of lines and polygons would only cost.
  glFrontFace(GL_CW);
  glCullFace(GL_FRONT);
  glEnable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glDisable(GL_MULTISAMPLE);
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_POLYGON_SMOOTH);
  // Smooth edges are what multisampling was asked for.
  edge_smoothing = app_info.multisample && start_edge_smoothing();
}

// Every surface cubie in list order, straight into the window.
void draw_full_frame() {
  begin_frame();
  draw_cubies(list_order(), surface_slot_count);
}

// A software rasteriser skips the shading of what the depth test rejects, so
// the nearest cubies come first, and cubies that cannot be seen are not sent at
// all; the scene goes through the edge pass, which runs over the cube's outline
// only, when the pass is in use.
void draw_software_frame() {
  const int width = app_info.width, height = app_info.height;
  // The pass writes inside the cube's box and reads around it.
  ScreenBox box = {}, target = {};
  if (edge_smoothing) {
    box = cube_screen_box(width, height, edge_smoothing_reach);
    target = begin_smoothed_scene(width, height, widened(box, edge_smoothing_reach, width, height));
  }
  const bool offscreen = target.width > 0;
  begin_frame(target.x, target.y);
  int seen = 0;
  const SeenCubies& cubies = seen_cubies(nearest_first(surface_slot_count), surface_slot_count, seen);
  draw_seen_cubies(cubies, seen);
  if (offscreen)
    smooth_edges_to_window(box, cube_screen_outline(width, height, edge_smoothing_outline_margin));
}

}  // namespace

void set_gl_state(RenderPath path) {
  render_path = path;
  edge_smoothing = false;
  if (path == RenderPath::Software)
    set_software_state();
  else
    set_full_state();
}

void draw_frame() {
  if (render_path == RenderPath::Software)
    draw_software_frame();
  else
    draw_full_frame();
}

void begin_frame(int origin_x, int origin_y) {
  glViewport(-origin_x, -origin_y, app_info.width, app_info.height);
  glClearColor(ground_red, ground_green, ground_blue, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glUseProgram(shader_program);
  glUniformMatrix4fv(proj_matrix_location, 1, GL_FALSE, &scene.projection[0][0]);
  glUniform3fv(light_pos_location, 1, &scene.light_position[0]);
}

void draw_cubies(const DrawOrder& order, int count) {
  // The vertex arrays and the element buffer set up at start-up stay bound:
  // one matrix and one draw per visible cubie.
  for (int i = 0; i < count; ++i) draw_cubie_range(order.slot[i], 0, cubie_index_count);
}

void draw_seen_cubies(const SeenCubies& cubies, int count) {
  const bool parts = cubie_part_ranges.ready;
  // Every cubie's rim parts first: they hide nearly all that reaches down from
  // them, which then fails the depth test before it is shaded.
  for (int i = 0; i < count; ++i) {
    const int sides = cubies.sides[i];
    if (parts && sides != whole_cubie)
      draw_cubie_range(cubies.order.slot[i], cubie_part_ranges.rim[sides].first, cubie_part_ranges.rim[sides].count);
    else
      draw_cubie_range(cubies.order.slot[i], 0, cubie_index_count);
  }
  if (!parts) return;
  for (int i = 0; i < count; ++i) {
    const int sides = cubies.sides[i];
    if (sides == whole_cubie) continue;
    draw_cubie_range(cubies.order.slot[i], cubie_part_ranges.reaching[sides].first,
                     cubie_part_ranges.reaching[sides].count);
  }
}

void release_gl_objects() {
  glDeleteProgram(shader_program);
  glDeleteTextures(1, &cubie_texture);
  for (int b = 0; b < mesh_buffer_count; ++b) glDeleteBuffers(1, &mesh_buffers[b]);
  release_edge_smoothing();
}
