// A Windows host ends a saver through its window (a key, a click, a close) or by
// ending the process; there is no request to notice between frames.
#include "platform/platform.h"

void install_termination_handlers() {}

bool termination_requested() { return false; }
