#include "puzzle/simulation_reset.h"

#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "puzzle/random.h"
#include "puzzle/sequencer.h"

namespace {

template <typename T, int N>
void clear(T (&a)[N]) {
  for (T& e : a) e = T{};
}

}  // namespace

void reset_simulation() {
  // The start values are those the fields are defined with.
  seq_state = SeqState::NotStarted;
  scrambling = 1;
  initial_delay = 2.0f;
  move_count = 0;
  clear(history_axis);
  clear(history_layer);
  clear(history_angle);
  turn_axis = -1;
  turn_layer = -1;
  turn_target = 0.0f;
  turn_angle = 0.0f;
  turn_speed = 0.0f;
  turn_step = 0.0f;
  pause_after = 0.0f;
  start_time = 0.0;
  prev_time = 0.0;
  elapsed = 0.0;
  next_move_time = 0.0;
  frame_dt = 0.0f;

  random_state = 0;

  cube_position = vec3(0.0f, 0.0f, 0.0f);
  cube_angles = vec3(0.0f, 0.0f, 0.0f);
  drift_dir = ivec3(0, 0, 0);
  spin_dir = ivec3(0, 0, 0);
  cube_translation = mat4(0.0f);
  cube_rotation = mat4(0.0f);
  projection = mat4(0.0f);
  light_position = vec3(0.0f, 0.0f, 0.0f);

  // The lattice tables are rebuilt in full by the first frame; clearing the
  // model views keeps a stale picture from looking valid before it.
  for (auto& plane : cubie_mv)
    for (auto& row : plane)
      for (mat4& m : row) m = mat4(0.0f);
}
