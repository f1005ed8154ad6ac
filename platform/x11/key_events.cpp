#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

#include "platform/platform.h"

namespace {

// Looks at every queued event and leaves all of them in the queue.
Bool note_key_event(Display*, XEvent* event, XPointer found_for) {
  const Window window = *reinterpret_cast<Window*>(found_for);
  if ((event->type == KeyPress || event->type == KeyRelease) && event->xkey.window == window) {
    *reinterpret_cast<Window*>(found_for) = None;
  }
  return False;
}

}  // namespace

bool key_event_pending(GLFWwindow* window) {
  Display* display = glfwGetX11Display();
  if (display == nullptr || window == nullptr) return false;
  if (XEventsQueued(display, QueuedAfterFlush) == 0) return false;
  Window marker = glfwGetX11Window(window);
  XEvent unused;
  XCheckIfEvent(display, &unused, note_key_event, reinterpret_cast<XPointer>(&marker));
  return marker == None;
}
