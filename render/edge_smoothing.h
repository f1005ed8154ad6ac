// Edge smoothing for single-sampled drawing: the scene goes into an offscreen
// colour texture and depth buffer that hold the part of the window around the
// cube, and one pass over the cube's outline blends each pixel along the edge
// it sits on (fast approximate anti-aliasing: nine texture reads per pixel)
// into the window. It takes the place of multisampling where a software
// rasteriser would spend more on the samples than on the whole scene.
#pragma once

#include "render/screen_box.h"

// Builds the pass's program; false (and nothing kept) where GL cannot run it,
// for instance below GLSL 1.30. Start-up only; a second call keeps the first's.
bool start_edge_smoothing();
// Draws the scene offscreen from here on: the part of a width x height window
// that the pass will read (window pixels), into a target of at least that size
// that lies inside the window, over the part. Returns where the target lies in
// the window, which the viewport must be shifted by (begin_frame's origin), or
// an empty box when the target cannot be made. The target is made again only
// when it must grow, or when the window shrinks below it.
ScreenBox begin_smoothed_scene(int width, int height, const ScreenBox& reads);
// Smooths the offscreen scene into the window's framebuffer inside the cube's
// outline, clipped to its box; the rest of the window gets the clear colour in
// force, which must be the scene's.
void smooth_edges_to_window(const ScreenBox& cube, const ScreenOutline& outline);
// How far the pass reads around a pixel, in pixels: it reads the cube's box
// widened by this once more.
inline constexpr int edge_smoothing_reach = 6;
// A pixel is inside a polygon by its centre: the outline the pass runs over is
// pushed out one pixel more than the reach.
inline constexpr float edge_smoothing_outline_margin = edge_smoothing_reach + 1.0f;
void release_edge_smoothing();
