// A real GL context for tests: a hidden 64x64 window created with the program's
// own context hints (version 1.0, lose-context-on-reset robustness, 4 samples).
#pragma once

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

// Initialises GLFW, creates the window and makes its context current; null on failure.
GLFWwindow* open_test_context();
// Destroys the window and terminates GLFW.
void close_test_context(GLFWwindow* window);
