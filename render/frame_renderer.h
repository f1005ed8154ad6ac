// Puts the puzzle on the screen: fixed GL state once, the surface cubies every
// frame, and the GL objects released at the end.
#pragma once

void setup_gl_state();
void draw_frame();
// draw_frame over the first count surface slots only; the benchmarks measure
// the cost per draw with it.
void draw_first_cubies(int count);
void release_gl_objects();
