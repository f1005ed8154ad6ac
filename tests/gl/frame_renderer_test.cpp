// The frame renderer on a real Mesa context: the fixed GL state of each path,
// the draws of each frame counted and recorded through the entry table, and the
// release of GL objects. The full path is what every hardware renderer gets, so
// it is set explicitly here, on Mesa's software rasteriser.
#include "render/frame_renderer.h"

#include <cstdio>
#include <vector>

#include "common/app_info.h"
#include "frame/window_settings.h"
#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "puzzle/sequencer.h"
#include "puzzle/simulation_reset.h"
#include "render/asset_startup.h"
#include "render/cubie_mesh.h"
#include "render/cubie_texture.h"
#include "render/cubie_visibility.h"
#include "render/edge_smoothing.h"
#include "render/screen_box.h"
#include "render/shader_program.h"
#include "tests/gl/context_fixture.h"

namespace {

// Counting wrappers swapped into the entry table; each forwards to the real entry.
struct Calls {
  int draws = 0;
  int matrix_uploads = 0;
  std::vector<const GLfloat*> matrices;  // where each upload read from, in call order
  std::vector<GLuint> deleted_programs;
  std::vector<GLuint> deleted_textures;
  std::vector<GLuint> deleted_buffers;
  std::vector<char> deletions;  // 'p', 't', 'b' in call order
};
Calls calls;
GlEntryPoints real;  // the table as loaded
PFNGLDRAWELEMENTSPROC real_draw_elements;
PFNGLUNIFORMMATRIX4FVPROC real_uniform_matrix;
PFNGLDELETEPROGRAMPROC real_delete_program;
PFNGLDELETETEXTURESPROC real_delete_textures;
PFNGLDELETEBUFFERSPROC real_delete_buffers;

void APIENTRY count_draw(GLenum mode, GLsizei count, GLenum type, const void* offset) {
  ++calls.draws;
  real_draw_elements(mode, count, type, offset);
}
void APIENTRY count_matrix(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value) {
  ++calls.matrix_uploads;
  calls.matrices.push_back(value);
  real_uniform_matrix(location, count, transpose, value);
}
void APIENTRY record_delete_program(GLuint program) {
  calls.deleted_programs.push_back(program);
  calls.deletions.push_back('p');
  real_delete_program(program);
}
void APIENTRY record_delete_textures(GLsizei n, const GLuint* names) {
  calls.deleted_textures.insert(calls.deleted_textures.end(), names, names + n);
  calls.deletions.push_back('t');
  real_delete_textures(n, names);
}
void APIENTRY record_delete_buffers(GLsizei n, const GLuint* names) {
  calls.deleted_buffers.insert(calls.deleted_buffers.end(), names, names + n);
  calls.deletions.push_back('b');
  real_delete_buffers(n, names);
}

constexpr int width = 64, height = 64;

class FrameRenderer : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    saved_app_info = app_info;
    app_info.width = width;
    app_info.height = height;
    reset_simulation();
    // Each GL name stands for its entry in the table: keep the real ones and
    // swap in the counting wrappers.
    real = gl_entry_points;
    real_draw_elements = glDrawElements;
    real_uniform_matrix = glUniformMatrix4fv;
    real_delete_program = glDeleteProgram;
    real_delete_textures = glDeleteTextures;
    real_delete_buffers = glDeleteBuffers;
    glDrawElements = count_draw;
    glUniformMatrix4fv = count_matrix;
    glDeleteProgram = record_delete_program;
    glDeleteTextures = record_delete_textures;
    glDeleteBuffers = record_delete_buffers;
    calls = {};
  }
  void TearDown() override {
    release_edge_smoothing();
    gl_entry_points = real;
    // The full state leaves culling as a fresh context has it: undo the software state's.
    glDisable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    app_info = saved_app_info;
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
  }

  AppInfo saved_app_info = {};

  static void start_up(RenderPath path = RenderPath::Full) {
    set_gl_state(path);
    start_assets(path);
  }

  // The matrices the last frame uploaded for its cubies, by slot: -1 for the
  // projection's or any other.
  static std::vector<int> drawn_slots(std::size_t from) {
    std::vector<int> slots;
    for (std::size_t k = from; k < calls.matrices.size(); ++k) {
      int slot = -1;
      for (int i = 0; i < surface_slot_count; ++i) {
        if (calls.matrices[k] ==
            &scene.cubie_mv[scene.surface_slots.x[i]][scene.surface_slots.y[i]][scene.surface_slots.z[i]][0][0])
          slot = i;
      }
      if (calls.matrices[k] != &scene.projection[0][0]) slots.push_back(slot);
    }
    return slots;
  }

  // Runs one frame of the show at that clock reading; the draws it made.
  static int frame(double t) {
    const int before = calls.draws;
    update_frame(t);
    // The frame loop's buffer swap would flush; without it llvmpipe piles up frames.
    glFinish();
    return calls.draws - before;
  }

  // The window and the frame at another size, for tests that need more pixels.
  static void use_window_size(int w, int h) {
    glfwSetWindowSize(window, w, h);
    glfwPollEvents();
    // Mesa's software drawable takes the new size at the next swap.
    glfwSwapBuffers(window);
    app_info.width = w;
    app_info.height = h;
  }

  // The whole window's pixels, bottom row first, once the drawing is done.
  static std::vector<unsigned char> read_window(int w, int h) {
    std::vector<unsigned char> rgba(static_cast<std::size_t>(w) * h * 4);
    glFinish();
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
  }

  static long bytes_differing(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    long differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i) differing += a[i] != b[i];
    return differing;
  }

  // Every cubie drawn whole over what the window holds, with its depth: the
  // bytes that changes.
  static long bytes_changed_by_every_cubie(int w, int h) {
    const std::vector<unsigned char> before = read_window(w, h);
    draw_cubies(list_order(), surface_slot_count);
    return bytes_differing(before, read_window(w, h));
  }

  static GLint integer(GLenum what) {
    GLint value = -1;
    glGetIntegerv(what, &value);
    return value;
  }

  static void pixel(int x, int y, unsigned char rgb[3]) {
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    for (int c = 0; c < 3; ++c) rgb[c] = rgba[c];
  }

  // The corner shows the dark green ground; the cube starts in the middle.
  static void expect_cube_on_the_ground() {
    unsigned char corner[3], centre[3];
    pixel(0, 0, corner);
    pixel(width / 2, height / 2, centre);
    EXPECT_EQ(corner[0], 0);
    EXPECT_EQ(corner[1], 38);
    EXPECT_EQ(corner[2], 0);
    EXPECT_FALSE(centre[0] == 0 && centre[1] == 38 && centre[2] == 0) << "the cube starts in the middle";
  }
};

}  // namespace

