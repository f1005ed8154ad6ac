#include "render/cubie_visibility.h"

#include <cmath>

#include "assets/cubie_parts.h"
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
constexpr float channel_half_width = 0.7f;
// Two cubies' flat sides lie 0.0044 apart; counted as 0.01 over that length.
constexpr float slot_width = 0.01f;
constexpr float slot_length = 3.6f;
constexpr float seams[] = {-12.5f, -7.5f, -2.5f, 2.5f, 7.5f, 12.5f};
// The cube's bounding sphere, and half a cubie's width (just under 10 units
// before its half scale).
constexpr float cube_radius = cube_half_size * 1.7320508f;
constexpr float cubie_half_size = 2.5f;

// R^T v for the cube's rotation (column-major, orthonormal).
vec3 into_cube(const vec3& v) {
  const mat4& r = scene.cube_rotation;
  vec3 out;
  for (int j = 0; j < 3; ++j) out[j] = r[j][0] * v[0] + r[j][1] * v[1] + r[j][2] * v[2];
  return out;
}

float dot(const vec3& a, const vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

bool on_lattice(float coordinate) {
  return std::fabs(coordinate / pitch - std::round(coordinate / pitch)) < 0.02f;
}

bool on_place(const vec3& centre) { return on_lattice(centre[0]) && on_lattice(centre[1]) && on_lattice(centre[2]); }

// The cubie's outward side along cube axis i faces the eye, or lies behind the
// eye's view by less than its rim: then something of it may show.
bool side_facing(const vec3& eye, const vec3& centre, int i) {
  if (std::fabs(centre[i]) < outer_centre - 1.0f) return false;
  const float outward = centre[i] > 0.0f ? eye[i] : -eye[i];
  return outward > cube_half_size - rim_depth;
}

SeenCubies seen;
CoreSights sights;

}  // namespace

vec3 eye_in_cube() {
  const vec4& t = scene.cube_translation[3];
  return into_cube(vec3(-t[0], -t[1], -t[2]));
}

const CoreSights& core_sights(const vec3& eye) {
  sights.everywhere = false;
  sights.count = 0;
  sights.slab_count = 0;
  const float distance = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
  if (!(distance > cube_radius)) {
    sights.everywhere = true;
    return sights;
  }
  for (int i = 0; i < 3; ++i) {
    // Down the channels of the face the eye is outside of: the ray to each
    // junction of four cubies on it, widened by the channel's own half width.
    if (std::fabs(eye[i]) > cube_half_size) {
      const float face = eye[i] > 0.0f ? cube_half_size : -cube_half_size;
      const int j = (i + 1) % 3, k = (i + 2) % 3;
      const float down = std::fabs(face - eye[i]);
      for (const float a : seams)
        for (const float b : seams) {
          const float across = std::hypot(a - eye[j], b - eye[k]);
          const float reach = std::atan2(channel_half_width, std::hypot(across, down));
          if (std::atan2(across, down) - reach > channel_angle) continue;
          // Every ray down the channel crosses the disc of its half width where
          // the straight stretch starts: the cone from the eye through it.
          vec3 start;
          start[i] = face - (eye[i] > 0.0f ? rim_depth : -rim_depth);
          start[j] = a;
          start[k] = b;
          const vec3 to_start = start - eye;
          const float length = std::sqrt(dot(to_start, to_start));
          const float side = std::sqrt(length * length - channel_half_width * channel_half_width);
          CoreSight& sight = sights.sight[sights.count++];
          sight.axis = to_start / length;
          sight.face_axis = i;
          // In a plane across axis i, the cone reaches at most this far from
          // its axis per unit along it: sin(half) / cos(tilt + half).
          const float sin_half = channel_half_width / length, cos_half = side / length;
          const float cos_tilt = std::fabs(sight.axis[i]);
          const float sin_tilt = std::sqrt(std::fmax(0.0f, 1.0f - cos_tilt * cos_tilt));
          sight.spread = sin_half / (cos_tilt * cos_half - sin_tilt * sin_half);
        }
    }
    // Along a slot: such rays leave the eye within near_seam of the seam plane
    // and cross the slot within half its width of it, so past the slot they
    // stray by both offsets times how far past (up to the cube's diameter)
    // over how far the slot was (at least the eye's distance less the radius).
    const float near_seam = slot_width * 0.5f + (distance + cube_radius) * slot_width / slot_length;
    const float past = 1.0f + 2.0f * (2.0f * cube_radius) / (distance - cube_radius);
    for (const float seam : seams)
      if (std::fabs(eye[i] - seam) <= near_seam) sights.slab[sights.slab_count++] = {i, seam, near_seam * past};
  }
  return sights;
}

