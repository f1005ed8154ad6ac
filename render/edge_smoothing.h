// Edge smoothing for single-sampled drawing: the scene goes into an offscreen
// colour texture and depth buffer of the window's size, and one full-screen pass
// blends each pixel along the edge it sits on (fast approximate anti-aliasing:
// nine texture reads per pixel) into the window. It takes the place of
// multisampling where a software rasteriser would spend more on the samples
// than on the whole scene.
#pragma once

#include "render/screen_box.h"

// Builds the pass's program; false (and nothing kept) where GL cannot run it,
// for instance below GLSL 1.30. Start-up only; a second call keeps the first's.
bool start_edge_smoothing();
// Draws the scene offscreen from here on, at width x height. The target is made
// again only when the size changes; false when it cannot be made.
bool begin_smoothed_scene(int width, int height);
// Smooths the offscreen scene into the window's framebuffer inside the cube's
// outline, clipped to its box; the rest of the window gets the clear colour in
// force, which must be the scene's.
void smooth_edges_to_window(const ScreenBox& cube, const ScreenOutline& outline);
// How far the pass reads around a pixel, in pixels.
inline constexpr int edge_smoothing_reach = 6;
// A pixel is inside a polygon by its centre: the outline the pass runs over is
// pushed out one pixel more than the reach.
inline constexpr float edge_smoothing_outline_margin = edge_smoothing_reach + 1.0f;
void release_edge_smoothing();
