#include "frame/context_hints.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "common/app_info.h"

void apply_context_hints() {
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, app_info.gl_major);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, app_info.gl_minor);
  if (app_info.robust_context) glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
}
