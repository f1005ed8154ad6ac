// Shared by the X11 platform files: the recorded protocol errors and the display
// the frame holds.
#pragma once

#include <X11/Xlib.h>

// Protocol errors (a vanished host window, a bogus id) are recorded, never fatal;
// losing the display server ends the process with exit code 0.
void install_display_fault_handlers();

// Number of protocol errors seen so far on any connection; never fatal.
unsigned long x_error_count();

// Runs a request sequence and reports whether it raised a protocol error.
class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display);
  bool failed();  // syncs, then compares the error count

 private:
  Display* display_;
  unsigned long start_;
};

// Blocks until an event is queued (true) or the host asked the process to end
// (false): windows that wait for the user must still obey SIGTERM.
bool wait_for_event(Display* display);

// The windowing library's display, or null before it is up.
Display* frame_display();

// The root window of the default display; 0 when there is no display.
Window default_root_window();

