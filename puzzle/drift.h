// The whole cube floats across a fixed view and tumbles, turning around when a
// corner of its box leaves the screen or its centre leaves the depth band.
#pragma once

#include "render/math.h"

extern vec3 cube_position;  // centre of the cube in eye space
extern vec3 cube_angles;    // degrees about x, y, z; never wrapped
extern ivec3 drift_dir;     // +1 or -1 along x, y, z
extern ivec3 spin_dir;      // +1 or -1 about x, y, z
extern mat4 cube_translation;
extern mat4 cube_rotation;
extern mat4 projection;
extern vec3 light_position;

// The corners of the cube's box, in units of 10, in the order they are tested.
extern const vec3 bound_corners[8];

// The aspect ratio of the projection for a window of this size; a window
// without area gets the 4:3 of the default window.
float projection_aspect(int width, int height);

void init_drift();
void bounds_test();
void update_drift();
