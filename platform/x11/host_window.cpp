// Drawing into a host's window. The windowing library cannot adopt a foreign
// window, so the frame's window is a borderless library window reparented into
// the host at (0, 0) and kept at the host's size. The host window itself is never
// created, moved, resized, retitled or destroyed here.
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

#include <algorithm>

#include "platform/platform.h"
#include "platform/x11/display_faults.h"

namespace {

Display* held_display = nullptr;  // the display held for this client, if any

struct HostState {
  bool alive;
  bool viewable;
  int width;
  int height;
};

HostState query_host(Display* display, NativeWindow host) {
  XWindowAttributes attributes = {};
  XErrorTrap trap(display);
  const Status status = XGetWindowAttributes(display, static_cast<Window>(host), &attributes);
  if (trap.failed() || status == 0) return {false, false, 0, 0};
  return {true, attributes.map_state == IsViewable, attributes.width, attributes.height};
}

}  // namespace

Display* frame_display() { return glfwGetX11Display(); }

void hold_host() {
  if (held_display != nullptr) return;
  Display* display = frame_display();
  if (display == nullptr) return;
  XGrabServer(display);
  held_display = display;
}

void release_host() {
  // Called from message boxes too, so it must not go through the library, which
  // may be reporting the error that the box shows.
  if (held_display == nullptr) return;
  XUngrabServer(held_display);
  XFlush(held_display);
  held_display = nullptr;
}

Window default_root_window() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 0;
  const Window root = DefaultRootWindow(display);
  XCloseDisplay(display);
  return root;
}

ClientSize host_client_size(NativeWindow host) {
  Display* display = frame_display();
  if (display == nullptr || host == 0) return {false, 0, 0};
  const HostState state = query_host(display, host);
  return {state.alive, state.width, state.height};
}

bool host_window_enabled(NativeWindow host) {
  Display* display = frame_display();
  if (display == nullptr || host == 0) return false;
  const HostState state = query_host(display, host);
  return state.alive && state.viewable;
}

GLFWwindow* adopt_host_window(NativeWindow host, GLFWwindow* share) {
  Display* display = frame_display();  // reports the library's not-initialised error
  if (display == nullptr || host == 0) return nullptr;
  const HostState state = query_host(display, host);
  if (!state.alive) return nullptr;

  glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_FALSE);
  GLFWwindow* window = glfwCreateWindow(std::max(state.width, 1), std::max(state.height, 1), "",
                                        nullptr, share);
  glfwDefaultWindowHints();
  if (window == nullptr) return nullptr;

  const Window child = glfwGetX11Window(window);
  XErrorTrap trap(display);
  XReparentWindow(display, child, static_cast<Window>(host), 0, 0);
  XMapWindow(display, child);
  if (trap.failed()) {
    glfwDestroyWindow(window);
    return nullptr;
  }
  return window;
}

void release_host_window(GLFWwindow* window) {
  Display* display = frame_display();
  if (display == nullptr || window == nullptr) return;
  // If the host is gone our window went with it; the requests then fail harmlessly.
  const Window child = glfwGetX11Window(window);
  XErrorTrap trap(display);
  XUnmapWindow(display, child);
  XReparentWindow(display, child, DefaultRootWindow(display), 0, 0);
  trap.failed();
}

bool begin_host_frame(GLFWwindow* window, NativeWindow host) {
  Display* display = frame_display();
  if (display == nullptr) return false;
  hold_host();
  const HostState state = query_host(display, host);
  if (!state.alive) {
    release_host();
    return false;
  }
  int width = 0;
  int height = 0;
  glfwGetWindowSize(window, &width, &height);
  if (state.width > 0 && state.height > 0 && (state.width != width || state.height != height)) {
    glfwSetWindowSize(window, state.width, state.height);
  }
  return true;
}

void end_host_frame() { release_host(); }
