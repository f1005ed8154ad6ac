#include "render/frame_renderer.h"

#include "assets/cubie_mesh.h"
#include "frame/app_info.h"
#include "frame/gl_entry_points.h"
#include "frame/run_frame.h"
#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "render/cubie_texture.h"
#include "render/shader_program.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

void enable_if(GLenum capability, bool on) {
  if (on)
    glEnable(capability);
  else
    glDisable(capability);
}

}  // namespace

void setup_gl_state() {
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

  glfwSwapInterval(app_info.vsync ? 1 : 0);
  if (!app_info.show_cursor) glfwSetInputMode(main_window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void draw_frame() { draw_first_cubies(surface_slot_count); }

void draw_first_cubies(int count) {
  glViewport(0, 0, app_info.width, app_info.height);
  glClearColor(0.0f, 0.15f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glUseProgram(shader_program);
  glUniformMatrix4fv(proj_matrix_location, 1, GL_FALSE, &projection[0][0]);
  glUniform3fv(light_pos_location, 1, &light_position[0]);

  // The vertex arrays and the element buffer set up at start-up stay bound:
  // one matrix and one draw per visible cubie.
  for (int i = 0; i < count; ++i) {
    const mat4& mv = cubie_mv[surface_slots.x[i]][surface_slots.y[i]][surface_slots.z[i]];
    glUniformMatrix4fv(mv_matrix_location, 1, GL_FALSE, &mv[0][0]);
    glDrawElements(GL_TRIANGLES, cubie_index_count, GL_UNSIGNED_INT, nullptr);
  }
}

void release_gl_objects() {
  glDeleteProgram(shader_program);
  glDeleteTextures(1, &cubie_texture);
  for (int b = 0; b < mesh_buffer_count; ++b) glDeleteBuffers(1, &mesh_buffers[b]);
}
