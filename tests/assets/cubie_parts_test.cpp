// Grouping the embedded cubie mesh's triangles by outward sides; no GL needed.
#include "assets/cubie_parts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "assets/obj_loader.h"
#include "resources/resource_ids.h"

namespace {

struct EmbeddedCubie {
  CubieMeshArrays mesh = {};
  CubieParts parts = {};
  explicit EmbeddedCubie(std::uint16_t model = resource_id::rectangle_object_obj) {
    objl::ModelLoader loader;
    EXPECT_TRUE(loader.load_model(model, resource_id::rectangle_object_mtl));
    const objl::Mesh& m = loader.meshes.back();
    EXPECT_TRUE(allocate_mesh_arrays(mesh, m.vertices.size(), m.indices.size()));
    fill_mesh_arrays(m, mesh);
    EXPECT_TRUE(build_cubie_parts(mesh, parts));
  }
  ~EmbeddedCubie() {
    free_cubie_parts(parts);
    free_mesh_arrays(mesh);
  }
  using Triangle = std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>;
  std::set<Triangle> triangles(const IndexRange& r) const {
    std::set<Triangle> out;
    for (std::int32_t i = r.first; i < r.first + r.count; i += 3)
      out.insert({parts.indices[i], parts.indices[i + 1], parts.indices[i + 2]});
    return out;
  }
  // The largest coordinate along axis, times sign, over a triangle's corners, and the smallest.
  std::pair<float, float> span(const Triangle& t, int axis, float sign) const {
    float lo = 1e9f, hi = -1e9f;
    for (std::uint32_t v : {std::get<0>(t), std::get<1>(t), std::get<2>(t)}) {
      const float p = sign * mesh.positions[3 * v + axis];
      lo = std::min(lo, p);
      hi = std::max(hi, p);
    }
    return {lo, hi};
  }
};

}  // namespace

TEST(cubie_parts, a_face_cubie_keeps_its_outward_rim_first_then_what_reaches_it_and_never_its_inward_rim) {
  EmbeddedCubie c;
  const int plus_z = side_set(0, 0, 2);
  const auto rim = c.triangles(c.parts.rim[plus_z]);
  const auto reaching = c.triangles(c.parts.reaching[plus_z]);
  // The flat side (2), its four rounded edges (4 x 6) and its four rounded corners (4 x 13).
  EXPECT_EQ(rim.size(), 78u);
  // The four flat sides next to it (4 x 2) and the four rounded edges between them (4 x 6).
  EXPECT_EQ(reaching.size(), 32u);
  for (const auto& t : rim) EXPECT_GE(c.span(t, 2, 1.0f).first, 3.6f);
  for (const auto& t : reaching) {
    EXPECT_EQ(rim.count(t), 0u);
    EXPECT_LT(c.span(t, 2, 1.0f).first, 3.6f);
    EXPECT_GE(c.span(t, 2, 1.0f).second, 3.6f);
  }
}

TEST(cubie_parts, a_corner_cubie_keeps_each_triangle_once_and_leaves_out_only_the_inward_corner) {
  EmbeddedCubie c;
  const int corner = side_set(1, 2, 2);  // -x, +y, +z
  const auto rim = c.triangles(c.parts.rim[corner]);
  const auto reaching = c.triangles(c.parts.reaching[corner]);
  for (const auto& t : reaching) EXPECT_EQ(rim.count(t), 0u);
  const std::size_t all = static_cast<std::size_t>(c.mesh.index_count / 3);
  // The inward flat sides and rounded edges reach the outward rims; only the
  // rounded corner between the three inward sides is left out.
  EXPECT_EQ(all - rim.size() - reaching.size(), 13u);
}

TEST(cubie_parts, the_empty_set_has_no_parts_and_an_empty_mesh_gives_empty_lists) {
  EmbeddedCubie c;
  EXPECT_EQ(c.parts.rim[0].count, 0);
  EXPECT_EQ(c.parts.reaching[0].count, 0);
  CubieMeshArrays none = {};
  CubieParts parts = {};
  EXPECT_TRUE(build_cubie_parts(none, parts));
  EXPECT_EQ(parts.index_count, 0);
  free_cubie_parts(parts);
}

// The software path draws the chamfered cubie but judges what can be seen from
// the rounded one's shape; that holds only while the chamfered one contains it
// within the same extent.
TEST(cubie_parts, the_chamfered_cubie_holds_the_rounded_one_and_shows_a_face_in_14_triangles) {
  EmbeddedCubie rounded;
  EmbeddedCubie chamfered(resource_id::chamfered_cubie_obj);
  ASSERT_EQ(chamfered.mesh.index_count, 132);
  const float* p = chamfered.mesh.positions;
  float extent = 0.0f;
  for (std::int32_t i = 0; i < 3 * chamfered.mesh.vertex_count; ++i) extent = std::max(extent, std::fabs(p[i]));
  EXPECT_FLOAT_EQ(extent, 4.9956f);
  for (std::int32_t t = 0; t < chamfered.mesh.index_count; t += 3) {
    const std::uint32_t* v = &chamfered.mesh.indices[t];
    const float* n = &chamfered.mesh.normals[3 * v[0]];  // outward, unit length
    const float plane = n[0] * p[3 * v[0]] + n[1] * p[3 * v[0] + 1] + n[2] * p[3 * v[0] + 2];
    for (std::int32_t r = 0; r < rounded.mesh.vertex_count; ++r) {
      const float* q = &rounded.mesh.positions[3 * r];
      EXPECT_LE(n[0] * q[0] + n[1] * q[1] + n[2] * q[2], plane + 1e-4f) << "triangle " << t / 3 << ", vertex " << r;
    }
  }
  const int plus_z = side_set(0, 0, 2);
  // The flat side (2), its four chamfers (4 x 2) and four corners (4 x 1).
  EXPECT_EQ(chamfered.parts.rim[plus_z].count, 3 * 14);
  // The four flat sides next to it and the four chamfers between them.
  EXPECT_EQ(chamfered.parts.reaching[plus_z].count, 3 * 16);
}
