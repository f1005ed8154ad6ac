// The part of the window the cube can cover in this frame: the rectangle
// around every surface cubie's projected bounds, from cubie_mv and projection.
#pragma once

struct ScreenBox {
  int x, y, width, height;  // window pixels, origin bottom left; may be empty
};

// Widened by margin pixels on every side and clipped to the window. The whole
// window when a cubie comes near the eye plane, where its projection is unbounded.
ScreenBox cube_screen_box(int width, int height, int margin);
