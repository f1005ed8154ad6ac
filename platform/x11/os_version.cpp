#include "platform/platform.h"

// On X11 the primary monitor's current mode is always reported (through RandR, or
// the screen size without it).
bool full_screen_uses_monitor_mode() { return true; }
