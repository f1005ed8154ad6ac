#include "assets/cubie_parts.h"

#include <limits>
#include <new>

namespace {

constexpr int triangle_sides = 6;  // bit 2 * axis + (positive side)

// Which sides' rims each corner of a triangle lies on, as bits.
struct TriangleRims {
  unsigned all;  // sides whose rim holds every corner
  unsigned any;  // sides whose rim holds a corner
};

unsigned side_bits(int set) {
  unsigned bits = 0;
  for (int axis = 0; axis < 3; ++axis, set /= 3) {
    const int code = set % 3;
    if (code != 0) bits |= 1u << (2 * axis + (code == 2 ? 1 : 0));
  }
  return bits;
}

// The extent of the mesh along each side, and so where each side's rim begins.
void rim_starts(const CubieMeshArrays& mesh, float start[triangle_sides]) {
  float extent[triangle_sides] = {};
  for (std::int32_t v = 0; v < mesh.vertex_count; ++v)
    for (int axis = 0; axis < 3; ++axis) {
      const float p = mesh.positions[3 * v + axis];
      if (-p > extent[2 * axis]) extent[2 * axis] = -p;
      if (p > extent[2 * axis + 1]) extent[2 * axis + 1] = p;
    }
  for (int side = 0; side < triangle_sides; ++side) start[side] = extent[side] - rim_width_in_model;
}

unsigned vertex_rims(const CubieMeshArrays& mesh, std::uint32_t v, const float start[triangle_sides]) {
  unsigned bits = 0;
  for (int axis = 0; axis < 3; ++axis) {
    const float p = mesh.positions[3 * v + axis];
    if (-p >= start[2 * axis]) bits |= 1u << (2 * axis);
    if (p >= start[2 * axis + 1]) bits |= 1u << (2 * axis + 1);
  }
  return bits;
}

bool whole(const CubieMeshArrays& mesh, std::int32_t t) {
  const std::uint32_t n = static_cast<std::uint32_t>(mesh.vertex_count);
  return mesh.indices[t] < n && mesh.indices[t + 1] < n && mesh.indices[t + 2] < n;
}

TriangleRims triangle_rims(const CubieMeshArrays& mesh, std::int32_t t, const float start[triangle_sides]) {
  TriangleRims r = {~0u, 0u};
  for (int k = 0; k < 3; ++k) {
    const unsigned bits = vertex_rims(mesh, mesh.indices[t + k], start);
    r.all &= bits;
    r.any |= bits;
  }
  return r;
}

// Appends the mesh's triangles that pass keep for the set's sides; returns
// their range. With out null it only counts.
template <typename Keep>
IndexRange append(const CubieMeshArrays& mesh, const float start[triangle_sides], unsigned sides, Keep keep,
                  std::uint32_t* out, std::int32_t& used) {
  IndexRange range = {used, 0};
  for (std::int32_t t = 0; t + 2 < mesh.index_count; t += 3) {
    if (!whole(mesh, t) || !keep(triangle_rims(mesh, t, start), sides)) continue;
    for (int k = 0; k < 3; ++k) {
      if (out != nullptr) out[used] = mesh.indices[t + k];
      ++used;
    }
    range.count += 3;
  }
  return range;
}

bool on_rim(const TriangleRims& r, unsigned sides) { return (r.all & sides) != 0; }
bool reaching_rim(const TriangleRims& r, unsigned sides) { return (r.all & sides) == 0 && (r.any & sides) != 0; }

std::int32_t fill(const CubieMeshArrays& mesh, CubieParts& parts, std::uint32_t* out) {
  float start[triangle_sides];
  rim_starts(mesh, start);
  std::int32_t used = 0;
  for (int set = 0; set < side_set_count; ++set) {
    const unsigned sides = side_bits(set);
    parts.rim[set] = append(mesh, start, sides, on_rim, out, used);
    parts.reaching[set] = append(mesh, start, sides, reaching_rim, out, used);
  }
  return used;
}

}  // namespace

bool build_cubie_parts(const CubieMeshArrays& mesh, CubieParts& parts) {
  parts = {};
  if (mesh.positions == nullptr || mesh.indices == nullptr) return true;
  // Every triangle could fall in two lists of every set.
  if (mesh.index_count > std::numeric_limits<std::int32_t>::max() / (2 * side_set_count)) return false;
  const std::int32_t count = fill(mesh, parts, nullptr);
  std::uint32_t* indices = new (std::nothrow) std::uint32_t[count > 0 ? count : 1];
  if (indices == nullptr) {
    parts = {};
    return false;
  }
  parts.indices = indices;
  parts.index_count = fill(mesh, parts, indices);
  return true;
}

void free_cubie_parts(CubieParts& parts) {
  delete[] parts.indices;
  parts = {};
}
