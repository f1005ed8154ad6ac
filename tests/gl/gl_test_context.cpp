#include "tests/gl/gl_test_context.h"

#include <cstdio>

namespace {
void print_glfw_error(int code, const char* description) {
  std::fprintf(stderr, "GLFW error %d: %s\n", code, description);
}
}  // namespace

GLFWwindow* open_test_context() {
  glfwSetErrorCallback(print_glfw_error);
  if (!glfwInit()) {
    return nullptr;
  }
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 1);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
  glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
  glfwWindowHint(GLFW_SAMPLES, 4);
  glfwWindowHint(GLFW_STEREO, GLFW_FALSE);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  GLFWwindow* window = glfwCreateWindow(64, 64, "gl test", nullptr, nullptr);
  if (window == nullptr) {
    glfwTerminate();
    return nullptr;
  }
  glfwMakeContextCurrent(window);
  return window;
}

void close_test_context(GLFWwindow* window) {
  if (window != nullptr) {
    glfwDestroyWindow(window);
  }
  glfwTerminate();
}
