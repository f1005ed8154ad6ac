#include "platform/win32/os_version.h"

#include "platform/platform.h"

int os_version_number() { return os_version_from(GetVersion()); }

// From Windows 6.0 on the full-screen window takes the primary monitor's mode.
bool full_screen_uses_monitor_mode() { return os_version_number() >= 60; }
