// The 7x7x7 lattice of cubies: which cubie sits in which slot, how each cubie
// is placed, and this frame's model-view matrix of every visible one.
#pragma once

#include <cstdint>

#include "common/math.h"
#include "common/scene.h"

// Both tables start zeroed and are built in full by the first frame.
struct LatticeState {
  // Indexed by slot: the home coordinates of the cubie now in the slot.
  ivec3 cubie_at[lattice_size][lattice_size][lattice_size];
  // Indexed by cubie (home coordinates): its transform in cube space.
  mat4 cubie_transform[lattice_size][lattice_size][lattice_size];
};

extern LatticeState lattice;

// How many coordinates lie on a face of the cube (0..3); 0 means interior.
int surface_rank(int x, int y, int z);
mat4 home_transform(int x, int y, int z);
ivec3 surface_slot(int i);

void init_lattice();
void compute_model_views(const mat4& translation, const mat4& rotation);
// Puts every surface cubie back on its exact home transform; only valid
// while the cube is solved.
void rehome_cubies();
