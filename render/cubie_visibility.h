// Which surface cubies can put no pixel on screen this frame, so that a
// software rasteriser need not draw them. The cubies are rounded boxes with
// hairline slots between them, and where four meet their rounded edges leave a
// small channel; the 5x5x5 core is never drawn, so through those channels and
// slots the eye could see into the hollow core and the inner sides of cubies
// on the far side. A cubie is judged unseen only when no ray into the core
// comes near it and none of its outward sides faces the eye. Of a cubie that
// is seen, only the parts next to its outward sides facing the eye need
// drawing, under the same conditions.
#pragma once

#include <cstdint>

#include "common/math.h"
#include "render/draw_order.h"

// The cubies to draw, in drawing order, and for each the side set (in the
// cubie's own axes, see assets/cubie_parts.h) whose parts can be seen, or
// whole_cubie.
inline constexpr std::int8_t whole_cubie = -1;
struct SeenCubies {
  DrawOrder order;
  std::int8_t sides[surface_slot_count];
};

// The eye in the cube's own frame: lattice pitch 5, centre at the origin.
vec3 eye_in_cube();

// The ways the eye can see into the core. A ray gets there only by crossing a
// face layer through one of the channels where four cubies meet, within 22
// degrees of that face's axis, or along a slot, all but in its seam plane. For
// each channel the eye can see down, the cone from the eye that holds every ray
// through it; for each seam plane the eye all but lies in, the slab around it
// that holds every ray along its slots; everywhere when the eye is inside the
// cube's bounding sphere.
struct CoreSight {
  vec3 axis;      // unit, from the eye
  int face_axis;  // the channel runs along this cube axis
  float spread;   // the cone's reach from its axis, per unit along it, across face_axis
};
struct SeamSlab {
  int axis;
  float seam, half_width;
};
struct CoreSights {
  bool everywhere;
  int count, slab_count;
  CoreSight sight[3 * 36];
  SeamSlab slab[3 * 6];
};
const CoreSights& core_sights(const vec3& eye);

// True when no ray from the eye can reach the core.
bool core_hidden(const vec3& eye);

// True when a ray into the core may reach the cubie centred at centre: its box
// meets one of the cones or one of the slabs.
bool in_sight_of_core(const CoreSights& found, const vec3& eye, const vec3& centre);

// True when the cubie centred at centre (cube frame, on its lattice place) shows
// nothing: every outward side lies behind the eye's view by more than the
// depth of its rounded rim, and no ray into the core comes near it. A cubie
// off the lattice (in a turning layer) is always seen.
bool cubie_unseen(const vec3& eye, const vec3& centre);

// The side set of the cubie centred at centre (cube frame) whose model-view
// matrix is mv: its outward sides that the eye is not behind by more than the
// rim, in the cubie's own axes; 0 when it shows nothing.
int facing_side_set(const vec3& eye, const vec3& centre, const mat4& mv);

// The cubies of order that can be seen, in the same order, with their side
// sets; whole where a ray into the core may pass, and every one whole while a
// layer is turning. Never allocates.
const SeenCubies& seen_cubies(const DrawOrder& order, int count, int& seen_count);
