#include "assets/cubie_mesh_arrays.h"

#include <cmath>
#include <limits>
#include <new>

#include "common/math.h"

namespace {

// Floats per vertex over the five arrays: 3 + 2 + 3 + 3 + 3.
constexpr std::size_t floats_per_vertex = 14;
constexpr std::size_t max_count = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());

bool finite(const vec3& v) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

vec3 vec3_at(const float* a, std::uint32_t i) { return vec3(a + 3 * static_cast<std::size_t>(i)); }
vec2 vec2_at(const float* a, std::uint32_t i) { return vec2(a + 2 * static_cast<std::size_t>(i)); }

void store(float* a, std::uint32_t i, const vec3& v) {
  float* p = a + 3 * static_cast<std::size_t>(i);
  p[0] = v[0];
  p[1] = v[1];
  p[2] = v[2];
}

// A zero-length normal has no direction to give; it stays zero rather than NaN.
vec3 outward_normal(const objl::Vector3& n) {
  const vec3 unit = normalize(vec3(n.x, n.y, n.z));
  if (!finite(unit)) return vec3(0.0f, 0.0f, 0.0f);
  return vec3(-unit[0], -unit[1], -unit[2]);
}

void store_tangent_frame(CubieMeshArrays& a, std::uint32_t i0, std::uint32_t i1, std::uint32_t i2) {
  const vec3 p0 = vec3_at(a.positions, i0), p1 = vec3_at(a.positions, i1), p2 = vec3_at(a.positions, i2);
  const vec2 uv0 = vec2_at(a.texcoords, i0), uv1 = vec2_at(a.texcoords, i1), uv2 = vec2_at(a.texcoords, i2);
  const vec3 e1 = p1 - p0, e2 = p2 - p0;
  const vec2 d1 = uv1 - uv0, d2 = uv2 - uv0;
  const float f = 1.0f / (d1[0] * d2[1] - d2[0] * d1[1]);
  vec3 t, b;
  for (int c = 0; c < 3; ++c) {
    t[c] = (d2[1] * e1[c] - d1[1] * e2[c]) * f;
    b[c] = (-d2[0] * e1[c] + d1[0] * e2[c]) * f;
  }
  t = normalize(t);
  b = normalize(b);
  // Collinear texture coordinates make f infinite: no frame to store.
  if (!finite(t) || !finite(b)) return;
  for (const std::uint32_t i : {i0, i1, i2}) {
    store(a.tangents, i, t);
    store(a.bitangents, i, b);
  }
}

}  // namespace

bool allocate_mesh_arrays(CubieMeshArrays& arrays, std::size_t vertices, std::size_t indices) {
  arrays = {};
  if (vertices > max_count || indices > max_count) return false;
  // One block for the five float arrays; value-initialised, so every vertex
  // starts with a zero tangent frame.
  float* floats = new (std::nothrow) float[floats_per_vertex * vertices]();
  std::uint32_t* index_block = new (std::nothrow) std::uint32_t[indices]();
  if (floats == nullptr || index_block == nullptr) {
    delete[] floats;
    delete[] index_block;
    return false;
  }
  arrays.vertex_count = static_cast<std::int32_t>(vertices);
  arrays.index_count = static_cast<std::int32_t>(indices);
  arrays.positions = floats;
  arrays.texcoords = arrays.positions + 3 * vertices;
  arrays.normals = arrays.texcoords + 2 * vertices;
  arrays.tangents = arrays.normals + 3 * vertices;
  arrays.bitangents = arrays.tangents + 3 * vertices;
  arrays.indices = index_block;
  return true;
}

void free_mesh_arrays(CubieMeshArrays& arrays) {
  delete[] arrays.positions;
  delete[] arrays.indices;
  arrays = {};
}

void fill_mesh_arrays(const objl::Mesh& mesh, CubieMeshArrays& arrays) {
  const std::uint32_t n = static_cast<std::uint32_t>(arrays.vertex_count);
  const std::size_t m = static_cast<std::size_t>(arrays.index_count);
  for (std::uint32_t i = 0; i < n && i < mesh.vertices.size(); ++i) {
    const objl::Vertex& v = mesh.vertices[i];
    store(arrays.positions, i, vec3(v.pos.x, v.pos.y, v.pos.z));
    store(arrays.normals, i, outward_normal(v.normal));
    arrays.texcoords[2 * static_cast<std::size_t>(i)] = v.texcoord.x;
    arrays.texcoords[2 * static_cast<std::size_t>(i) + 1] = v.texcoord.y;
  }
  for (std::size_t t = 0; t < m && t < mesh.indices.size(); ++t) arrays.indices[t] = mesh.indices[t];

  // Only whole triangles whose corners all exist; a short last triangle or a
  // stray index would read outside the arrays.
  for (std::size_t t = 0; t + 2 < m; t += 3) {
    const std::uint32_t i0 = arrays.indices[t], i1 = arrays.indices[t + 1], i2 = arrays.indices[t + 2];
    if (i0 >= n || i1 >= n || i2 >= n) continue;
    store_tangent_frame(arrays, i0, i1, i2);
  }
}
