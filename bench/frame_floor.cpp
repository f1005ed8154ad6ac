// The floor: the program's GL work with no simulation. It opens the same
// full-screen window with the same hints, runs the same start-up (timing each
// step), freezes one pose of the cube and then draws it with the renderer's
// own draw_frame every frame, as fast as the flags allow. Switches take parts
// of the fixed state away one by one to measure what each costs.
//
//   frame_floor [--seconds S] [--frames N] [--startup-only] [--samples N] [--no-multisample]
//               [--no-line-smooth] [--no-polygon-smooth] [--no-anisotropy]
//               [--no-mipmaps] [--no-vsync]
//               [--fill-front | --cull-front] [--plain-shader] [--draws N]
//               [--full-state | --software-state] [--list-order] [--whole-window]
//               [--window-target] [--box-pass] [--draw-all] [--whole-cubies]
//               [--rounded-cubie] [--at T] [--snapshot FILE.ppm]
//
// As the program does, it keeps a software rasteriser on its own thread
// (LP_NUM_THREADS set in the environment overrides that), names the renderer
// with a hidden window first and chooses the state from that (a software
// rasteriser's window has no samples);
// --full-state and --software-state force one path (the full one keeps the
// samples asked for).
// --list-order draws the software path in list order instead of nearest first;
// --whole-window runs its edge pass over the whole window, --box-pass over the
// cube's box instead of its outline; --window-target draws the offscreen scene
// into a target the size of the window instead of one that holds only what the
// pass reads;
// --draw-all draws the cubies that cannot be seen as well; --whole-cubies draws
// the ones that can be seen whole instead of only their parts next to the
// sides they show; --rounded-cubie draws the software path with the rounded
// cubie model instead of the chamfered one.
// --frames N ends after N presented frames (the first included), for counting
// instructions under callgrind (see loop_frame).
// --at T runs the show's simulation from 0 to T seconds (60 steps a second,
// drawing nothing) and freezes that pose instead of the start's; --snapshot
// writes the first frame's pixels as a binary PPM and ends.
//
// With CUBESAVER_FRAME_LOG set it logs presented frames as the program does.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/app_info.h"
#include "common/gl_entry_points.h"
#include "frame/context_hints.h"
#include "frame/frame_log.h"
#include "frame/frame_pacing.h"
#include "frame/refresh_rate.h"
#include "frame/render_path_probe.h"
#include "frame/window_settings.h"
#include "platform/platform.h"
#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "puzzle/sequencer.h"
#include "render/cubie_mesh.h"
#include "render/cubie_texture.h"
#include "render/cubie_visibility.h"
#include "render/draw_order.h"
#include "render/edge_smoothing.h"
#include "render/frame_renderer.h"
#include "render/render_state_report.h"
#include "render/screen_box.h"
#include "render/shader_compile.h"
#include "render/shader_program.h"

namespace {

struct Options {
  double seconds = 0.0;  // 0: until SIGTERM
  long frames = 0;       // 0: no limit
  bool startup_only = false;
  bool fill_front = false;
  bool cull_front = false;
  bool plain_shader = false;
  int draws = surface_slot_count;
  int path = -1;  // -1: chosen from the renderer; else a RenderPath
  bool list_order = false;
  bool whole_window = false;
  bool window_target = false;
  bool rounded_cubie = false;
  bool box_pass = false;
  bool draw_all = false;
  bool whole_cubies = false;
  double at = -1.0;
  const char* snapshot = nullptr;
};

using Clock = std::chrono::steady_clock;
Clock::time_point step_start;

void start_step() { step_start = Clock::now(); }

void end_step(const char* name) {
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - step_start).count();
  std::printf("startup %-22s %8.2f ms\n", name, ms);
  step_start = Clock::now();
}

