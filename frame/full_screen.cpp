#include "frame/full_screen.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstdlib>

#include "common/scene.h"
#include "platform/platform.h"

namespace {

// The loop sees the close flag after this frame's events and shuts down in order.
void end_when_unfocused(GLFWwindow* window, int focused) {
  if (focused == GLFW_FALSE) glfwSetWindowShouldClose(window, GLFW_TRUE);
}

void end_when_iconified(GLFWwindow* window, int iconified) {
  if (iconified == GLFW_TRUE) glfwSetWindowShouldClose(window, GLFW_TRUE);
}

// A key or button on a cover ends the run as one on the window does.
void end_on_cover_input() { std::exit(0); }

}  // namespace

FullScreenHints full_screen_hints(const GLFWvidmode* current) {
  if (current == nullptr) return {8, 8, 8, GLFW_DONT_CARE};
  return {current->redBits, current->greenBits, current->blueBits, current->refreshRate};
}

void ask_for_current_mode(GLFWmonitor* monitor) {
  const FullScreenHints hints = full_screen_hints(monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr);
  glfwWindowHint(GLFW_RED_BITS, hints.red_bits);
  glfwWindowHint(GLFW_GREEN_BITS, hints.green_bits);
  glfwWindowHint(GLFW_BLUE_BITS, hints.blue_bits);
  glfwWindowHint(GLFW_REFRESH_RATE, hints.refresh_rate);
}

void watch_full_screen_window(GLFWwindow* window) {
  glfwSetWindowFocusCallback(window, end_when_unfocused);
  glfwSetWindowIconifyCallback(window, end_when_iconified);
  // An error box shown while the window was made can have taken the focus
  // already, and the library then iconified the window before anyone watched.
  if (glfwGetWindowAttrib(window, GLFW_ICONIFIED) == GLFW_TRUE) glfwSetWindowShouldClose(window, GLFW_TRUE);
  cover_other_monitors(ground_red, ground_green, ground_blue, end_on_cover_input);
}

void end_full_screen_run() { uncover_other_monitors(); }
