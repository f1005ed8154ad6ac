#include "common/run_mode.h"

RunMode run_mode = Default;
NativeWindow host_window = 0;
