#include "render/cubie_visibility.h"

#include <cmath>

#include "common/scene.h"

namespace {

constexpr float pitch = 5.0f;
// The cube's faces, and the layer of cubies that carries each.
constexpr float cube_half_size = 17.5f;
constexpr float outer_centre = 15.0f;
// How far a cubie's rounded rim reaches in from its flat side (0.69 in the
// model after its half scale), with some room.
constexpr float rim_depth = 0.75f;
// The straight part of a cubie's side is 3.6 long; the channel where four
// rounded edges meet is at most 1.39 across, so a straight ray passes it only
// within atan(1.39 / 3.6) = 21.1 degrees of its axis.
constexpr float channel_angle = 22.0f * 3.14159265f / 180.0f;
// Two cubies' flat sides lie 0.0044 apart; counted as 0.01 over that length.
constexpr float slot_width = 0.01f;
constexpr float slot_length = 3.6f;
constexpr float seams[] = {-12.5f, -7.5f, -2.5f, 2.5f, 7.5f, 12.5f};
// The cube's bounding sphere.
constexpr float cube_radius = cube_half_size * 1.7320508f;

// R^T v for the cube's rotation (column-major, orthonormal).
vec3 into_cube(const vec3& v) {
  const mat4& r = scene.cube_rotation;
  vec3 out;
  for (int j = 0; j < 3; ++j) out[j] = r[j][0] * v[0] + r[j][1] * v[1] + r[j][2] * v[2];
  return out;
}

bool on_lattice(float coordinate) {
  return std::fabs(coordinate / pitch - std::round(coordinate / pitch)) < 0.02f;
}

// Every outward side of the cubie lies behind the eye's view by more than its rim.
bool outward_sides_hidden(const vec3& eye, const vec3& centre) {
  for (int i = 0; i < 3; ++i)
    if (!on_lattice(centre[i])) return false;
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(centre[i]) < outer_centre - 1.0f) continue;
    const float outward = centre[i] > 0.0f ? eye[i] : -eye[i];
    if (outward > cube_half_size - rim_depth) return false;
  }
  return true;
}

DrawOrder seen;

}  // namespace

vec3 eye_in_cube() {
  const vec4& t = scene.cube_translation[3];
  return into_cube(vec3(-t[0], -t[1], -t[2]));
}

bool core_hidden(const vec3& eye) {
  const float distance = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
  if (!(distance > cube_radius)) return false;
  const float spread = std::asin(cube_radius / distance);
  for (int i = 0; i < 3; ++i) {
    // The ray to the cube's centre against this axis; every ray to the cube
    // is within spread of it.
    const float to_axis = std::acos(std::fmin(std::fabs(eye[i]) / distance, 1.0f));
    if (to_axis - spread <= channel_angle) return false;
    const float near_seam = slot_width * 0.5f + (distance + cube_radius) * slot_width / slot_length;
    for (const float seam : seams)
      if (std::fabs(eye[i] - seam) <= near_seam) return false;
  }
  return true;
}

bool cubie_unseen(const vec3& eye, const vec3& centre) {
  return outward_sides_hidden(eye, centre) && core_hidden(eye);
}

const DrawOrder& seen_cubies(const DrawOrder& order, int count, int& seen_count) {
  seen_count = 0;
  const vec3 eye = eye_in_cube();
  const bool judge = !scene.layer_turning && core_hidden(eye);
  const vec4& t = scene.cube_translation[3];
  for (int i = 0; i < count; ++i) {
    const int s = order.slot[i];
    if (judge) {
      const vec4& c = scene.cubie_mv[scene.surface_slots.x[s]][scene.surface_slots.y[s]][scene.surface_slots.z[s]][3];
      if (outward_sides_hidden(eye, into_cube(vec3(c[0] - t[0], c[1] - t[1], c[2] - t[2])))) continue;
    }
    seen.slot[seen_count++] = order.slot[i];
  }
  return seen;
}
