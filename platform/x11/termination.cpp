// The host stops a saver with SIGTERM (or SIGINT, SIGHUP); the frame loop sees the
// request after the frame in progress and shuts down in order.
#include <csignal>
#include <initializer_list>

#include "platform/platform.h"

namespace {

volatile std::sig_atomic_t requested = 0;

void note_request(int) { requested = 1; }

}  // namespace

void install_termination_handlers() {
  struct sigaction action = {};
  action.sa_handler = note_request;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal_number, &action, nullptr);
}

bool termination_requested() { return requested != 0; }
