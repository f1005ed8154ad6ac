// The cubie mesh's triangles grouped by which of the cubie's sides face out of
// the whole cube. A surface cubie on its place is boxed in by neighbours on its
// other sides, so a ray can reach only the parts of its mesh on or next to the
// rounded rim of an outward side: the rim itself, and, through the hairline
// slots and the channels where four cubies meet, the flat sides and rounded
// edges that run down from it. The inward sides and their rims show only to an
// eye that can see into the hollow core. CPU only; no GL.
#pragma once

#include <cstdint>

#include "assets/cubie_mesh_arrays.h"

// A set of sides in the cubie's own axes: per axis 0 for neither, 1 for the
// negative side, 2 for the positive; the set is code_x + 3 code_y + 9 code_z.
inline constexpr int side_set_count = 27;

inline constexpr int side_set(int code_x, int code_y, int code_z) { return code_x + 3 * code_y + 9 * code_z; }

// How deep a cubie's rounded rim reaches in from its flat side, in the model's
// units (the model's flat sides stop 1.38 short of its extent), with room.
inline constexpr float rim_width_in_model = 1.4f;

struct IndexRange {
  std::int32_t first;  // into CubieParts::indices
  std::int32_t count;
};

struct CubieParts {
  // Triangles wholly on the rim of one of the set's sides: drawn first, they
  // hide nearly everything else.
  IndexRange rim[side_set_count];
  // The other triangles that reach one of those rims, seen only in slivers
  // through slots and channels.
  IndexRange reaching[side_set_count];
  std::uint32_t* indices;
  std::int32_t index_count;
};

// Groups the mesh's whole triangles (those naming vertices of the mesh) for
// every set. False, with parts empty, when the lists cannot be allocated.
bool build_cubie_parts(const CubieMeshArrays& mesh, CubieParts& parts);
void free_cubie_parts(CubieParts& parts);
