// The part of the window the cube can cover in this frame: the rectangle
// around every surface cubie's projected bounds, from cubie_mv and projection.
#pragma once

struct ScreenBox {
  int x, y, width, height;  // window pixels, origin bottom left; may be empty
};

// Widened by margin pixels on every side and clipped to the window. The whole
// window when a cubie comes near the eye plane, where its projection is unbounded.
ScreenBox cube_screen_box(int width, int height, int margin);
// The box widened by margin pixels on every side, clipped to the window.
ScreenBox widened(const ScreenBox& box, int margin, int width, int height);

// The cube's outline on screen, tighter than its box: the polygon that sixteen
// lines make, each bounding every cubie's projection from one direction (every
// 22.5 degrees), pushed out by margin pixels. A pass drawn over it instead of
// the box leaves out the corners of the box that the cube never reaches.
inline constexpr int outline_corner_count = 16;
struct ScreenOutline {
  bool whole;   // a cubie comes near the eye plane: the whole window
  int count;    // corners, outline_corner_count or 0
  float x[outline_corner_count], y[outline_corner_count];  // window pixels, counter-clockwise
};
ScreenOutline cube_screen_outline(int width, int height, float margin);

// An offscreen copy of part of the window: its size, which only grows (to the
// largest part asked for, rounded up to whole 64-pixel tiles, never past the
// window) so that it is not made again as the cube moves, and where it lies in
// the window: over the part, wholly inside the window, from an even pixel.
struct TargetSize {
  int width, height;
};
TargetSize grown_target_size(TargetSize current, const ScreenBox& part, int width, int height);
ScreenBox place_target(TargetSize target, const ScreenBox& part, int width, int height);
