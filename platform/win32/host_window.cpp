// Drawing into a host's preview window. Windows does not let one process take
// over another's window procedure, so the frame's window is a library window of
// its own made a child of the host, filling its client area. The host window
// itself is never moved, resized, retitled or destroyed here.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

#include <algorithm>

#include "platform/platform.h"
#include "platform/win32/hwnd.h"

namespace {

ClientSize client_size(HWND window) {
  RECT area = {};
  if (window == nullptr || !IsWindow(window) || !GetClientRect(window, &area)) return {false, 0, 0};
  return {true, area.right - area.left, area.bottom - area.top};
}

}  // namespace

// Windows keep existing while a client draws into them; a vanished host shows as
// a failed call, which every step here tolerates.
void hold_host() {}
void release_host() {}

ClientSize host_client_size(NativeWindow host) { return client_size(as_hwnd(host)); }

bool host_window_enabled(NativeWindow host) {
  const HWND window = as_hwnd(host);
  return window != nullptr && IsWindow(window) && IsWindowEnabled(window);
}

GLFWwindow* adopt_host_window(NativeWindow host, GLFWwindow* share) {
  const HWND parent = as_hwnd(host);
  const ClientSize size = client_size(parent);
  if (!size.ok) return nullptr;

  glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_FALSE);
  GLFWwindow* window = glfwCreateWindow(std::max(size.width, 1), std::max(size.height, 1), "", nullptr, share);
  glfwDefaultWindowHints();
  if (window == nullptr) return nullptr;

  const HWND child = glfwGetWin32Window(window);
  const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  SetWindowLongPtrA(child, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
  if (SetParent(child, parent) == nullptr) {
    glfwDestroyWindow(window);
    return nullptr;
  }
  SetWindowPos(child, HWND_TOP, 0, 0, std::max(size.width, 1), std::max(size.height, 1),
               SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  return window;
}

void release_host_window(GLFWwindow* window) {
  if (window == nullptr) return;
  // Out of the host before the library destroys it, so that the host's window
  // never sees one of its children vanish under it.
  const HWND child = glfwGetWin32Window(window);
  ShowWindow(child, SW_HIDE);
  SetParent(child, nullptr);
}

bool begin_host_frame(GLFWwindow* window, NativeWindow host) {
  const ClientSize size = host_client_size(host);
  if (!size.ok) return false;
  int width = 0;
  int height = 0;
  glfwGetWindowSize(window, &width, &height);
  if (size.width > 0 && size.height > 0 && (size.width != width || size.height != height)) {
    glfwSetWindowSize(window, size.width, size.height);
  }
  return true;
}

void end_host_frame() {}
