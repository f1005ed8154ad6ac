// XScreenSaver's way of starting a hack: "-root" draws on the window named in
// XSCREENSAVER_WINDOW (or the root window), "-window-id ID" on that window.
#pragma once

#include "platform/platform.h"

struct HostArguments {
  bool present;      // -root or -window-id was given
  bool root_window;  // draw on the display's root window
  NativeWindow window;  // otherwise this window; 0 when the id was not a window id
};

// Pure: scans argv (one or two leading dashes); -window-id wins over -root.
HostArguments parse_host_arguments(int argc, const char* const* argv, const char* window_variable);

// A window id in hex with "0x" or in decimal, the whole text; 0 when it is not one.
NativeWindow parse_window_id(const char* text);