bool core_hidden(const vec3& eye) {
  const CoreSights& found = core_sights(eye);
  return !found.everywhere && found.count == 0 && found.slab_count == 0;
}

bool in_sight_of_core(const CoreSights& found, const vec3& eye, const vec3& centre) {
  if (found.everywhere) return true;
  for (int n = 0; n < found.slab_count; ++n) {
    const SeamSlab& slab = found.slab[n];
    if (std::fabs(centre[slab.axis] - slab.seam) <= slab.half_width + cubie_half_size) return true;
  }
  for (int n = 0; n < found.count; ++n) {
    const CoreSight& sight = found.sight[n];
    // Where the cone's axis crosses the cubie's layer across the channel's
    // axis, widened by the cone's reach there: does that box meet the cubie's?
    const int i = sight.face_axis, j = (i + 1) % 3, k = (i + 2) % 3;
    const float s0 = (centre[i] - cubie_half_size - eye[i]) / sight.axis[i];
    const float s1 = (centre[i] + cubie_half_size - eye[i]) / sight.axis[i];
    const float far = std::fmax(s0, s1);
    if (far <= 0.0f) continue;
    const float widen = cubie_half_size + far * sight.spread;
    const float j0 = eye[j] + s0 * sight.axis[j], j1 = eye[j] + s1 * sight.axis[j];
    const float k0 = eye[k] + s0 * sight.axis[k], k1 = eye[k] + s1 * sight.axis[k];
    if (std::fmin(j0, j1) - widen <= centre[j] && std::fmax(j0, j1) + widen >= centre[j] &&
        std::fmin(k0, k1) - widen <= centre[k] && std::fmax(k0, k1) + widen >= centre[k])
      return true;
  }
  return false;
}

bool cubie_unseen(const vec3& eye, const vec3& centre) {
  if (!on_place(centre) || in_sight_of_core(core_sights(eye), eye, centre)) return false;
  for (int i = 0; i < 3; ++i)
    if (side_facing(eye, centre, i)) return false;
  return true;
}

int facing_side_set(const vec3& eye, const vec3& centre, const mat4& mv) {
  int code[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    if (!side_facing(eye, centre, i)) continue;
    // The model axis the cubie's turns have brought onto cube axis i.
    int axis = 0;
    float along = 0.0f;
    for (int j = 0; j < 3; ++j) {
      const float a = into_cube(vec3(mv[j][0], mv[j][1], mv[j][2]))[i];
      if (std::fabs(a) > std::fabs(along)) {
        axis = j;
        along = a;
      }
    }
    code[axis] = (along > 0.0f) == (centre[i] > 0.0f) ? 2 : 1;
  }
  return side_set(code[0], code[1], code[2]);
}

const SeenCubies& seen_cubies(const DrawOrder& order, int count, int& seen_count) {
  seen_count = 0;
  const vec3 eye = eye_in_cube();
  const CoreSights& found = core_sights(eye);
  const bool judge = !scene.layer_turning && !found.everywhere;
  const vec4& t = scene.cube_translation[3];
  for (int i = 0; i < count; ++i) {
    const int s = order.slot[i];
    int sides = whole_cubie;
    if (judge) {
      const mat4& mv = scene.cubie_mv[scene.surface_slots.x[s]][scene.surface_slots.y[s]][scene.surface_slots.z[s]];
      const vec3 centre = into_cube(vec3(mv[3][0] - t[0], mv[3][1] - t[1], mv[3][2] - t[2]));
      if (on_place(centre) && !in_sight_of_core(found, eye, centre)) {
        sides = facing_side_set(eye, centre, mv);
        if (sides == 0) continue;
      }
    }
    seen.order.slot[seen_count] = order.slot[i];
    seen.sides[seen_count++] = static_cast<std::int8_t>(sides);
  }
  return seen;
}
