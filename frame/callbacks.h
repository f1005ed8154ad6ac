// The windowing library's callbacks registered by the frame.
#pragma once

struct GLFWwindow;

void show_glfw_error(int error_code, const char* description);
void window_size_changed(GLFWwindow* window, int width, int height);
// Any key or mouse-button event ends the saver at once.
void quit_on_input(GLFWwindow* window, int key, int scancode, int action, int mods);
void quit_on_input(GLFWwindow* window, int button, int action, int mods);
// Pointer motion and the wheel never end it.
void ignore_pointer(GLFWwindow* window, double x, double y);
