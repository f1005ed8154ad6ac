// What the simulation hands the renderer each frame: the model-view matrix of
// every visible cubie, which slots are visible, the projection and the light.
// Only the simulation writes them; the renderer reads them in draw_frame.
#pragma once

#include <cstdint>

#include "common/math.h"

constexpr int lattice_size = 7;
constexpr int surface_slot_count = 218;

// The visible slots in x-major order, as three parallel arrays.
struct SurfaceSlots {
  std::int32_t x[surface_slot_count];
  std::int32_t y[surface_slot_count];
  std::int32_t z[surface_slot_count];
};

// Everything starts zeroed; the simulation's first frame fills it.
struct Scene {
  // Indexed by slot: this frame's model-view matrix; valid for surface slots.
  mat4 cubie_mv[lattice_size][lattice_size][lattice_size];
  SurfaceSlots surface_slots;
  mat4 projection;
  vec3 light_position;
  // Where the whole cube is: cube translation x cube rotation takes cube space
  // to eye space.
  mat4 cube_translation;
  mat4 cube_rotation;
  // A layer is part-way through a turn, so its cubies are off their places.
  bool layer_turning;
};

extern Scene scene;

// The ground the cube floats over: every frame's clear colour, and what a
// monitor without the show is covered in.
inline constexpr float ground_red = 0.0f, ground_green = 0.15f, ground_blue = 0.0f;

// Draws the frame the scene describes. The simulation calls it once per
// frame; the renderer defines it, or a counting stand-in where there is no GL.
void draw_frame();
