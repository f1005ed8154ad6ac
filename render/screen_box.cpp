#include "render/screen_box.h"

#include <algorithm>
#include <cmath>

#include "common/scene.h"

namespace {

// A cubie is just under 5 units across after its half scale, so a cube of
// half-size 4.5 around its centre holds it in any orientation.
constexpr float cubie_half_size = 4.5f;
constexpr float nearest_w = 1.0f;
// The cubie model's own half-size (just under 5 before the half scale its
// matrix applies), rounded up.
constexpr float model_half_size = 5.0f;

struct Directions {
  float x[outline_corner_count], y[outline_corner_count];
};

Directions make_directions() {
  Directions d = {};
  for (int i = 0; i < outline_corner_count; ++i) {
    const double angle = 6.283185307179586 * i / outline_corner_count;
    d.x[i] = static_cast<float>(std::cos(angle));
    d.y[i] = static_cast<float>(std::sin(angle));
  }
  return d;
}

const Directions directions = make_directions();

}  // namespace

ScreenBox cube_screen_box(int width, int height, int margin) {
  const ScreenBox whole = {0, 0, std::max(width, 0), std::max(height, 0)};
  float lo_x = 1e30f, lo_y = 1e30f, hi_x = -1e30f, hi_y = -1e30f;
  for (int i = 0; i < surface_slot_count; ++i) {
    const vec4& centre =
        scene.cubie_mv[scene.surface_slots.x[i]][scene.surface_slots.y[i]][scene.surface_slots.z[i]][3];
    for (int corner = 0; corner < 8; ++corner) {
      const vec4 p(centre[0] + ((corner & 1) ? cubie_half_size : -cubie_half_size),
                   centre[1] + ((corner & 2) ? cubie_half_size : -cubie_half_size),
                   centre[2] + ((corner & 4) ? cubie_half_size : -cubie_half_size), 1.0f);
      // Column-major: clip = projection * p, column by column.
      float clip[4] = {};
      for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) clip[r] += scene.projection[c][r] * p[c];
      if (!(clip[3] > nearest_w)) return whole;
      lo_x = std::min(lo_x, clip[0] / clip[3]);
      hi_x = std::max(hi_x, clip[0] / clip[3]);
      lo_y = std::min(lo_y, clip[1] / clip[3]);
      hi_y = std::max(hi_y, clip[1] / clip[3]);
    }
  }
  if (!std::isfinite(lo_x) || !std::isfinite(hi_x) || !std::isfinite(lo_y) || !std::isfinite(hi_y)) return whole;
  auto pixel = [](float ndc, int size) { return (ndc + 1.0f) * 0.5f * static_cast<float>(size); };
  const float x0 = std::floor(pixel(lo_x, width)) - static_cast<float>(margin);
  const float x1 = std::ceil(pixel(hi_x, width)) + static_cast<float>(margin);
  const float y0 = std::floor(pixel(lo_y, height)) - static_cast<float>(margin);
  const float y1 = std::ceil(pixel(hi_y, height)) + static_cast<float>(margin);
  const auto clip_to = [](float v, int size) { return static_cast<int>(std::clamp(v, 0.0f, static_cast<float>(size))); };
  ScreenBox box;
  box.x = clip_to(x0, width);
  box.y = clip_to(y0, height);
  box.width = clip_to(x1, width) - box.x;
  box.height = clip_to(y1, height) - box.y;
  return box;
}

ScreenBox widened(const ScreenBox& box, int margin, int width, int height) {
  if (box.width <= 0 || box.height <= 0) return box;
  const int x0 = std::max(box.x - margin, 0), y0 = std::max(box.y - margin, 0);
  const int x1 = std::min(box.x + box.width + margin, width), y1 = std::min(box.y + box.height + margin, height);
  return {x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
}

ScreenOutline cube_screen_outline(int window_width, int window_height, float margin) {
  ScreenOutline outline = {};
  const float width = static_cast<float>(window_width), height = static_cast<float>(window_height);
  float reach[outline_corner_count];
  for (float& r : reach) r = -1e30f;
  for (int i = 0; i < surface_slot_count; ++i) {
    const mat4& mv = scene.cubie_mv[scene.surface_slots.x[i]][scene.surface_slots.y[i]][scene.surface_slots.z[i]];
    // The corners of the box the cubie model fills, in clip space: projection * mv * corner.
    const mat4 to_clip = scene.projection * mv;
    for (int corner = 0; corner < 8; ++corner) {
      const float p[3] = {(corner & 1) ? model_half_size : -model_half_size,
                          (corner & 2) ? model_half_size : -model_half_size,
                          (corner & 4) ? model_half_size : -model_half_size};
      float clip[4];
      for (int r = 0; r < 4; ++r) clip[r] = to_clip[0][r] * p[0] + to_clip[1][r] * p[1] + to_clip[2][r] * p[2] + to_clip[3][r];
      if (!(clip[3] > nearest_w)) {
        outline.whole = true;
        return outline;
      }
      const float x = (clip[0] / clip[3] + 1.0f) * 0.5f * width;
      const float y = (clip[1] / clip[3] + 1.0f) * 0.5f * height;
      for (int d = 0; d < outline_corner_count; ++d) reach[d] = std::max(reach[d], x * directions.x[d] + y * directions.y[d]);
    }
  }
  for (int d = 0; d < outline_corner_count; ++d) {
    if (!std::isfinite(reach[d])) {
      outline.whole = true;
      return outline;
    }
  }
  // Each corner is where the bounding lines of two neighbouring directions meet.
  for (int d = 0; d < outline_corner_count; ++d) {
    const int e = (d + 1) % outline_corner_count;
    const float a1 = directions.x[d], b1 = directions.y[d], c1 = reach[d] + margin;
    const float a2 = directions.x[e], b2 = directions.y[e], c2 = reach[e] + margin;
    const float det = a1 * b2 - a2 * b1;
    outline.x[d] = (c1 * b2 - c2 * b1) / det;
    outline.y[d] = (a1 * c2 - a2 * c1) / det;
  }
  outline.count = outline_corner_count;
  return outline;
}

namespace {

// Whole 64-pixel tiles, with two pixels to spare for placing the target on an
// even pixel; and as odd as the window, so that at the window's far edge it
// starts on an even pixel too.
int grown_side(int current, int part, int window) {
  constexpr int tile = 64;
  if (current > window || current % 2 != window % 2) current = 0;
  if (part + 2 <= current) return current;
  const int side = (part + 2 + tile - 1) / tile * tile + window % 2;
  return std::min(side, window);
}

// A software rasteriser finds texture detail per 2x2 block of pixels: started
// on an even pixel, the target's blocks are the window's.
int placed_start(int target, int part_start, int window) {
  return std::max(std::min(part_start, window - target), 0) / 2 * 2;
}

}  // namespace

TargetSize grown_target_size(TargetSize current, const ScreenBox& part, int width, int height) {
  return {grown_side(current.width, part.width, width), grown_side(current.height, part.height, height)};
}

ScreenBox place_target(TargetSize target, const ScreenBox& part, int width, int height) {
  return {placed_start(target.width, part.x, width), placed_start(target.height, part.y, height), target.width,
          target.height};
}
