#include "puzzle/layer_turn.h"

#include "puzzle/lattice.h"
#include "puzzle/sequencer.h"

namespace {

constexpr int last = lattice_size - 1;

// Axis 0 turns the layers of constant z, 1 of constant y, 2 of constant x.
bool in_turning_layer(int x, int y, int z) {
  const int along[3] = {z, y, x};
  return along[sequencer.turn_axis] == sequencer.turn_layer;
}

mat4 turn_rotation(float degrees) {
  switch (sequencer.turn_axis) {
    case 0: return rotate(degrees, 0.0f, 0.0f, 1.0f);
    case 1: return rotate(degrees, 0.0f, 1.0f, 0.0f);
    default: return rotate(degrees, 1.0f, 0.0f, 0.0f);
  }
}

// The sequencer only ever sets axes 0..2 and layers 0..6; anything else
// (no move yet) must not index the tables.
bool turn_is_valid() {
  return sequencer.turn_axis >= 0 && sequencer.turn_axis <= 2 && sequencer.turn_layer >= 0 &&
         sequencer.turn_layer <= last;
}

}  // namespace

float turn_increment() {
  const float f = sequencer.scrambling == 1 ? 1.0f : 60.0f * sequencer.frame_dt;
  return sequencer.turn_step * f;
}

void apply_turn_step() {
  if (!turn_is_valid()) return;
  const mat4 r = turn_rotation(turn_increment());
  for (int i = 0; i < surface_slot_count; ++i) {
    const int x = scene.surface_slots.x[i], y = scene.surface_slots.y[i], z = scene.surface_slots.z[i];
    if (!in_turning_layer(x, y, z)) continue;
    const ivec3 c = lattice.cubie_at[x][y][z];
    mat4& t = lattice.cubie_transform[c[0]][c[1]][c[2]];
    t = r * t;
  }
}

void commit_turn() {
  if (!turn_is_valid()) return;
  const int l = sequencer.turn_layer;
  const bool plus = sequencer.turn_angle > 0.0f;
  auto& old = lattice.cubie_at;
  ivec3 next[lattice_size][lattice_size][lattice_size];
  for (int x = 0; x < lattice_size; ++x)
    for (int y = 0; y < lattice_size; ++y)
      for (int z = 0; z < lattice_size; ++z) next[x][y][z] = old[x][y][z];

  for (int i = 0; i < lattice_size; ++i) {
    for (int j = 0; j < lattice_size; ++j) {
      switch (sequencer.turn_axis) {
        case 0: next[i][j][l] = plus ? old[j][last - i][l] : old[last - j][i][l]; break;
        case 1: next[i][l][j] = plus ? old[last - j][l][i] : old[j][l][last - i]; break;
        default: next[l][i][j] = plus ? old[l][j][last - i] : old[l][last - j][i]; break;
      }
    }
  }

  // Interior places of an inner layer were permuted in the table too; only
  // the surface is copied back, so interior entries keep their identity.
  for (int i = 0; i < surface_slot_count; ++i) {
    const int x = scene.surface_slots.x[i], y = scene.surface_slots.y[i], z = scene.surface_slots.z[i];
    lattice.cubie_at[x][y][z] = next[x][y][z];
  }
}
