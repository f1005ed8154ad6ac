// The OBJ model parser of namespace objl: turns an embedded OBJ text into
// meshes of flat vertex records with triangle index lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/obj_face.h"
#include "assets/obj_records.h"
#include "assets/obj_text.h"

namespace objl {

struct Mesh {
  std::string name;
  std::vector<Vertex> vertices;
  std::vector<std::uint32_t> indices;  // into this mesh's vertices, three per triangle
  Material material;
};

struct ModelLoader {
  std::vector<Mesh> meshes;
  std::vector<Vertex> vertices;         // every face vertex of the text in reading order
  std::vector<std::uint32_t> indices;   // the triangles over that list
  std::vector<Material> materials;      // filled by load_materials, never cleared

  // Reads OBJ text resource obj_id; its "mtllib" line loads mtl_id. True when
  // anything was loaded. Malformed lines (see build_face_vertices, and "v",
  // "vt", "vn" lines whose needed fields are missing or not numbers) are skipped.
  bool load_model(std::uint16_t obj_id, std::uint16_t mtl_id);
  // Appends the materials of MTL text resource mtl_id (mtl_loader.cpp).
  bool load_materials(std::uint16_t mtl_id);
};

}  // namespace objl
