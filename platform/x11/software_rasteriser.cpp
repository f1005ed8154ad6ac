#include <stdlib.h>

#include "platform/platform.h"

void keep_software_rasteriser_on_calling_thread() {
  // 0: no worker threads at all; the calling thread rasterises.
  setenv("LP_NUM_THREADS", "0", 0);
}
