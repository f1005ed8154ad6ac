// The scan of the screensaver host's command line.
#pragma once

#include <cstdint>

#include "common/run_mode.h"

struct CommandLine {
  RunMode mode;
  std::int32_t handle;
};

// Pure: the mode of the last recognised switch (/p, /s, /c) and the decimal handle
// after it; force_configure overrides the mode.
CommandLine parse_command_line(const char* command_line, bool force_configure);

// The handle number as a native window handle: a 32-bit signed number, as the host
// wrote it, reinterpreted as an unsigned window id.
NativeWindow handle_to_window(std::int32_t handle);
