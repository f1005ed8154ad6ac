// Placeholder renderer until the cubie renderer lands: the frame shows the
// background colour only.
#include "render/frame_renderer.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "frame/app_info.h"
#include "frame/run_frame.h"

namespace {

using ClearColorFn = void (*)(float, float, float, float);
using ClearFn = void (*)(unsigned);
using ViewportFn = void (*)(int, int, int, int);
ClearColorFn clear_color = nullptr;
ClearFn clear = nullptr;
ViewportFn viewport = nullptr;

}  // namespace

void setup_gl_state() {
  clear_color = reinterpret_cast<ClearColorFn>(glfwGetProcAddress("glClearColor"));
  clear = reinterpret_cast<ClearFn>(glfwGetProcAddress("glClear"));
  viewport = reinterpret_cast<ViewportFn>(glfwGetProcAddress("glViewport"));
  glfwSwapInterval(app_info.vsync ? 1 : 0);
  if (!app_info.show_cursor) glfwSetInputMode(main_window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void draw_frame() {
  viewport(0, 0, app_info.width, app_info.height);
  clear_color(0.0f, 0.15f, 0.0f, 1.0f);
  clear(0x00004000 | 0x00000100);  // colour and depth
}

void release_gl_objects() {}
