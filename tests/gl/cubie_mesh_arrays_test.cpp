// Laying the cubie mesh out for the GPU, on hand-made meshes; no GL needed.
#include "assets/cubie_mesh_arrays.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdlib>
#include <cstdint>
#include <limits>

#include "render/cubie_mesh.h"

namespace {

objl::Vertex vertex(float x, float y, float z, float u, float v, objl::Vector3 normal = {0.0f, 0.0f, -1.0f}) {
  return {{x, y, z}, normal, {u, v}};
}

// A unit square in the z = 0 plane whose texture coordinates follow x and y,
// as two triangles, wound counter-clockwise seen from +z.
objl::Mesh square() {
  objl::Mesh mesh;
  mesh.vertices = {vertex(0, 0, 0, 0, 0), vertex(1, 0, 0, 1, 0), vertex(1, 1, 0, 1, 1), vertex(0, 1, 0, 0, 1)};
  mesh.indices = {0, 1, 2, 0, 2, 3};
  return mesh;
}

struct Prepared {
  CubieMeshArrays a = {};
  explicit Prepared(const objl::Mesh& mesh) {
    EXPECT_TRUE(allocate_mesh_arrays(a, mesh.vertices.size(), mesh.indices.size()));
    fill_mesh_arrays(mesh, a);
  }
  ~Prepared() { free_mesh_arrays(a); }
  const float* tangent(int i) const { return a.tangents + 3 * i; }
  const float* bitangent(int i) const { return a.bitangents + 3 * i; }
  const float* normal(int i) const { return a.normals + 3 * i; }
};

void expect_vec3(const float* v, float x, float y, float z) {
  EXPECT_FLOAT_EQ(v[0], x);
  EXPECT_FLOAT_EQ(v[1], y);
  EXPECT_FLOAT_EQ(v[2], z);
}

}  // namespace

TEST(mesh_arrays, positions_texcoords_and_indices_are_copied_tightly_packed) {
  Prepared p(square());
  EXPECT_EQ(p.a.vertex_count, 4);
  EXPECT_EQ(p.a.index_count, 6);
  expect_vec3(p.a.positions + 3 * 2, 1, 1, 0);
  EXPECT_EQ(p.a.texcoords[2 * 3], 0.0f);
  EXPECT_EQ(p.a.texcoords[2 * 3 + 1], 1.0f);
  const std::uint32_t expected[6] = {0, 1, 2, 0, 2, 3};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(p.a.indices[i], expected[i]);
}

TEST(mesh_arrays, normals_are_made_unit_length_and_turned_round) {
  objl::Mesh mesh = square();
  mesh.vertices[0].normal = {0.0f, 0.0f, 5.0f};  // as a "vn" line gives it, pointing out
  mesh.vertices[1].normal = {3.0f, 4.0f, 0.0f};
  Prepared p(mesh);
  expect_vec3(p.normal(0), 0.0f, 0.0f, -1.0f);
  expect_vec3(p.normal(1), -0.6f, -0.8f, 0.0f);
}

TEST(mesh_arrays, a_zero_normal_stays_zero_instead_of_not_a_number) {
  objl::Mesh mesh = square();
  mesh.vertices[2].normal = {0.0f, 0.0f, 0.0f};
  Prepared p(mesh);
  expect_vec3(p.normal(2), 0.0f, 0.0f, 0.0f);
}

TEST(mesh_arrays, the_tangent_frame_follows_the_texture_directions) {
  Prepared p(square());
  for (int i = 0; i < 4; ++i) {
    expect_vec3(p.tangent(i), 1.0f, 0.0f, 0.0f);
    expect_vec3(p.bitangent(i), 0.0f, 1.0f, 0.0f);
  }
}

