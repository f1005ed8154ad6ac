// The one mesh every cubie is drawn from, in GPU buffers bound to the shader's
// attribute slots in the context's default vertex-array state.
#pragma once

#include <cstdint>

#include "assets/cubie_parts.h"
#include "render/render_path.h"
#include "resources/resource_ids.h"

// Creation order, which is also the order they are deleted in.
enum MeshBuffer : int {
  PositionBuffer = 0,
  TexcoordBuffer = 1,
  NormalBuffer = 2,
  TangentBuffer = 3,
  BitangentBuffer = 4,
  IndexBuffer = 5,
};
inline constexpr int mesh_buffer_count = 6;

inline constexpr std::uint16_t cubie_model_resource = resource_id::rectangle_object_obj;
// On software rasterisers every thin triangle of the rounded rims costs whole
// blocks of pixels, so they draw the same cubie chamfered: the same sides,
// texture and extent in 44 triangles instead of 188. It holds the rounded
// cubie whole, so what hides the one hides the other.
inline constexpr std::uint16_t chamfered_cubie_model_resource = resource_id::chamfered_cubie_obj;
inline constexpr std::uint16_t cubie_material_resource = resource_id::rectangle_object_mtl;

extern std::uint32_t mesh_buffers[mesh_buffer_count];
extern std::int32_t cubie_vertex_count;
extern std::int32_t cubie_index_count;

// Where in the element buffer each side set's parts of the mesh are, in
// indices; ready only on the software path.
struct CubiePartRanges {
  IndexRange rim[side_set_count];
  IndexRange reaching[side_set_count];
  bool ready;
};
extern CubiePartRanges cubie_part_ranges;

std::uint16_t cubie_model_for(RenderPath path);

// Loads the embedded model for the path and uploads its last mesh; the shader
// program must exist (its attribute locations are read). A model that cannot
// be loaded ends the process with status 0. If the CPU arrays cannot be
// allocated the six buffers are still made, empty, and nothing is drawn. The
// software path also gets the mesh's parts by side set (cubie_part_ranges).
void upload_cubie_mesh(RenderPath path);
// The same with the model named, for measuring one against the other.
void upload_cubie_model(RenderPath path, std::uint16_t model_resource);