Options read_options(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (std::strcmp(arg, "--seconds") == 0 && has_value) {
      options.seconds = std::atof(argv[++i]);
    } else if (std::strcmp(arg, "--frames") == 0 && has_value) {
      options.frames = std::atol(argv[++i]);
    } else if (std::strcmp(arg, "--samples") == 0 && has_value) {
      app_info.samples = std::atoi(argv[++i]);
    } else if (std::strcmp(arg, "--draws") == 0 && has_value) {
      options.draws = std::atoi(argv[++i]);
    } else if (std::strcmp(arg, "--startup-only") == 0) {
      options.startup_only = true;
    } else if (std::strcmp(arg, "--no-multisample") == 0) {
      app_info.multisample = false;
    } else if (std::strcmp(arg, "--no-line-smooth") == 0) {
      app_info.line_smooth = false;
    } else if (std::strcmp(arg, "--no-polygon-smooth") == 0) {
      app_info.polygon_smooth = false;
    } else if (std::strcmp(arg, "--no-anisotropy") == 0) {
      app_info.anisotropy = false;
    } else if (std::strcmp(arg, "--no-mipmaps") == 0) {
      app_info.mipmaps = false;
    } else if (std::strcmp(arg, "--no-vsync") == 0) {
      app_info.vsync = false;
    } else if (std::strcmp(arg, "--fill-front") == 0) {
      options.fill_front = true;
    } else if (std::strcmp(arg, "--cull-front") == 0) {
      options.cull_front = true;
    } else if (std::strcmp(arg, "--plain-shader") == 0) {
      options.plain_shader = true;
    } else if (std::strcmp(arg, "--full-state") == 0) {
      options.path = static_cast<int>(RenderPath::Full);
    } else if (std::strcmp(arg, "--software-state") == 0) {
      options.path = static_cast<int>(RenderPath::Software);
    } else if (std::strcmp(arg, "--list-order") == 0) {
      options.list_order = true;
    } else if (std::strcmp(arg, "--whole-window") == 0) {
      options.whole_window = true;
    } else if (std::strcmp(arg, "--rounded-cubie") == 0) {
      options.rounded_cubie = true;
    } else if (std::strcmp(arg, "--window-target") == 0) {
      options.window_target = true;
    } else if (std::strcmp(arg, "--box-pass") == 0) {
      options.box_pass = true;
    } else if (std::strcmp(arg, "--draw-all") == 0) {
      options.draw_all = true;
    } else if (std::strcmp(arg, "--whole-cubies") == 0) {
      options.whole_cubies = true;
    } else if (std::strcmp(arg, "--at") == 0 && has_value) {
      options.at = std::atof(argv[++i]);
    } else if (std::strcmp(arg, "--snapshot") == 0 && has_value) {
      options.snapshot = argv[++i];
    } else {
      std::fprintf(stderr, "frame_floor: unknown argument %s\n", arg);
      std::exit(2);
    }
  }
  return options;
}

GLFWwindow* window = nullptr;

void create_window(int samples, GLFWmonitor* monitor) {
  apply_context_hints();
  glfwWindowHint(GLFW_SAMPLES, samples);
  glfwWindowHint(GLFW_STEREO, GLFW_FALSE);
  window = glfwCreateWindow(app_info.width, app_info.height, "floor", monitor, nullptr);
  if (window == nullptr) std::exit(1);
  glfwMakeContextCurrent(window);
  load_gl_entry_points();
}

// The same window as the saver's full-screen run; the path it is drawn on.
RenderPath open_window(int forced_path) {
  start_step();
  if (glfwInit() == GLFW_FALSE) std::exit(1);
  end_step("glfw_init");
  GLFWmonitor* monitor = glfwGetPrimaryMonitor();
  const GLFWvidmode* mode = glfwGetVideoMode(monitor);
  app_info.width = mode->width;
  app_info.height = mode->height;

  // A window without a context, to split the window's cost from the context's.
  glfwWindowHint(GLFW_CLIENT_API, GLFW_NO_API);
  GLFWwindow* bare = glfwCreateWindow(app_info.width, app_info.height, "floor", monitor, nullptr);
  end_step("window_without_context");
  glfwDestroyWindow(bare);
  glfwDefaultWindowHints();
  start_step();

  RenderPath path = RenderPath::Full;
  if (forced_path == -1) {
    probe_render_path(path);
    end_step("renderer_probe");
  } else {
    path = static_cast<RenderPath>(forced_path);
  }
  const bool software = path == RenderPath::Software;
  create_window(software ? 0 : app_info.samples, monitor);
  end_step("window_and_context");
  return path;
}

