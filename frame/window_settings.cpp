#include "frame/window_settings.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "common/app_info.h"

void apply_window_settings(GLFWwindow* window) {
  glfwSwapInterval(app_info.vsync ? 1 : 0);
  if (!app_info.show_cursor) glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}
