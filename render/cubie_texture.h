// The cubie texture: an atlas of the six sticker colours, its eight mipmap
// levels stored as separate bitmaps and uploaded one by one.
#pragma once

#include <cstdint>

#include "render/render_path.h"

inline constexpr int cubie_texture_levels = 8;
inline constexpr int cubie_texture_size = 128;  // level 0

// Bitmap resource of the level-(7 - k) image, which is 2^k pixels square.
extern const std::uint16_t cubie_texture_resources[cubie_texture_levels];

extern std::uint32_t cubie_texture;

// Creates, fills and filters the texture and leaves it bound to unit 0, where
// the fragment shader's sampler reads it.
void load_cubie_texture(RenderPath path);

// Mesa's software rasterisers stall on anisotropic filtering at some poses of
// the cube (single frames of 10 to 45 seconds at 320 x 240, even at a ratio of
// 2), which leaves the saver deaf to keys for that long; there (and on the
// classic swrast) the texture keeps plain trilinear filtering. Any other renderer
// (or an unknown one) gets it.
bool anisotropy_usable(RenderPath path);

// Fills out (width * height * 4 floats) with the bitmap's pixels as red, green,
// blue in 0..1 and alpha 1.0. With bottom_first, output row i is image row
// height - 1 - i (rows counted from the top); otherwise image row i. Pixels the
// bitmap does not have (a missing or unreadable resource, or a size larger than
// the bitmap's) come out black.
void load_bitmap_rgba(float* out, std::uint16_t id, int width, int height, bool bottom_first);
