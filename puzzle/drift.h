// The whole cube floats across a fixed view and tumbles, turning around when a
// corner of its box leaves the screen or its centre leaves the depth band.
#pragma once

#include "common/math.h"
#include "common/scene.h"

// The drifting cube; every field starts zeroed until the first frame sets it.
// Its placement, cube_translation and cube_rotation, is part of the scene.
struct DriftState {
  vec3 cube_position;  // centre of the cube in eye space
  vec3 cube_angles;    // degrees about x, y, z; never wrapped
  ivec3 drift_dir;     // +1 or -1 along x, y, z
  ivec3 spin_dir;      // +1 or -1 about x, y, z
};

extern DriftState drift;

// The corners of the cube's box, in units of 10, in the order they are tested.
extern const vec3 bound_corners[8];

// The aspect ratio of the projection for a window of this size; a window
// without area gets the 4:3 of the default window.
float projection_aspect(int width, int height);

void init_drift();
void bounds_test();
void update_drift();
