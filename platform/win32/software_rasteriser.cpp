#include <windows.h>

#include "platform/platform.h"

void keep_software_rasteriser_on_calling_thread() {
  // A Mesa opengl32.dll reads the process environment when it is loaded, which
  // happens when the windowing library starts, after this. (Under Wine the
  // host's Mesa reads the Unix environment instead and keeps its threads.)
  if (GetEnvironmentVariableA("LP_NUM_THREADS", nullptr, 0) == 0) SetEnvironmentVariableA("LP_NUM_THREADS", "0");
}
