// Puts the puzzle on the screen: fixed GL state once, the surface cubies every
// frame, and the GL objects released at the end.
#pragma once

#include "render/render_path.h"

// Reads the renderer's name and sets the state of its path (set_gl_state).
void setup_gl_state();
// The fixed state of that path; the tests and the benchmarks choose one.
void set_gl_state(RenderPath path);
void draw_frame();
// draw_frame over the first count surface slots only; the benchmarks measure
// the cost per draw with it.
void draw_first_cubies(int count);
void release_gl_objects();

// The path set_gl_state chose, and whether the edge-smoothing pass is in use.
extern RenderPath render_path;
extern bool edge_smoothing;
// The software path draws the nearest cubies first; the benchmarks clear this
// to measure what that saves.
extern bool draw_nearest_first;
// The edge pass runs over the cube's box only; set, over the whole window.
extern bool draw_whole_window;
