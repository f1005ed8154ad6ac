// From one "f" line to vertices and triangles.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "assets/obj_records.h"
#include "assets/obj_text.h"

namespace objl {

// The element an OBJ index names: n > 0 is element n - 1, n < 0 is element
// size + n (-1 is the last one read so far). Null for 0, an index outside the
// list, or text that is no number, so a face never reads outside its lists.
template <class T>
const T* resolve_index(const std::vector<T>& list, std::string_view text) {
  std::int64_t n = 0;
  if (!read_integer(text, n) || n == 0) {
    return nullptr;
  }
  const auto size = static_cast<std::int64_t>(list.size());
  const std::int64_t i = n > 0 ? n - 1 : size + n;
  if (i < 0 || i >= size) {
    return nullptr;
  }
  return &list[static_cast<std::size_t>(i)];
}

// One vertex per face token (position, position/texture, position/texture/normal
// or position//normal). When any token lacks a normal, every vertex gets the
// face normal (A - B) x (C - B) of the first three, which points inward for a
// face wound counter-clockwise seen from outside. A malformed face (empty
// token, bad index, a first token of more than three parts, or a normal that
// cannot be generated) gives no vertices: the loader skips the line.
std::vector<Vertex> build_face_vertices(std::string_view line, const std::vector<Vector3>& positions,
                                        const std::vector<Vector2>& texcoords,
                                        const std::vector<Vector3>& normals);

// Ear clipping on positions; three indices per triangle, each triangle in
// ascending input order so it keeps the polygon's winding. A quadrilateral is
// always (0, 1, 3), (1, 2, 3).
std::vector<std::uint32_t> triangulate_face(const std::vector<Vertex>& face);

// p's projection onto the triangle's plane lies inside it or on its border.
// False for a degenerate triangle.
bool point_in_triangle(const Vector3& p, const Vector3& t1, const Vector3& t2, const Vector3& t3);

}  // namespace objl
