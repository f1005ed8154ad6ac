// The window's title and size, settled before the window is made.
#pragma once

#include "common/run_mode.h"
#include "platform/platform.h"

struct WindowConfigInput {
  RunMode mode;
  ClientSize host;         // the host window's client area (Preview only)
  bool fullscreen;
  bool monitor_mode_size;  // see full_screen_uses_monitor_mode()
  bool have_video_mode;    // the primary monitor's current mode could be read
  int video_width;
  int video_height;
};

struct WindowSize {
  int width;
  int height;
};

// Pure: the preview takes the host's client area (0 x 0 when the host is no
// window, which the adoption then refuses); full screen takes the monitor's mode
// where the system uses it and it could be read; everything else 800 x 600.
WindowSize choose_window_size(const WindowConfigInput& input);

// Fills the title, width and height of app_info for this run.
void prepare_window_config();
