// The refresh rate of the display the frame is shown on.
#pragma once

// Hertz of the primary monitor's current video mode; 0 when the library cannot
// say (no monitor, or a server that reports no rate, as a virtual one does).
int primary_refresh_rate();
