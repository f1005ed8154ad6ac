// The start-up work on the CPU: reading the embedded model and decoding the
// texture bitmaps.

#include <benchmark/benchmark.h>

#include <iostream>

#include "assets/bitmap_reader.h"
#include "assets/cubie_mesh_arrays.h"
#include "assets/obj_loader.h"
#include "platform/platform.h"
#include "render/cubie_mesh.h"
#include "render/cubie_texture.h"

namespace {

// The loader reports its progress on standard output; silence it while timing.
struct QuietOutput {
  std::streambuf* saved = std::cout.rdbuf(nullptr);
  ~QuietOutput() {
    std::cout.rdbuf(saved);
    std::cout.clear();
  }
};

void load_the_cubie_model(benchmark::State& state) {
  QuietOutput quiet;
  for (auto _ : state) {
    objl::ModelLoader loader;
    benchmark::DoNotOptimize(loader.load_model(cubie_model_resource, cubie_material_resource));
    benchmark::DoNotOptimize(loader.meshes.data());
  }
}
BENCHMARK(load_the_cubie_model)->Unit(benchmark::kMicrosecond);

void prepare_the_mesh_arrays(benchmark::State& state) {
  objl::ModelLoader loader;
  {
    QuietOutput quiet;
    loader.load_model(cubie_model_resource, cubie_material_resource);
  }
  const objl::Mesh& mesh = loader.meshes.back();
  for (auto _ : state) {
    CubieMeshArrays arrays{};
    allocate_mesh_arrays(arrays, mesh.vertices.size(), mesh.indices.size());
    fill_mesh_arrays(mesh, arrays);
    benchmark::DoNotOptimize(arrays.tangents);
    free_mesh_arrays(arrays);
  }
}
BENCHMARK(prepare_the_mesh_arrays)->Unit(benchmark::kMicrosecond);

// All eight levels, 128x128 down to 1x1, into RGBA floats as the upload takes them.
void decode_the_texture_levels(benchmark::State& state) {
  static float pixels[cubie_texture_size * cubie_texture_size * 4];
  for (auto _ : state) {
    for (int k = cubie_texture_levels - 1; k >= 0; --k) {
      const int size = 1 << k;
      load_bitmap_rgba(pixels, cubie_texture_resources[k], size, size, true);
    }
    benchmark::DoNotOptimize(pixels);
  }
}
BENCHMARK(decode_the_texture_levels)->Unit(benchmark::kMicrosecond);

void validate_the_largest_bitmap(benchmark::State& state) {
  const ResourceBytes bytes = find_resource(ResourceType::Bitmap, cubie_texture_resources[cubie_texture_levels - 1]);
  for (auto _ : state) {
    BitmapView view;
    benchmark::DoNotOptimize(read_bitmap(bytes.data, bytes.size, view));
  }
}
BENCHMARK(validate_the_largest_bitmap);

}  // namespace
