#include "puzzle/drift.h"

#include "common/app_info.h"
#include "puzzle/random.h"
#include "puzzle/sequencer.h"

DriftState drift;

const vec3 bound_corners[8] = {
    {-1.75f, -1.75f, -1.75f}, {-1.75f, 1.75f, 1.75f}, {-1.75f, -1.75f, 1.75f}, {-1.75f, 1.75f, -1.75f},
    {1.75f, -1.75f, -1.75f},  {1.75f, 1.75f, 1.75f},  {1.75f, -1.75f, 1.75f},  {1.75f, 1.75f, -1.75f},
};

namespace {

constexpr float near_limit = -100.0f;
constexpr float far_limit = -200.0f;

// Per 1/60 s along (or about) x, y, z.
constexpr float drift_speed[3] = {0.35f, 0.25f, 0.2f};
constexpr float spin_speed[3] = {0.25f, 0.2f, 0.2f};

std::int32_t random_sign() { return 2 * (draw_random() % 2) - 1; }

void set_direction(int axis, std::int32_t dir) {
  drift.drift_dir[axis] = dir;
  drift.spin_dir[axis] = dir;
}

}  // namespace

float projection_aspect(int width, int height) {
  // A zero (or nonsensical) size would make the aspect infinite or NaN and the
  // projection useless for the whole run.
  if (width <= 0 || height <= 0) return 800.0f / 600.0f;
  return static_cast<float>(width) / static_cast<float>(height);
}

void init_drift() {
  drift.cube_position = vec3(0.0f, 0.0f, near_limit);
  drift.cube_angles = vec3(30.0f, -30.0f, 0.0f);
  for (int axis = 0; axis < 3; ++axis) {
    drift.spin_dir[axis] = random_sign();
    drift.drift_dir[axis] = random_sign();
  }
  scene.projection = perspective(50.0f, projection_aspect(app_info.width, app_info.height), 0.1f, 1000.0f);
  scene.light_position = vec3(0.0f, 20.0f, -20.0f);
}

void bounds_test() {
  const mat4 to_clip = scene.projection * scene.cube_translation * scene.cube_rotation;
  for (const vec3& corner : bound_corners) {
    const vec4 v(10.0f * corner[0], 10.0f * corner[1], 10.0f * corner[2], 1.0f);
    const vec4 c = (to_clip * mat4(v))[0];
    const float screen_x = c[0] / c[3];
    const float screen_y = c[1] / c[3];
    if (screen_x > 1.0f)
      set_direction(0, -1);
    else if (screen_x < -1.0f)
      set_direction(0, 1);
    if (screen_y > 1.0f)
      set_direction(1, -1);
    else if (screen_y < -1.0f)
      set_direction(1, 1);
  }
  if (drift.cube_position[2] < far_limit)
    set_direction(2, 1);
  else if (drift.cube_position[2] > near_limit)
    set_direction(2, -1);
}

void update_drift() {
  for (int axis = 0; axis < 3; ++axis) {
    const float drift_velocity = drift_speed[axis] * static_cast<float>(drift.drift_dir[axis]);
    const float spin_velocity = spin_speed[axis] * static_cast<float>(drift.spin_dir[axis]);
    drift.cube_position[axis] += drift_velocity * 60.0f * sequencer.frame_dt;
    drift.cube_angles[axis] += spin_velocity * 60.0f * sequencer.frame_dt;
  }
  scene.cube_rotation = rotate(drift.cube_angles[0], 1.0f, 0.0f, 0.0f) *
                        rotate(drift.cube_angles[1], 0.0f, 1.0f, 0.0f) * rotate(drift.cube_angles[2], 0.0f, 0.0f, 1.0f);
  scene.cube_translation = translate(drift.cube_position[0], drift.cube_position[1], drift.cube_position[2]);
}
