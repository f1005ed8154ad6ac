#include "puzzle/lattice.h"

LatticeState lattice;

namespace {

constexpr int last = lattice_size - 1;

float slot_centre(int coordinate) { return static_cast<float>(5 * coordinate - 15); }

}  // namespace

int surface_rank(int x, int y, int z) {
  const int c[3] = {x, y, z};
  int rank = 0;
  for (int i = 0; i < 3; ++i)
    if (c[i] == 0 || c[i] == last) ++rank;
  return rank;
}

mat4 home_transform(int x, int y, int z) {
  return translate(slot_centre(x), slot_centre(y), slot_centre(z)) * scale(0.5f, 0.5f, 0.5f);
}

ivec3 surface_slot(int i) {
  return ivec3(scene.surface_slots.x[i], scene.surface_slots.y[i], scene.surface_slots.z[i]);
}

void init_lattice() {
  int count = 0;
  for (int x = 0; x < lattice_size; ++x) {
    for (int y = 0; y < lattice_size; ++y) {
      for (int z = 0; z < lattice_size; ++z) {
        lattice.cubie_at[x][y][z] = ivec3(x, y, z);
        lattice.cubie_transform[x][y][z] = home_transform(x, y, z);
        if (surface_rank(x, y, z) != 0) {
          scene.surface_slots.x[count] = x;
          scene.surface_slots.y[count] = y;
          scene.surface_slots.z[count] = z;
          ++count;
        }
      }
    }
  }
}

void compute_model_views(const mat4& translation, const mat4& rotation) {
  const mat4 cube = translation * rotation;
  for (int i = 0; i < surface_slot_count; ++i) {
    const int x = scene.surface_slots.x[i], y = scene.surface_slots.y[i], z = scene.surface_slots.z[i];
    const ivec3 c = lattice.cubie_at[x][y][z];
    scene.cubie_mv[x][y][z] = cube * lattice.cubie_transform[c[0]][c[1]][c[2]];
  }
}

void rehome_cubies() {
  // Each quarter turn leaves a little rounding in the turned transforms; over
  // days of cycles it would grow into visible shrinking, so start each cycle clean.
  for (int i = 0; i < surface_slot_count; ++i) {
    const int x = scene.surface_slots.x[i], y = scene.surface_slots.y[i], z = scene.surface_slots.z[i];
    lattice.cubie_transform[x][y][z] = home_transform(x, y, z);
  }
}
