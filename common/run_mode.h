// The run mode chosen once from the command line, before anything else runs.
#pragma once

#include <cstdint>

#include "platform/platform.h"

enum RunMode : std::int32_t {
  Preview = 0,    // draw inside the host's preview window; guarded
  Saver = 1,      // full screen; not guarded
  Configure = 2,  // the About window; not guarded
  Default = 3,    // no recognised switch: as Saver, but guarded
};

extern RunMode run_mode;
extern NativeWindow host_window;