TEST_F(FrameRenderer, the_full_path_sets_the_fixed_state_with_every_flag_on) {
  set_gl_state(RenderPath::Full);
  apply_window_settings(window);
  EXPECT_EQ(render_path, RenderPath::Full);
  EXPECT_FALSE(edge_smoothing);
  EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(integer(GL_FRONT_FACE), GL_CW);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LESS);
  GLint modes[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, modes);
  EXPECT_EQ(modes[0], GL_LINE);  // front faces
  EXPECT_EQ(modes[1], GL_FILL);  // back faces
  EXPECT_TRUE(glIsEnabled(GL_MULTISAMPLE));
  EXPECT_TRUE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_TRUE(glIsEnabled(GL_POLYGON_SMOOTH));
  EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_HIDDEN);
}

TEST_F(FrameRenderer, cleared_flags_disable_the_smoothing_and_leave_the_cursor_alone) {
  app_info.multisample = app_info.line_smooth = app_info.polygon_smooth = false;
  app_info.show_cursor = true;
  set_gl_state(RenderPath::Full);
  apply_window_settings(window);
  EXPECT_FALSE(glIsEnabled(GL_MULTISAMPLE));
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_FALSE(glIsEnabled(GL_POLYGON_SMOOTH));
  EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_NORMAL);
}

