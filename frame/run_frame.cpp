#include "frame/run_frame.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstdlib>

#include "common/app_info.h"
#include "common/gl_entry_points.h"
#include "common/run_mode.h"
#include "frame/callbacks.h"
#include "frame/context_hints.h"
#include "frame/frame_log.h"
#include "frame/frame_pacing.h"
#include "frame/full_screen.h"
#include "frame/refresh_rate.h"
#include "frame/render_path_probe.h"
#include "frame/window_config.h"
#include "frame/window_icon.h"
#include "frame/window_settings.h"
#include "platform/platform.h"
#include "puzzle/sequencer.h"
#include "render/asset_startup.h"
#include "render/frame_renderer.h"
#include "render/render_path.h"
#include "render/render_state_report.h"

GLFWwindow* main_window = nullptr;

namespace {

void init_windowing() {
  // Registered first so that initialisation errors are shown too.
  glfwSetErrorCallback(show_glfw_error);
  if (glfwInit() == GLFW_FALSE) {
    show_message_box("Failed to initialize GLFW", "Debug", BoxIcon::Information);
  }
}

void apply_window_icon() {
  GLFWimage icon = {window_icon_size, window_icon_size,
                    const_cast<unsigned char*>(window_icon_pixels)};
  glfwSetWindowIcon(main_window, 1, &icon);
}

void create_main_window(int samples) {
  apply_context_hints();
  glfwWindowHint(GLFW_SAMPLES, samples);
  glfwWindowHint(GLFW_STEREO, GLFW_FALSE);

  if (run_mode == Preview) {
    main_window = adopt_host_window(host_window, nullptr);
  } else {
    GLFWmonitor* monitor = app_info.fullscreen ? glfwGetPrimaryMonitor() : nullptr;
    if (monitor != nullptr) ask_for_current_mode(monitor);
    main_window = glfwCreateWindow(app_info.width, app_info.height, app_info.title, monitor, nullptr);
  }
  if (main_window == nullptr) {
    show_message_box("Failed to open window", "Debug", BoxIcon::Information);
    glfwTerminate();
    std::exit(0);
  }

  glfwSetWindowSizeCallback(main_window, window_size_changed);
  glfwSetKeyCallback(main_window, quit_on_input);
  glfwSetMouseButtonCallback(main_window, quit_on_input);
  glfwSetCursorPosCallback(main_window, ignore_pointer);
  glfwSetScrollCallback(main_window, ignore_pointer);
  if (run_mode != Preview && app_info.fullscreen) watch_full_screen_window(main_window);
  glfwMakeContextCurrent(main_window);
  if (app_info.window_icon) apply_window_icon();
  load_gl_entry_points();
}

// One pass per frame; a frame is drawn and presented before any exit test.
void run_frame_loop() {
  const bool in_host = run_mode == Preview;
  // Where the swap does not wait for the vertical blank, pacing holds the loop
  // to the refresh rate instead.
  FramePacing pacing = start_frame_pacing(app_info.vsync, primary_refresh_rate());
  // Where the CPU draws every pixel, the rate also keeps the process within its budget.
  FrameBudget budget = start_frame_budget(render_path == RenderPath::Software, app_info.vsync, primary_refresh_rate());
  open_frame_log();
  log_frame_line(render_state_report);
  for (;;) {
    if (in_host && !begin_host_frame(main_window, host_window)) break;
    const double t = glfwGetTime();
    update_frame(t);
    glfwSwapBuffers(main_window);
    if (in_host) end_host_frame();
    log_frame_presented();
    if (update_frame_budget(budget, pacing, glfwGetTime(), process_cpu_seconds()))
      log_frame_pace(budget.refresh_rate, budget.divisor, budget.previous_divisor, budget.cost);
    // Outside the host's hold on the display, which must stay short.
    sleep_seconds(frame_pacing_delay(pacing, t, glfwGetTime()));
    if (key_event_pending(main_window)) quit_on_input(main_window, 0, 0, 0, 0);
    glfwPollEvents();
    const bool escape = glfwGetKey(main_window, GLFW_KEY_ESCAPE) != GLFW_RELEASE;
    const bool close = glfwWindowShouldClose(main_window) == GLFW_TRUE;
    if (in_host && !host_window_enabled(host_window)) break;
    if (escape || close || termination_requested()) break;
  }
}

void shut_down() {
  const bool in_host = run_mode == Preview;
  if (in_host) hold_host();
  release_gl_objects();
  if (in_host) release_host_window(main_window);
  end_full_screen_run();
  glfwDestroyWindow(main_window);
  main_window = nullptr;
  if (in_host) release_host();
  glfwTerminate();
}

}  // namespace

void run_frame() {
  keep_software_rasteriser_on_calling_thread();
  init_windowing();
  prepare_window_config();

  // The host cannot take its window away while the context and assets are set up.
  const bool in_host = run_mode == Preview;
  if (in_host) hold_host();
  // The render path is decided here, once. A software rasteriser resolves a
  // multisampled window at every swap, which costs more than its whole scene:
  // there the window has no samples, and the renderer smooths the edges itself.
  RenderPath path = RenderPath::Full;
  const bool known_ahead = app_info.samples > 0 && probe_render_path(path);
  create_main_window(path == RenderPath::Software ? 0 : app_info.samples);
  if (!known_ahead) path = render_path_for(current_renderer());
  set_gl_state(path);
  apply_window_settings(main_window);
  start_assets(path);
  if (in_host) release_host();

  run_frame_loop();
  shut_down();
}
