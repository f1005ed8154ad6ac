#include "frame/render_path_probe.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "common/gl_entry_points.h"
#include "frame/callbacks.h"
#include "frame/context_hints.h"

bool probe_render_path(RenderPath& path) {
  // The probe's failures are the real window's to report.
  glfwSetErrorCallback(nullptr);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  apply_context_hints();
  GLFWwindow* probe = glfwCreateWindow(1, 1, "", nullptr, nullptr);
  if (probe != nullptr) {
    glfwMakeContextCurrent(probe);
    load_gl_entry_points();
    path = render_path_for(current_renderer());
    glfwMakeContextCurrent(nullptr);
    glfwDestroyWindow(probe);
  }
  glfwDefaultWindowHints();
  glfwSetErrorCallback(show_glfw_error);
  return probe != nullptr;
}
