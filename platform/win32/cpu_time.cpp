#include <windows.h>

#include "platform/platform.h"

namespace {

double seconds_of(const FILETIME& time) {
  ULARGE_INTEGER ticks;  // 100-nanosecond units
  ticks.LowPart = time.dwLowDateTime;
  ticks.HighPart = time.dwHighDateTime;
  return static_cast<double>(ticks.QuadPart) * 1e-7;
}

}  // namespace

double process_cpu_seconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0.0;
  return seconds_of(kernel) + seconds_of(user);
}
