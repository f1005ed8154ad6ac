#include "render/frame_renderer.h"

#include "assets/cubie_mesh.h"
#include "frame/app_info.h"
#include "frame/gl_entry_points.h"
#include "frame/run_frame.h"
#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "render/cubie_texture.h"
#include "render/draw_order.h"
#include "render/edge_smoothing.h"
#include "render/shader_program.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

RenderPath render_path = RenderPath::Full;
bool edge_smoothing = false;
bool draw_nearest_first = true;
bool draw_whole_window = false;

namespace {

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

}  // namespace

void setup_gl_state() { set_gl_state(render_path_for(current_renderer())); }

void set_gl_state(RenderPath path) {
  render_path = path;
  edge_smoothing = false;
  if (path == RenderPath::Software)
    set_software_state();
  else
    set_full_state();

  glfwSwapInterval(app_info.vsync ? 1 : 0);
  if (!app_info.show_cursor) glfwSetInputMode(main_window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void draw_frame() { draw_first_cubies(surface_slot_count); }

void draw_first_cubies(int count) {
  const bool software = render_path == RenderPath::Software;
  const bool offscreen = software && edge_smoothing && begin_smoothed_scene(app_info.width, app_info.height);
  glViewport(0, 0, app_info.width, app_info.height);
  glClearColor(0.0f, 0.15f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glUseProgram(shader_program);
  glUniformMatrix4fv(proj_matrix_location, 1, GL_FALSE, &projection[0][0]);
  glUniform3fv(light_pos_location, 1, &light_position[0]);

  // The vertex arrays and the element buffer set up at start-up stay bound:
  // one matrix and one draw per visible cubie. A software rasteriser skips the
  // shading of what the depth test rejects, so there the nearest come first.
  const DrawOrder& order = software && draw_nearest_first ? nearest_first(count) : list_order();
  for (int i = 0; i < count; ++i) {
    const int s = order.slot[i];
    const mat4& mv = cubie_mv[surface_slots.x[s]][surface_slots.y[s]][surface_slots.z[s]];
    glUniformMatrix4fv(mv_matrix_location, 1, GL_FALSE, &mv[0][0]);
    glDrawElements(GL_TRIANGLES, cubie_index_count, GL_UNSIGNED_INT, nullptr);
  }

  if (offscreen)
    smooth_edges_to_window(
        draw_whole_window ? ScreenBox{0, 0, app_info.width, app_info.height}
                          : cube_screen_box(app_info.width, app_info.height, edge_smoothing_reach));
}

void release_gl_objects() {
  glDeleteProgram(shader_program);
  glDeleteTextures(1, &cubie_texture);
  for (int b = 0; b < mesh_buffer_count; ++b) glDeleteBuffers(1, &mesh_buffers[b]);
  release_edge_smoothing();
}
