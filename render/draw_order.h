// The order the surface cubies are drawn in: the surface list's own, or the
// nearest to the eye first, which lets the depth test reject the hidden ones
// before they are shaded.
#pragma once

#include <cstdint>

#include "common/scene.h"

struct DrawOrder {
  std::int16_t slot[surface_slot_count];  // indices into surface_slots
};

// 0, 1, 2, ... 217.
const DrawOrder& list_order();
// The first count surface slots by the eye-space depth of their cubie's centre
// in this frame's cubie_mv, nearest first; ties keep list order. Sorted in place
// from last frame's order, which is nearly right already. Never allocates.
const DrawOrder& nearest_first(int count);