// What the software path will draw of this pose, for reading instruction counts.
void describe_pose() {
  int seen = 0;
  const SeenCubies& cubies = seen_cubies(nearest_first(surface_slot_count), surface_slot_count, seen);
  int in_parts = 0;
  for (int i = 0; i < seen; ++i) in_parts += cubies.sides[i] != whole_cubie;
  std::printf("pose layer turning %d core hidden %d cubies seen %d of %d, %d of them in parts\n",
              scene.layer_turning ? 1 : 0, core_hidden(eye_in_cube()) ? 1 : 0, seen, surface_slot_count, in_parts);
}

// The program's draw_frame, or the same frame with fewer cubies, in list order
// on the software path, with every cubie drawn, with its offscreen scene the
// size of the window, or with the edge pass over the cube's box or the
// whole window instead of its outline.
void draw_floor_frame(const Options& options) {
  const int width = app_info.width, height = app_info.height;
  const bool software = render_path == RenderPath::Software;
  if (options.draws >= surface_slot_count && !options.list_order && !options.whole_window && !options.window_target &&
      !options.box_pass && !options.draw_all && !options.whole_cubies) {
    draw_frame();
    return;
  }
  const ScreenBox box = cube_screen_box(width, height, edge_smoothing_reach);
  const ScreenBox whole = {0, 0, width, height};
  const ScreenBox reads =
      options.whole_window || options.window_target ? whole : widened(box, edge_smoothing_reach, width, height);
  ScreenBox target = {};
  if (software && edge_smoothing) target = begin_smoothed_scene(width, height, reads);
  const bool offscreen = target.width > 0;
  begin_frame(target.x, target.y);
  if (software && !options.list_order) {
    int seen = options.draws;
    const DrawOrder& nearest = nearest_first(options.draws);
    if (options.draw_all) {
      draw_cubies(nearest, seen);
    } else if (options.whole_cubies) {
      const SeenCubies& cubies = seen_cubies(nearest, options.draws, seen);
      draw_cubies(cubies.order, seen);
    } else {
      const SeenCubies& cubies = seen_cubies(nearest, options.draws, seen);
      draw_seen_cubies(cubies, seen);
    }
  } else {
    draw_cubies(list_order(), options.draws);
  }
  if (!offscreen) return;
  const ScreenOutline no_outline = {true, 0, {}, {}};
  if (options.whole_window)
    smooth_edges_to_window(whole, no_outline);
  else if (options.box_pass)
    smooth_edges_to_window(box, no_outline);
  else
    smooth_edges_to_window(box, cube_screen_outline(width, height, edge_smoothing_outline_margin));
}

// One frame of the loop, drawn and presented: what an instruction count of the
// loop measures (valgrind --tool=callgrind --toggle-collect='*loop_frame*').
[[gnu::noinline]] void loop_frame(const Options& options) {
  draw_floor_frame(options);
  glfwSwapBuffers(window);
}

// The run's simulation up to t, drawn into an empty viewport.
void advance_show_to(double t) {
  const int width = app_info.width, height = app_info.height;
  app_info.width = app_info.height = 0;
  for (int step = 0; step * (1.0 / 60.0) <= t; ++step) update_frame(step * (1.0 / 60.0));
  glFinish();
  app_info.width = width;
  app_info.height = height;
}

