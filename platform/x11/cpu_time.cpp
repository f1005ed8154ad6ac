#include <time.h>

#include "platform/platform.h"

double process_cpu_seconds() {
  timespec now = {};
  if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now) != 0) return 0.0;
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