TEST_F(FrameRenderer, every_frame_draws_the_218_surface_cubies_whether_or_not_a_layer_turns) {
  // The smoothing flags make llvmpipe several times slower and change no call.
  app_info.multisample = app_info.line_smooth = app_info.polygon_smooth = false;
  start_up();
  int frames_turning = 0, frames_still = 0;
  // 10 frames a second through the wait, the scramble and into the solve.
  const int frames = 100;
  for (int k = 0; k < frames; ++k) {
    const std::int32_t moves_before = sequencer.move_count;
    ASSERT_EQ(frame(100.0 + k / 10.0), surface_slot_count) << "frame " << k;
    const bool turned = sequencer.seq_state == SeqState::Turning || sequencer.move_count != moves_before;
    ++(turned ? frames_turning : frames_still);
  }
  EXPECT_GT(frames_turning, 25);
  EXPECT_GT(frames_still, 25);
  EXPECT_EQ(sequencer.scrambling, 0) << "the run reaches the solve, whose turns last many frames";
  // One projection and one matrix per cubie.
  EXPECT_EQ(calls.matrix_uploads, frames * (surface_slot_count + 1));
}

TEST_F(FrameRenderer, the_full_path_draws_the_surface_cubies_in_list_order) {
  start_up(RenderPath::Full);
  for (double t : {1.0, 4.0, 9.0}) {
    const std::size_t from = calls.matrices.size();
    ASSERT_EQ(frame(t), surface_slot_count);
    const std::vector<int> slots = drawn_slots(from);
    ASSERT_EQ(slots.size(), static_cast<std::size_t>(surface_slot_count));
    for (int i = 0; i < surface_slot_count; ++i) ASSERT_EQ(slots[i], i) << "at " << t << " s";
  }
}

TEST_F(FrameRenderer, on_mesas_software_rasteriser_the_software_path_is_chosen) {
  EXPECT_EQ(render_path_for(current_renderer()), RenderPath::Software);
}

TEST_F(FrameRenderer, the_software_path_culls_the_inner_sides_and_smooths_edges_in_a_pass) {
  set_gl_state(RenderPath::Software);
  apply_window_settings(window);
  EXPECT_EQ(render_path, RenderPath::Software);
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_FRONT);
  EXPECT_EQ(integer(GL_FRONT_FACE), GL_CW);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LESS);
  GLint modes[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, modes);
  EXPECT_EQ(modes[0], GL_FILL);
  EXPECT_EQ(modes[1], GL_FILL);
  EXPECT_FALSE(glIsEnabled(GL_MULTISAMPLE));
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_FALSE(glIsEnabled(GL_POLYGON_SMOOTH));
  EXPECT_TRUE(edge_smoothing);
  EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_HIDDEN);
}

TEST_F(FrameRenderer, without_multisampling_the_software_path_has_no_edge_pass) {
  app_info.multisample = false;
  set_gl_state(RenderPath::Software);
  EXPECT_FALSE(edge_smoothing);
}

TEST_F(FrameRenderer, software_rasterisers_get_the_chamfered_cubie_and_every_other_renderer_the_rounded_one) {
  start_up(RenderPath::Software);
  EXPECT_EQ(cubie_index_count, 132);
  start_up(RenderPath::Full);
  EXPECT_EQ(cubie_index_count, 564);
}

TEST_F(FrameRenderer, the_software_path_draws_every_cubie_it_can_see_nearest_first_then_what_reaches_down) {
  start_up(RenderPath::Software);
  for (double t : {1.0, 4.0, 9.0}) {
    const std::size_t from = calls.matrices.size();
    const int drawn = frame(t);
    int seen = 0;
    const SeenCubies& cubies = seen_cubies(nearest_first(surface_slot_count), surface_slot_count, seen);
    std::vector<int> in_parts;
    for (int i = 0; i < seen; ++i)
      if (cubies.sides[i] != whole_cubie) in_parts.push_back(cubies.order.slot[i]);
    // One draw per seen cubie, then one more for each drawn in parts, in the same order.
    ASSERT_EQ(drawn, seen + static_cast<int>(in_parts.size()));
    const std::vector<int> slots = drawn_slots(from);
    ASSERT_EQ(slots.size(), static_cast<std::size_t>(drawn));
    EXPECT_EQ(std::vector<int>(slots.begin() + seen, slots.end()), in_parts);
    std::vector<bool> drawn_once(surface_slot_count, false);
    float previous = 1e30f;
    for (int i = 0; i < seen; ++i) {
      const int s = slots[static_cast<std::size_t>(i)];
      ASSERT_GE(s, 0);
      EXPECT_FALSE(drawn_once[s]) << "slot " << s << " twice";
      drawn_once[s] = true;
      const SurfaceSlots& places = scene.surface_slots;
      const float z = scene.cubie_mv[places.x[s]][places.y[s]][places.z[s]][3][2];
      EXPECT_LE(z, previous) << "nearer after farther at " << t << " s";
      previous = z;
    }
    // The rest were judged unseen, and no layer was turning.
    if (seen < surface_slot_count) {
      EXPECT_NE(sequencer.seq_state, SeqState::Turning) << "cubies left out at " << t;
    }
  }
}