// The back buffer as a binary PPM, top row first.
void write_snapshot(const char* path) {
  const int width = app_info.width, height = app_info.height;
  static unsigned char rgba[3840 * 2160 * 4];
  if (static_cast<long>(width) * height * 4 > static_cast<long>(sizeof rgba)) std::exit(1);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) std::exit(1);
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) std::fwrite(rgba + (static_cast<long>(y) * width + x) * 4, 1, 3, out);
  std::fclose(out);
}

// Texture only, no light: what the lit shader costs over the plainest picture.
void use_plain_shader() {
  const char* vertex =
      "#version 110\nattribute vec4 position; attribute vec2 position_tex;\n"
      "uniform mat4 mv_matrix; uniform mat4 proj_matrix; uniform vec3 light_pos; varying vec2 tex;\n"
      "void main() { tex = position_tex; gl_Position = proj_matrix * (mv_matrix * position); }\n";
  const char* fragment =
      "#version 110\nuniform sampler2D s; varying vec2 tex;\n"
      "void main() { gl_FragColor = vec4(texture2D(s, tex).rgb, 1.0); }\n";
  const GLuint program = glCreateProgram();
  glAttachShader(program, compile_stage(GL_VERTEX_SHADER, vertex).name);
  glAttachShader(program, compile_stage(GL_FRAGMENT_SHADER, fragment).name);
  glBindAttribLocation(program, PositionSlot, "position");
  glBindAttribLocation(program, PositionTexSlot, "position_tex");
  glLinkProgram(program);
  shader_program = program;
  mv_matrix_location = glGetUniformLocation(program, "mv_matrix");
  proj_matrix_location = glGetUniformLocation(program, "proj_matrix");
  light_pos_location = glGetUniformLocation(program, "light_pos");
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = read_options(argc, argv);
  install_termination_handlers();
  keep_software_rasteriser_on_calling_thread();
  const Clock::time_point begin = Clock::now();
  const RenderPath path = open_window(options.path);
  set_gl_state(path);
  apply_window_settings(window);
  if (options.fill_front) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  if (options.cull_front) {
    glCullFace(GL_FRONT);
    glEnable(GL_CULL_FACE);
  }
  end_step("gl_state");
  load_cubie_texture(path);
  end_step("texture");
  build_shader_program();
  end_step("shader");
  upload_cubie_model(path, options.rounded_cubie ? cubie_model_resource : cubie_model_for(path));
  end_step("mesh");
  if (options.plain_shader) use_plain_shader();

  // One fixed pose of the cube, drifted a few frames from its start.
  if (options.at >= 0.0) {
    advance_show_to(options.at);
  } else {
    init_lattice();
    init_drift();
    for (int i = 0; i < 3; ++i) update_drift();
    compute_model_views(scene.cube_translation, scene.cube_rotation);
  }
  end_step("pose");
  describe_pose();

  draw_floor_frame(options);
  if (options.snapshot != nullptr) {
    write_snapshot(options.snapshot);
    return 0;
  }
  glfwSwapBuffers(window);
  end_step("first_frame");
  std::printf("startup %-22s %8.2f ms\n", "total",
              std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
  std::fflush(stdout);
  if (options.startup_only) return 0;

  FramePacing pacing = start_frame_pacing(app_info.vsync, primary_refresh_rate());
  open_frame_log();
  log_frame_line(render_state_report);
  log_frame_presented();
  const double end = glfwGetTime() + options.seconds;
  for (long frame = 1; !termination_requested() && (options.seconds <= 0.0 || glfwGetTime() < end) &&
                      (options.frames <= 0 || frame < options.frames);
       ++frame) {
    const double t = glfwGetTime();
    loop_frame(options);
    log_frame_presented();
    sleep_seconds(frame_pacing_delay(pacing, t, glfwGetTime()));
    glfwPollEvents();
  }
  release_gl_objects();
  glfwDestroyWindow(window);
  glfwTerminate();
  return 0;
}
