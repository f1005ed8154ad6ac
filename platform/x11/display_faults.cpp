#include "platform/x11/display_faults.h"

#include <poll.h>
#include <unistd.h>

#include "platform/platform.h"

namespace {

unsigned long error_count = 0;  // written only by the handler, on this thread

int record_error(Display*, XErrorEvent*) {
  ++error_count;
  return 0;
}

// The server went away (the host's X session ended): nothing more can be drawn or
// cleaned up on it, and the exit code of a saver is always 0.
int end_on_lost_display(Display*) { _exit(0); }

}  // namespace

void install_display_fault_handlers() {
  XSetErrorHandler(record_error);
  XSetIOErrorHandler(end_on_lost_display);
}

unsigned long x_error_count() { return error_count; }

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  start_ = error_count;
}

bool XErrorTrap::failed() {
  XSync(display_, False);
  return error_count != start_;
}

bool wait_for_event(Display* display) {
  for (;;) {
    if (XPending(display) > 0) return true;
    if (termination_requested()) return false;
    // A signal interrupts the wait at once; the time-out only bounds a missed one.
    pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 200);
  }
}
