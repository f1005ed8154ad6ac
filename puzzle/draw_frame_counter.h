// A stand-in for the frame renderer that only counts draws, so the simulation
// runs in tests and tools without a window or GL.
#pragma once

extern long draw_frame_count;
