#include "frame/window_config.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstdio>

#include "common/app_info.h"

WindowSize choose_window_size(const WindowConfigInput& input) {
  if (input.mode == Preview) {
    if (!input.host.ok) return {0, 0};
    return {input.host.width, input.host.height};
  }
  if (input.fullscreen && input.monitor_mode_size && input.have_video_mode) {
    return {input.video_width, input.video_height};
  }
  return {800, 600};
}

void prepare_window_config() {
  std::snprintf(app_info.title, sizeof app_info.title, "%s", "3D Tamsel's Screensaver");

  WindowConfigInput input = {};
  input.mode = run_mode;
  input.fullscreen = app_info.fullscreen;
  if (run_mode == Preview) {
    input.host = host_client_size(host_window);
  } else if (app_info.fullscreen) {
    input.monitor_mode_size = full_screen_uses_monitor_mode();
    if (input.monitor_mode_size) {
      // The library asserts on a null monitor, so a missing one is tested here.
      GLFWmonitor* monitor = glfwGetPrimaryMonitor();
      const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
      if (mode != nullptr) {
        input.have_video_mode = true;
        input.video_width = mode->width;
        input.video_height = mode->height;
      }
    }
  }
  const WindowSize size = choose_window_size(input);
  app_info.width = size.width;
  app_info.height = size.height;
}
