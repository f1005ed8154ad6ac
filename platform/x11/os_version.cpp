#include "platform/platform.h"

// On X11 the primary monitor's current mode is always reported (through RandR, or
// the screen size without it), as Windows does from version 6.0 on.
int os_version_number() { return 60; }