TEST_F(FrameRenderer, the_software_path_shows_the_cube_on_the_dark_green_ground) {
  start_up(RenderPath::Software);
  frame(5.0);
  expect_cube_on_the_ground();
  // The pass keeps its texture on a unit of its own.
  EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
  EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(cubie_texture));
  EXPECT_EQ(integer(GL_FRAMEBUFFER_BINDING), 0);
}

TEST_F(FrameRenderer, the_first_frame_shows_the_cube_on_the_dark_green_ground) {
  start_up();
  frame(5.0);
  expect_cube_on_the_ground();
}

TEST_F(FrameRenderer, every_gl_object_is_deleted_at_shutdown_in_creation_order) {
  start_up();
  frame(1.0);
  const GLuint program = shader_program, texture = cubie_texture;
  std::vector<GLuint> buffers(mesh_buffers, mesh_buffers + mesh_buffer_count);
  release_gl_objects();
  EXPECT_EQ(calls.deletions, (std::vector<char>{'p', 't', 'b', 'b', 'b', 'b', 'b', 'b'}));
  EXPECT_EQ(calls.deleted_programs, std::vector<GLuint>{program});
  EXPECT_EQ(calls.deleted_textures, std::vector<GLuint>{texture});
  EXPECT_EQ(calls.deleted_buffers, buffers);
  glUseProgram(0);  // a program in use lives on until it is no longer current
  EXPECT_FALSE(glIsProgram(program));
  EXPECT_FALSE(glIsTexture(texture));
  for (GLuint b : buffers) EXPECT_FALSE(glIsBuffer(b)) << b;
}

TEST_F(FrameRenderer, the_software_frame_equals_one_smoothed_over_the_whole_window_as_the_cube_moves) {
  // Large enough that the cube's box and outline are well inside the window.
  constexpr int wide = 320, high = 240;
  use_window_size(wide, high);
  start_up(RenderPath::Software);
  ASSERT_TRUE(edge_smoothing);
  int outlined = 0;
  // Outside the cube's outline the pass must have had nothing to change, and
  // the offscreen scene, which holds only what the pass reads, must give each
  // pixel as a scene of the window's size would. Shifted by its place, the same
  // sums round differently: up to 40 of the 307 200 bytes differ (an edge
  // moved by a 256th of a pixel); a pass misplaced by one pixel changes thousands.
  for (double t = 1.0; t < 16.0; t += 0.75) {
    release_edge_smoothing();  // the target grows only: made afresh for each frame
    ASSERT_TRUE(start_edge_smoothing());
    frame(t);
    const std::vector<unsigned char> drawn = read_window(wide, high);
    const ScreenBox box = cube_screen_box(wide, high, edge_smoothing_reach);
    const ScreenOutline outline = cube_screen_outline(wide, high, edge_smoothing_outline_margin);
    if (!outline.whole && box.width * box.height < wide * high) ++outlined;
    ASSERT_EQ(begin_smoothed_scene(wide, high, ScreenBox{0, 0, wide, high}).width, wide);
    begin_frame();
    draw_cubies(nearest_first(surface_slot_count), surface_slot_count);
    smooth_edges_to_window(ScreenBox{0, 0, wide, high}, ScreenOutline{true, 0, {}, {}});
    const std::vector<unsigned char> whole = read_window(wide, high);
    EXPECT_LE(bytes_differing(drawn, whole), 64) << "at " << t << " s";
  }
  EXPECT_GT(outlined, 10);
  use_window_size(width, height);
}