TEST(mesh_arrays, a_shared_vertex_keeps_the_later_triangles_frame) {
  objl::Mesh mesh = square();
  // The second triangle's texture runs against x, so its tangent points along -x.
  mesh.vertices.push_back(vertex(1, 1, 0, -1, 1));
  mesh.vertices.push_back(vertex(0, 1, 0, 0, 1));
  mesh.indices = {0, 1, 2, 0, 4, 5};
  Prepared p(mesh);
  expect_vec3(p.tangent(1), 1.0f, 0.0f, 0.0f);   // first triangle only
  expect_vec3(p.tangent(0), -1.0f, 0.0f, 0.0f);  // overwritten by the second
  expect_vec3(p.tangent(4), -1.0f, 0.0f, 0.0f);
  expect_vec3(p.bitangent(0), 0.0f, 1.0f, 0.0f);
}

TEST(mesh_arrays, a_vertex_in_no_triangle_gets_a_zero_frame) {
  objl::Mesh mesh = square();
  mesh.vertices.push_back(vertex(5, 5, 5, 0.5f, 0.5f));
  Prepared p(mesh);
  expect_vec3(p.tangent(4), 0.0f, 0.0f, 0.0f);
  expect_vec3(p.bitangent(4), 0.0f, 0.0f, 0.0f);
}

TEST(mesh_arrays, collinear_texture_coordinates_store_no_frame_rather_than_infinities) {
  objl::Mesh mesh = square();
  mesh.vertices.push_back(vertex(0, 0, 1, 0.1f, 0.1f));
  mesh.vertices.push_back(vertex(1, 0, 1, 0.2f, 0.2f));
  mesh.vertices.push_back(vertex(0, 1, 1, 0.3f, 0.3f));
  mesh.indices = {0, 1, 2, 4, 5, 6};
  Prepared p(mesh);
  for (int i = 4; i < 7; ++i) {
    expect_vec3(p.tangent(i), 0.0f, 0.0f, 0.0f);
    expect_vec3(p.bitangent(i), 0.0f, 0.0f, 0.0f);
  }
  expect_vec3(p.tangent(0), 1.0f, 0.0f, 0.0f);
}

TEST(mesh_arrays, triangles_naming_missing_vertices_or_cut_short_are_skipped) {
  objl::Mesh mesh = square();
  mesh.indices = {0, 1, 2, 0, 2, 99, 3, 0};
  Prepared p(mesh);
  expect_vec3(p.tangent(0), 1.0f, 0.0f, 0.0f);
  expect_vec3(p.tangent(3), 0.0f, 0.0f, 0.0f);  // only in the bad and the short triangle
  EXPECT_EQ(p.a.indices[5], 99u);                 // indices themselves are copied unchanged
}

TEST(mesh_arrays, arrays_too_large_for_the_counts_are_refused_with_nothing_held) {
  CubieMeshArrays a = {};
  const std::size_t too_many = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) + 1;
  EXPECT_FALSE(allocate_mesh_arrays(a, too_many, 3));
  EXPECT_EQ(a.positions, nullptr);
  EXPECT_EQ(a.indices, nullptr);
  EXPECT_EQ(a.vertex_count, 0);
  EXPECT_FALSE(allocate_mesh_arrays(a, 3, too_many));
  EXPECT_EQ(a.index_count, 0);
  free_mesh_arrays(a);  // harmless on empty arrays
}

// In a child whose address space is capped at 1 GB: arrays of about 5.6 GB.
[[noreturn]] void allocate_past_a_1_gb_cap() {
  const rlimit cap = {1ul << 30, 1ul << 30};
  setrlimit(RLIMIT_AS, &cap);
  CubieMeshArrays a = {};
  const bool allocated = allocate_mesh_arrays(a, 100'000'000, 0);
  std::exit(!allocated && a.positions == nullptr && a.vertex_count == 0 ? 0 : 1);
}

TEST(mesh_arrays, running_out_of_memory_is_refused_with_nothing_held) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(allocate_past_a_1_gb_cap(), ::testing::ExitedWithCode(0), "");
}

TEST(upload_cubie_mesh, a_model_that_cannot_be_loaded_ends_the_process_with_status_0_before_any_gl_call) {
  // No resources are linked and no GL entry is loaded: a GL call would crash.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(upload_cubie_mesh(RenderPath::Full), ::testing::ExitedWithCode(0), "");
}
