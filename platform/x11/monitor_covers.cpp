// XScreenSaver starts one hack per monitor and blanks the rest itself, so there
// is nothing to cover here; a full-screen run started by hand keeps to the
// primary monitor, as it always has.
#include "platform/platform.h"

void cover_other_monitors(float, float, float, void (*)()) {}
void uncover_other_monitors() {}
