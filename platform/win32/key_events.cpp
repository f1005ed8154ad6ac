// The windowing library drops the release of a key it never saw pressed, so the
// frame also asks whether any key message waits for the window.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

#include "platform/platform.h"

bool key_event_pending(GLFWwindow* window) {
  if (window == nullptr) return false;
  MSG message;
  return PeekMessageA(&message, glfwGetWin32Window(window), WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE) != 0;
}
