// Puts the puzzle on the screen: fixed GL state once, the surface cubies every
// frame (draw_frame, declared with the scene it draws), and the GL objects
// released at the end.
#pragma once

#include "common/scene.h"
#include "render/cubie_visibility.h"
#include "render/draw_order.h"
#include "render/render_path.h"

// The fixed state of the path chosen at start-up; the draws follow that path.
void set_gl_state(RenderPath path);
void release_gl_objects();

// The path set_gl_state was given, and whether the edge-smoothing pass is in use.
extern RenderPath render_path;
extern bool edge_smoothing;

// The two pieces of every frame, for tools that compose frames of their own:
// viewport, clear, program and the per-frame uniforms; then one matrix and one
// draw per cubie, for the first count slots of the order. A framebuffer that
// holds only part of the window gives where its first pixel lies in the
// window: the viewport is shifted by it, so every pixel lands where it would
// in the window.
void begin_frame(int origin_x = 0, int origin_y = 0);
void draw_cubies(const DrawOrder& order, int count);
// The software path's draw: each cubie's parts next to the sides it shows (or
// the whole cubie), in order, and then what reaches down from them.
void draw_seen_cubies(const SeenCubies& cubies, int count);
