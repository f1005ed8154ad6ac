#include "frame/callbacks.h"

#include <cstdlib>

#include "common/app_info.h"
#include "platform/platform.h"

void show_glfw_error(int, const char* description) {
  show_message_box(description, "Error", BoxIcon::Information);
}

void window_size_changed(GLFWwindow*, int width, int height) {
  app_info.width = width;
  app_info.height = height;
}

void quit_on_input(GLFWwindow*, int, int, int, int) { std::exit(0); }

void quit_on_input(GLFWwindow*, int, int, int) { std::exit(0); }

void ignore_pointer(GLFWwindow*, double, double) {}
