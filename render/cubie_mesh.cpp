#include "render/cubie_mesh.h"

#include <cstdlib>
#include <new>

#include "assets/cubie_mesh_arrays.h"
#include "assets/cubie_parts.h"
#include "assets/obj_loader.h"
#include "common/gl_entry_points.h"
#include "render/shader_program.h"

std::uint32_t mesh_buffers[mesh_buffer_count];
std::int32_t cubie_vertex_count;
std::int32_t cubie_index_count;
CubiePartRanges cubie_part_ranges;

namespace {

void upload_attribute(MeshBuffer buffer, const float* data, std::int32_t components, std::int32_t vertices,
                      AttribSlot slot) {
  glGenBuffers(1, &mesh_buffers[buffer]);
  glBindBuffer(GL_ARRAY_BUFFER, mesh_buffers[buffer]);
  const GLsizeiptr bytes = static_cast<GLsizeiptr>(sizeof(float)) * components * vertices;
  glBufferData(GL_ARRAY_BUFFER, bytes, data, GL_STATIC_DRAW);
  // Made and filled even when the program does not use the attribute.
  const GLint location = attrib_locations[slot];
  if (location == -1) return;
  glEnableVertexAttribArray(static_cast<GLuint>(location));
  glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

// The parsed model, reduced to the arrays of its last mesh. The loader's own
// containers may run out of memory too; that ends the run like a model that
// cannot be read.
bool load_cubie_arrays(std::uint16_t model_resource, CubieMeshArrays& arrays) {
  try {
    objl::ModelLoader loader;
    if (!loader.load_model(model_resource, cubie_material_resource)) return false;
    // Only the last mesh is uploaded, so only its arrays are built.
    if (loader.meshes.empty()) return true;
    const objl::Mesh& mesh = loader.meshes.back();
    if (allocate_mesh_arrays(arrays, mesh.vertices.size(), mesh.indices.size())) fill_mesh_arrays(mesh, arrays);
    cubie_vertex_count = arrays.vertex_count;
    cubie_index_count = arrays.index_count;
    return true;
  } catch (const std::bad_alloc&) {
    free_mesh_arrays(arrays);
    return false;
  }
}

// The lists' places in the element buffer, where they follow the whole mesh.
void set_part_ranges(const CubieParts& parts, std::int32_t mesh_indices) {
  for (int set = 0; set < side_set_count; ++set) {
    cubie_part_ranges.rim[set] = {mesh_indices + parts.rim[set].first, parts.rim[set].count};
    cubie_part_ranges.reaching[set] = {mesh_indices + parts.reaching[set].first, parts.reaching[set].count};
  }
  cubie_part_ranges.ready = true;
}

}  // namespace

std::uint16_t cubie_model_for(RenderPath path) {
  return path == RenderPath::Software ? chamfered_cubie_model_resource : cubie_model_resource;
}

void upload_cubie_mesh(RenderPath path) { upload_cubie_model(path, cubie_model_for(path)); }

void upload_cubie_model(RenderPath path, std::uint16_t model_resource) {
  CubieMeshArrays arrays = {};
  // Nothing reaches GL from a model that cannot be read.
  if (!load_cubie_arrays(model_resource, arrays)) std::exit(0);

  const std::int32_t n = arrays.vertex_count;
  upload_attribute(PositionBuffer, arrays.positions, 3, n, PositionSlot);
  upload_attribute(TexcoordBuffer, arrays.texcoords, 2, n, PositionTexSlot);
  upload_attribute(NormalBuffer, arrays.normals, 3, n, PositionNormalSlot);
  upload_attribute(TangentBuffer, arrays.tangents, 3, n, PositionTangentSlot);
  upload_attribute(BitangentBuffer, arrays.bitangents, 3, n, PositionBitangentSlot);

  // The software path's part lists follow the whole mesh's indices in the same
  // buffer; without them it draws whole cubies.
  CubieParts parts = {};
  cubie_part_ranges = {};
  if (path == RenderPath::Software && build_cubie_parts(arrays, parts) && parts.index_count > 0)
    set_part_ranges(parts, arrays.index_count);

  glGenBuffers(1, &mesh_buffers[IndexBuffer]);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh_buffers[IndexBuffer]);
  const GLsizeiptr index_bytes = static_cast<GLsizeiptr>(sizeof(std::uint32_t)) * arrays.index_count;
  if (!cubie_part_ranges.ready) {
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, index_bytes, arrays.indices, GL_STATIC_DRAW);
  } else {
    const GLsizeiptr part_bytes = static_cast<GLsizeiptr>(sizeof(std::uint32_t)) * parts.index_count;
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, index_bytes + part_bytes, nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, index_bytes, arrays.indices);
    glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, index_bytes, part_bytes, parts.indices);
  }

  free_cubie_parts(parts);
  free_mesh_arrays(arrays);
}
