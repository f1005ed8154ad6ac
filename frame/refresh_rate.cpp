#include "frame/refresh_rate.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

int primary_refresh_rate() {
  GLFWmonitor* monitor = glfwGetPrimaryMonitor();
  if (monitor == nullptr) return 0;
  const GLFWvidmode* mode = glfwGetVideoMode(monitor);
  return mode != nullptr ? mode->refreshRate : 0;
}
