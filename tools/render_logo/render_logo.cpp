// Draws the About window's logo with the screensaver's own renderer: the cube
// on its dark green ground with the top layer part-way through a turn. One
// frame is drawn off screen at four times the size, averaged down and written
// as a 24-bit bottom-up BMP (resources/about_logo.bmp, bitmap 101).
//
//   render_logo OUTPUT.bmp        (needs an X display; under Xvfb is fine)

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/app_info.h"
#include "common/gl_entry_points.h"
#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "puzzle/layer_turn.h"
#include "puzzle/random.h"
#include "puzzle/sequencer.h"
#include "puzzle/simulation_reset.h"
#include "render/asset_startup.h"
#include "render/frame_renderer.h"
#include "render/offscreen_target.h"
#include "tools/render_logo/bmp_writer.h"

GLFWwindow* window = nullptr;

namespace {

constexpr int logo_width = 110;
constexpr int logo_height = 83;
constexpr int oversample = 4;
constexpr int frame_width = logo_width * oversample;
constexpr int frame_height = logo_height * oversample;

// The pose: closer than the saver's start so that the cube fills the picture,
// turned to show the top and two sides, the top layer 30 degrees into a turn.
constexpr float cube_distance = 78.0f;
constexpr float tilt_degrees = 30.0f;
constexpr float yaw_degrees = -40.0f;
constexpr float layer_turn_degrees = 30.0f;

bool open_context() {
  if (!glfwInit()) return false;
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  window = glfwCreateWindow(64, 64, "render_logo", nullptr, nullptr);
  if (window == nullptr) return false;
  glfwMakeContextCurrent(window);
  load_gl_entry_points();
  return true;
}

// A colour and a depth buffer of the oversampled size, bound for drawing. Its
// texture sits on unit 1, clear of the cubie texture's unit 0.
void bind_offscreen_target() {
  static OffscreenTarget target = {};
  make_offscreen_target(target, frame_width, frame_height, 1);
  glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
}

void pose_the_cube() {
  reset_simulation();
  app_info.width = frame_width;
  app_info.height = frame_height;
  seed_random(0);
  init_lattice();
  init_drift();  // projection and light as the saver has them
  drift.cube_position = vec3(0.0f, 1.5f, -cube_distance);
  drift.cube_angles = vec3(tilt_degrees, yaw_degrees, 0.0f);
  scene.cube_rotation = rotate(drift.cube_angles[0], 1.0f, 0.0f, 0.0f) * rotate(drift.cube_angles[1], 0.0f, 1.0f, 0.0f);
  scene.cube_translation = translate(drift.cube_position[0], drift.cube_position[1], drift.cube_position[2]);

  // One scramble-style step turns by exactly turn_step.
  sequencer.scrambling = 1;
  sequencer.turn_axis = 1;  // about y
  sequencer.turn_layer = lattice_size - 1;
  sequencer.turn_step = layer_turn_degrees;
  apply_turn_step();
  compute_model_views(scene.cube_translation, scene.cube_rotation);
}

// Box-filters the oversampled frame (bottom row first, RGBA) down to the logo
// (bottom row first, RGB).
std::vector<std::uint8_t> average_down(const std::vector<std::uint8_t>& frame) {
  std::vector<std::uint8_t> logo(logo_width * logo_height * 3);
  for (int y = 0; y < logo_height; ++y) {
    for (int x = 0; x < logo_width; ++x) {
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < oversample; ++dy)
          for (int dx = 0; dx < oversample; ++dx)
            sum += frame[((y * oversample + dy) * frame_width + x * oversample + dx) * 4 + c];
        const int n = oversample * oversample;
        logo[(y * logo_width + x) * 3 + c] = static_cast<std::uint8_t>((sum + n / 2) / n);
      }
    }
  }
  return logo;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_logo OUTPUT.bmp\n");
    return 2;
  }
  if (!open_context()) {
    std::fprintf(stderr, "render_logo: no GL context (is DISPLAY set?)\n");
    return 1;
  }
  // The full path on any renderer: the logo is drawn into a target of its own at
  // four times the size, where the software path's edge pass has no place.
  set_gl_state(RenderPath::Full);
  start_assets(RenderPath::Full);
  bind_offscreen_target();
  pose_the_cube();
  draw_frame();
  glFinish();

  std::vector<std::uint8_t> frame(frame_width * frame_height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, frame_width, frame_height, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
  release_gl_objects();
  glfwDestroyWindow(window);
  glfwTerminate();

  if (!write_bmp24(argv[1], average_down(frame).data(), logo_width, logo_height)) {
    std::fprintf(stderr, "render_logo: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