TEST_F(FrameRenderer, straight_down_a_channel_the_far_cubies_inner_sides_show_and_are_drawn) {
  constexpr int wide = 640, high = 480;
  use_window_size(wide, high);
  app_info.multisample = false;
  start_up(RenderPath::Software);
  frame(1.0);  // the projection for this size, every cubie at home
  // The eye just outside the cube's sphere, a little off the line down the
  // channel where four cubies meet at (2.5, 2.5) on the +z face (and off both
  // seam planes, so that only the channel lets it into the core): through it
  // show the hollow, the far cubies' inner sides and the ground beyond.
  scene.cube_translation = translate(-3.0f, -3.0f, -32.0f);
  scene.cube_rotation = identity();
  compute_model_views(scene.cube_translation, scene.cube_rotation);
  ASSERT_FALSE(core_hidden(eye_in_cube()));
  // The near face alone, then every cubie: the channel shows what lies past it.
  DrawOrder near_face = {};
  int near_count = 0;
  for (int s = 0; s < surface_slot_count; ++s)
    if (scene.surface_slots.z[s] == lattice_size - 1) near_face.slot[near_count++] = s;
  begin_frame();
  draw_cubies(near_face, near_count);
  EXPECT_GT(bytes_changed_by_every_cubie(wide, high), 50);
  // The software frame already holds the far face's inner sides in the channel.
  draw_frame();
  EXPECT_EQ(bytes_changed_by_every_cubie(wide, high), 0);
  use_window_size(width, height);
}

TEST_F(FrameRenderer, what_is_judged_unseen_changes_no_pixel_when_drawn_at_rest_or_while_a_layer_turns) {
  constexpr int wide = 640, high = 480;
  use_window_size(wide, high);
  // Without the edge pass the scene is drawn straight into the window.
  app_info.multisample = false;
  start_up(RenderPath::Software);
  ASSERT_FALSE(edge_smoothing);
  ASSERT_TRUE(cubie_part_ranges.ready);
  int rest_with_unseen = 0, rest_with_parts = 0, outer_turns = 0, inner_turns = 0, unseen_total = 0;
  int core_seen_with_savings = 0;
  // Through the wait, the scramble and well into the solve, every fifth of a second.
  for (double t = 1.0; t < 50.0; t += 0.2) {
    frame(t);
    const bool turning = sequencer.seq_state == SeqState::Turning;
    int seen = 0;
    const SeenCubies& cubies = seen_cubies(nearest_first(surface_slot_count), surface_slot_count, seen);
    int in_parts = 0;
    for (int i = 0; i < seen; ++i) in_parts += cubies.sides[i] != whole_cubie;
    const int unseen = surface_slot_count - seen;
    if (turning) {
      EXPECT_EQ(unseen, 0) << "while a layer turns every cubie is drawn, at " << t << " s";
      EXPECT_EQ(in_parts, 0) << "while a layer turns every cubie is drawn whole, at " << t << " s";
      const bool outer = sequencer.turn_layer == 0 || sequencer.turn_layer == lattice_size - 1;
      ++(outer ? outer_turns : inner_turns);
    } else {
      rest_with_unseen += unseen > 0;
      rest_with_parts += in_parts > 0;
      unseen_total += unseen;
      core_seen_with_savings += !core_hidden(eye_in_cube()) && unseen > 0 && in_parts > 0;
    }
    // Every cubie drawn whole over the finished frame, with its depth: what was
    // drawn ties and stays, and what was left out must change nothing.
    EXPECT_EQ(bytes_changed_by_every_cubie(wide, high), 0)
        << unseen << " cubies judged unseen and " << in_parts << " drawn in parts at " << t << " s";
  }
  EXPECT_GT(rest_with_unseen, 80);
  EXPECT_GT(rest_with_parts, 80);
  EXPECT_GT(core_seen_with_savings, 40) << "down a channel or along a slot, the rest of the cube is still judged";
  EXPECT_GT(outer_turns, 3);
  EXPECT_GT(inner_turns, 3);
  std::printf("poses at rest with cubies left out: %d, %d cubies in all; with cubies drawn in parts: %d\n",
              rest_with_unseen, unseen_total, rest_with_parts);
  use_window_size(width, height);
}
