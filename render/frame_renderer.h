// Puts the puzzle on the screen: fixed GL state once, the surface cubies every
// frame, and the GL objects released at the end.
#pragma once

void setup_gl_state();
void draw_frame();
void release_gl_objects();
