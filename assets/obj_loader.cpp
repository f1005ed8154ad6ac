#include "assets/obj_loader.h"

#include <iostream>
#include <new>
#include <sstream>

#include "assets/text_resources.h"

namespace objl {

namespace {

// The working state of one load_model run.
struct ObjReading {
  std::vector<Vector3> positions;
  std::vector<Vector2> texcoords;
  std::vector<Vector3> normals;
  std::vector<Vertex> mesh_vertices;
  std::vector<std::uint32_t> mesh_indices;
  std::vector<std::string> material_names;
  bool group_seen = false;
  std::string mesh_name;
  int progress = 1000;
};

// The first `count` fields of the line's rest as numbers; false when one is
// missing or no number, and the line is then skipped.
bool read_fields(const std::string& line, std::size_t count, float* out) {
  const std::vector<std::string> fields = split_on(rest_of_line(line), " ");
  if (fields.size() < count) {
    return false;
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (!read_float(fields[i], out[i])) {
      return false;
    }
  }
  return true;
}

void write_progress(const ObjReading& r) {
  std::cout << "\r- " << r.mesh_name << "\t| vertices > " << r.positions.size() << "\t| texcoords > "
            << r.texcoords.size() << "\t| normals > " << r.normals.size() << "\t| triangles > "
            << r.mesh_vertices.size() / 3;
  if (!r.material_names.empty()) {
    std::cout << "\t| material: " << r.material_names.back();
  }
}

void close_mesh(ModelLoader& loader, ObjReading& r, const std::string& name) {
  Mesh mesh;
  mesh.name = name;
  mesh.vertices = std::move(r.mesh_vertices);
  mesh.indices = std::move(r.mesh_indices);
  loader.meshes.push_back(std::move(mesh));
  r.mesh_vertices.clear();
  r.mesh_indices.clear();
}

bool mesh_open(const ObjReading& r) { return !r.mesh_vertices.empty() && !r.mesh_indices.empty(); }

void read_group(ModelLoader& loader, ObjReading& r, const std::string& line, bool named_keyword) {
  if (!r.group_seen) {
    r.group_seen = true;
    r.mesh_name = named_keyword ? rest_of_line(line) : "unnamed";
  } else if (mesh_open(r)) {
    close_mesh(loader, r, r.mesh_name);
    r.mesh_name = rest_of_line(line);
  } else {
    r.mesh_name = named_keyword ? rest_of_line(line) : "unnamed";
  }
  std::cout << "\n";
  r.progress = 0;
}

void read_face(ModelLoader& loader, ObjReading& r, const std::string& line) {
  const std::vector<Vertex> face = build_face_vertices(line, r.positions, r.texcoords, r.normals);
  if (face.empty()) {
    return;
  }
  for (const Vertex& v : face) {
    r.mesh_vertices.push_back(v);
    loader.vertices.push_back(v);
  }
  const std::size_t n = face.size();
  const std::size_t mesh_base = r.mesh_vertices.size() - n;
  const std::size_t loader_base = loader.vertices.size() - n;
  for (std::uint32_t k : triangulate_face(face)) {
    r.mesh_indices.push_back(static_cast<std::uint32_t>(mesh_base + k));
    loader.indices.push_back(static_cast<std::uint32_t>(loader_base + k));
  }
}

void read_line(ModelLoader& loader, ObjReading& r, std::string& line, std::uint16_t mtl_id) {
  // A CR takes the character after it along; at the line's end that is nothing.
  for (std::size_t cr = line.find('\r'); cr != std::string::npos; cr = line.find('\r')) {
    line.erase(cr, 2);
  }
  r.progress = (r.progress + 1) % 1000;
  if (r.progress == 1 && !r.mesh_name.empty()) {
    write_progress(r);
  }
  const std::string word = first_word(line);
  float f[3];
  if (word == "o" || word == "g" || (!line.empty() && line[0] == 'g')) {
    read_group(loader, r, line, word == "o" || word == "g");
  } else if (word == "v") {
    if (read_fields(line, 3, f)) r.positions.push_back({f[0], f[1], f[2]});
  } else if (word == "vt") {
    if (read_fields(line, 2, f)) r.texcoords.push_back({f[0], f[1]});
  } else if (word == "vn") {
    if (read_fields(line, 3, f)) r.normals.push_back({f[0], f[1], f[2]});
  } else if (word == "f") {
    read_face(loader, r, line);
  } else if (word == "usemtl") {
    r.material_names.push_back(rest_of_line(line));
    // A material change inside a group starts a new mesh; the suffix is always "_2".
    if (mesh_open(r)) {
      close_mesh(loader, r, r.mesh_name + "_2");
    }
    r.progress = 0;
  } else if (word == "mtllib") {
    loader.load_materials(mtl_id);  // the file named on the line plays no part
  }
}

}  // namespace

bool ModelLoader::load_model(std::uint16_t obj_id, std::uint16_t mtl_id) {
  ObjReading r;
  try {
    std::istringstream text(read_resource_text(obj_id));
    meshes.clear();
    vertices.clear();
    indices.clear();
    std::string line;
    while (std::getline(text, line)) {
      read_line(*this, r, line, mtl_id);
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::cout << "\n";
  if (mesh_open(r)) {
    close_mesh(*this, r, r.mesh_name);
  }
  // Materials pair with meshes by position, not by the mesh they were named in.
  for (std::size_t i = 0; i < r.material_names.size() && i < meshes.size(); ++i) {
    for (const Material& m : materials) {
      if (m.name == r.material_names[i]) {
        meshes[i].material = m;
        break;
      }
    }
  }
  return !(meshes.empty() && vertices.empty() && indices.empty());
}

}  // namespace objl
