// Which surface cubies can put no pixel on screen this frame, so that a
// software rasteriser need not draw them. The cubies are rounded boxes with
// hairline slots between them, and where four meet their rounded edges leave a
// small channel; the 5x5x5 core is never drawn, so through those channels and
// slots the eye could see into the hollow core and the inner sides of cubies
// on the far side. A cubie is judged unseen only when that cannot happen and
// none of its outward sides faces the eye.
#pragma once

#include "common/math.h"
#include "render/draw_order.h"

// The eye in the cube's own frame: lattice pitch 5, centre at the origin.
vec3 eye_in_cube();

// True when no ray from the eye can reach the core: to get there it must cross
// a face layer through a channel, within 22 degrees of that face's axis, or
// along a slot, all but in its seam plane.
bool core_hidden(const vec3& eye);

// True when the cubie centred at centre (cube frame, on its lattice place) shows
// nothing: every outward side lies behind the eye's view by more than the
// depth of its rounded rim, and the core is hidden. A cubie off the lattice (in
// a turning layer) is always seen.
bool cubie_unseen(const vec3& eye, const vec3& centre);

// The cubies of order that can be seen, in the same order; every one while a
// layer is turning. Never allocates.
const DrawOrder& seen_cubies(const DrawOrder& order, int count, int& seen_count);
