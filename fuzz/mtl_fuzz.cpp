// The MTL loader alone, called twice on one loader as a second "mtllib" would.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "assets/mtl_loader.h"
#include "fuzz/fuzz_resources.h"

namespace {

constexpr std::uint16_t mtl_id = 125;

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  serve_resource(ResourceType::TextFile, mtl_id, data, size);
  objl::ModelLoader loader;
  check(loader.load_materials(mtl_id));
  const std::size_t first = loader.materials.size();
  check(first >= 1);
  check(loader.load_materials(mtl_id));
  check(loader.materials.size() == 2 * first);
  for (const objl::Material& m : loader.materials) {
    // A name never ends in CR or LF unless it is made only of them.
    if (!m.name.empty() && m.name.find_first_not_of("\r\n") != std::string::npos) {
      check(m.name.back() != '\r' && m.name.back() != '\n');
    }
  }
  return 0;
}
