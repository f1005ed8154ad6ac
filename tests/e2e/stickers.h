// The cube's pixels in a screenshot, as the end-to-end tests read them: lit
// cubie pixels and the sticker colour each one shows.
#pragma once

#include <algorithm>
#include <cmath>

#include "tests/e2e/harness.h"

namespace e2e {

// Every lit cubie pixel has at least the ambient tenth in each channel; the
// background has none in red and blue.
inline bool is_cube(Rgb p) { return p.r >= 20 && p.b >= 20; }

enum Sticker { Red, Orange, Yellow, Green, Blue, White, sticker_count };
inline const char* const sticker_names[sticker_count] = {"red", "orange", "yellow", "green", "blue", "white"};

// The sticker a lit pixel shows, by hue; -1 for the grey borders, edges and background.
inline int sticker_of(Rgb p) {
  if (!is_cube(p)) return -1;
  const float r = p.r / 255.0f, g = p.g / 255.0f, b = p.b / 255.0f;
  const float high = std::max({r, g, b}), low = std::min({r, g, b});
  const float saturation = high > 0.0f ? (high - low) / high : 0.0f;
  if (saturation < 0.15f) return high > 0.5f ? White : -1;
  if (saturation < 0.35f || high < 0.3f) return -1;
  float hue = 0.0f;
  const float d = high - low;
  if (high == r)
    hue = 60.0f * std::fmod((g - b) / d + 6.0f, 6.0f);
  else if (high == g)
    hue = 60.0f * ((b - r) / d + 2.0f);
  else
    hue = 60.0f * ((r - g) / d + 4.0f);
  if (hue < 12.0f || hue > 340.0f) return Red;
  if (hue < 40.0f) return Orange;
  if (hue >= 45.0f && hue < 70.0f) return Yellow;
  if (hue >= 100.0f && hue < 170.0f) return Green;
  if (hue >= 210.0f && hue < 260.0f) return Blue;
  return -1;
}

}  // namespace e2e
