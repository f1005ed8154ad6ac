// The built-in window icon: 64 x 64 pixels of 8-bit RGBA, rows top to bottom.
#pragma once

inline constexpr int window_icon_size = 64;
extern const unsigned char window_icon_pixels[window_icon_size * window_icon_size * 4];
