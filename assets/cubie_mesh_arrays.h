// The cubie mesh laid out for the GPU: five tightly packed float arrays and
// the triangle indices, with a tangent frame per vertex. CPU only; the arrays
// live only while the mesh is being uploaded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "assets/obj_loader.h"

struct CubieMeshArrays {
  std::int32_t vertex_count;
  std::int32_t index_count;
  float* positions;   // 3 per vertex
  float* texcoords;   // 2 per vertex
  float* normals;     // 3 per vertex, unit length, pointing out of the cubie
  float* tangents;    // 3 per vertex, zero where no triangle gave a frame
  float* bitangents;  // 3 per vertex, as tangents
  std::uint32_t* indices;
};

// Zero-filled arrays for that many vertices and indices. False, with nothing
// allocated and the arrays left empty, when they cannot be had: too large for
// the 32-bit counts, or out of memory.
bool allocate_mesh_arrays(CubieMeshArrays& arrays, std::size_t vertices, std::size_t indices);
void free_mesh_arrays(CubieMeshArrays& arrays);

// Fills arrays (allocated for this mesh's sizes) from the mesh: positions and
// texture coordinates as they are, normals made unit length and turned round
// (the loader's point into the cubie), indices unchanged, then the tangent
// frame of each triangle stored at its three vertices, a later triangle
// overwriting an earlier one. A triangle that names a vertex outside the mesh,
// or whose texture coordinates give no frame (collinear), stores nothing.
void fill_mesh_arrays(const objl::Mesh& mesh, CubieMeshArrays& arrays);
