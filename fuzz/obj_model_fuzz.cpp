// The OBJ loader with its MTL text: the input is the OBJ text, then, after the
// first NUL byte, the MTL text that an "mtllib" line loads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "assets/obj_loader.h"
#include "fuzz/fuzz_resources.h"

namespace {

constexpr std::uint16_t obj_id = 104;
constexpr std::uint16_t mtl_id = 125;

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::cout.setstate(std::ios::failbit);  // the loader's progress text
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const void* nul = std::memchr(data, 0, size);
  const std::size_t obj_size = nul == nullptr ? size : static_cast<const std::uint8_t*>(nul) - data;
  const std::size_t mtl_start = nul == nullptr ? size : obj_size + 1;
  serve_resource(ResourceType::TextFile, obj_id, data, obj_size);
  serve_resource(ResourceType::TextFile, mtl_id, data + mtl_start, size - mtl_start);

  objl::ModelLoader loader;
  const bool loaded = loader.load_model(obj_id, mtl_id);
  check(loaded == !(loader.meshes.empty() && loader.vertices.empty() && loader.indices.empty()));
  check(loader.indices.size() % 3 == 0);
  for (std::uint32_t i : loader.indices) check(i < loader.vertices.size());
  std::size_t mesh_vertices = 0;
  for (const objl::Mesh& mesh : loader.meshes) {
    check(!mesh.vertices.empty() && !mesh.indices.empty());
    check(mesh.indices.size() % 3 == 0);
    for (std::uint32_t i : mesh.indices) check(i < mesh.vertices.size());
    mesh_vertices += mesh.vertices.size();
  }
  // Every face vertex lands in exactly one mesh, unless the last mesh had no triangle.
  check(mesh_vertices <= loader.vertices.size());
  return 0;
}
