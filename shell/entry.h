// The system's side of the program entry. Each platform's entry point (main on
// X11, WinMain on Windows) does what only that platform needs first, then hands
// over here.
#pragma once

#include "platform/platform.h"

// A host that names the window to draw on outside the switches and manages the
// saver's life itself (on X11, XScreenSaver with -root or -window-id). Such a
// run draws into that window as a preview does, without the guard.
struct EmbeddingHost {
  bool present;
  NativeWindow window;  // 0 when the host named no usable window
};

// Reads the host's command line once, picks the run mode, applies the guard and
// runs the About window or the frame. The result is the process's exit code, 0.
int screensaver_main(const char* command_line, int show_command, EmbeddingHost embedding);
