#include "assets/obj_face.h"

#include <gtest/gtest.h>

namespace {

using namespace objl;
using Indices = std::vector<std::uint32_t>;

const std::vector<Vector3> positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 2, 2}};
const std::vector<Vector2> texcoords = {{0.1f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.6f}, {0.7f, 0.8f}};
const std::vector<Vector3> normals = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}};

bool same(const Vector2& a, const Vector2& b) { return a.x == b.x && a.y == b.y; }

std::vector<Vertex> polygon(const std::vector<Vector3>& points) {
  std::vector<Vertex> face;
  for (const Vector3& p : points) {
    face.push_back({p, {}, {}});
  }
  return face;
}

// ---- resolve_index --------------------------------------------------------

TEST(ResolveIndex, positive_index_counts_from_one) {
  EXPECT_EQ(resolve_index(positions, "1"), &positions[0]);
  EXPECT_EQ(resolve_index(positions, "5"), &positions[4]);
}

TEST(ResolveIndex, negative_index_counts_back_from_the_last_element_read) {
  EXPECT_EQ(resolve_index(positions, "-1"), &positions[4]);
  EXPECT_EQ(resolve_index(positions, "-5"), &positions[0]);
}

TEST(ResolveIndex, zero_out_of_range_and_non_numbers_name_nothing) {
  for (const char* text : {"0", "6", "-6", "", "x", "/", "99999999999999999999", "-9223372036854775808"}) {
    EXPECT_EQ(resolve_index(positions, text), nullptr) << text;
  }
  EXPECT_EQ(resolve_index(std::vector<Vector3>{}, "1"), nullptr);
  EXPECT_EQ(resolve_index(std::vector<Vector3>{}, "-1"), nullptr);
}

// ---- build_face_vertices -------------------------------------------------

TEST(FaceVertices, quad_with_trailing_blank_takes_texture_entries_in_order) {
  const auto face = build_face_vertices("f 1/1 2/2 3/3 4/4 ", positions, texcoords, normals);
  ASSERT_EQ(face.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(face[i].pos, positions[i]);
    EXPECT_TRUE(same(face[i].texcoord, texcoords[i]));
  }
  EXPECT_EQ(triangulate_face(face), (Indices{0, 1, 3, 1, 2, 3}));
}

TEST(FaceVertices, position_only_face_gets_zero_texcoords_and_the_generated_normal) {
  const auto face = build_face_vertices("f 1 2 3", positions, texcoords, normals);
  ASSERT_EQ(face.size(), 3u);
  // (A - B) x (C - B) for A=(0,0,0), B=(1,0,0), C=(1,1,0): into a counter-clockwise face.
  for (const Vertex& v : face) {
    EXPECT_EQ(v.normal, (Vector3{0, 0, -1}));
    EXPECT_TRUE(same(v.texcoord, {0, 0}));
  }
}

TEST(FaceVertices, position_normal_face_keeps_the_file_normals) {
  const auto face = build_face_vertices("f 1//1 2//2 3//3", positions, texcoords, normals);
  ASSERT_EQ(face.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(face[i].normal, normals[i]);
    EXPECT_TRUE(same(face[i].texcoord, {0, 0}));
  }
}

TEST(FaceVertices, full_tokens_take_position_texture_and_normal) {
  const auto face = build_face_vertices("f 1/4/3 2/3/2 3/2/1", positions, texcoords, normals);
  ASSERT_EQ(face.size(), 3u);
  EXPECT_TRUE(same(face[0].texcoord, texcoords[3]));
  EXPECT_EQ(face[0].normal, normals[2]);
  EXPECT_EQ(face[2].normal, normals[0]);
}

TEST(FaceVertices, one_token_without_normal_replaces_every_file_normal) {
  const auto face = build_face_vertices("f 1//1 2//2 3", positions, texcoords, normals);
  ASSERT_EQ(face.size(), 3u);
  for (const Vertex& v : face) {
    EXPECT_EQ(v.normal, (Vector3{0, 0, -1}));
  }
}

TEST(FaceVertices, negative_indices_name_the_last_positions_read) {
  const auto face = build_face_vertices("f -3 -2 -1", positions, texcoords, normals);
  ASSERT_EQ(face.size(), 3u);
  EXPECT_EQ(face[0].pos, positions[2]);
  EXPECT_EQ(face[2].pos, positions[4]);
}

TEST(FaceVertices, token_of_more_than_three_parts_takes_the_previous_form) {
  const auto face = build_face_vertices("f 1/1 2/2 3/3/1/9", positions, texcoords, normals);
  ASSERT_EQ(face.size(), 3u);
  EXPECT_TRUE(same(face[2].texcoord, texcoords[2]));
  EXPECT_EQ(face[2].normal, (Vector3{0, 0, -1}));  // read as position/texture: normal generated
}

TEST(FaceVertices, two_vertices_with_file_normals_are_kept) {
  EXPECT_EQ(build_face_vertices("f 1//1 2//2", positions, texcoords, normals).size(), 2u);
}

TEST(MalformedFace, gives_no_vertices) {
  const char* lines[] = {
      "f 1  2 3",      // empty token
      "f 0 1 2",       // index 0
      "f 1 2 6",       // past the positions read so far
      "f 1 2 -6",      // before the first position
      "f 1/5 2/1 3/1", // past the texture coordinates
      "f 1//4 2//1 3//1",
      "f 1/1/1/1 2 3",  // first token of four parts: no form to take
      "f a b c",
      "f 1 2",          // normal cannot be generated
      "f 1",
      "f /1 2 3",
      "f 1/ 2/1 3/1/",   // "1/" is position only, then "2/1" fine, "3/1/" fine
  };
  for (std::size_t i = 0; i + 1 < std::size(lines); ++i) {
    EXPECT_TRUE(build_face_vertices(lines[i], positions, texcoords, normals).empty()) << lines[i];
  }
  EXPECT_EQ(build_face_vertices(lines[std::size(lines) - 1], positions, texcoords, normals).size(), 3u);
}

TEST(MalformedFace, index_beyond_a_huge_number_is_no_index) {
  EXPECT_TRUE(build_face_vertices("f 1 2 4294967299", positions, texcoords, normals).empty());
  EXPECT_TRUE(build_face_vertices("f 1 2 -4294967295", positions, texcoords, normals).empty());
}

// ---- triangulate_face ----------------------------------------------------

TEST(Triangulate, fewer_than_three_vertices_give_nothing_and_three_give_one_triangle) {
  EXPECT_TRUE(triangulate_face(polygon({{0, 0, 0}, {1, 0, 0}})).empty());
  EXPECT_EQ(triangulate_face(polygon({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})), (Indices{0, 1, 2}));
}

TEST(Triangulate, quadrilateral_splits_from_second_to_fourth_even_when_not_convex) {
  // Reflex at vertex 1: the fixed split still holds.
  EXPECT_EQ(triangulate_face(polygon({{0, 0, 0}, {1, 0.9f, 0}, {2, 0, 0}, {1, 2, 0}})),
            (Indices{0, 1, 3, 1, 2, 3}));
}

TEST(Triangulate, convex_pentagon_clips_vertex_zero_then_splits_the_rest) {
  const auto face = polygon({{0, -1, 0}, {1, 0, 0}, {0.6f, 1, 0}, {-0.6f, 1, 0}, {-1, 0, 0}});
  EXPECT_EQ(triangulate_face(face), (Indices{0, 1, 4, 1, 2, 4, 2, 3, 4}));
}

TEST(Triangulate, reflex_vertex_is_not_clipped_as_an_ear) {
  // Vertex 0 is reflex; its triangle (4, 0, 1) holds no other vertex, so only
  // the turn of the polygon tells it is no ear.
  const auto face = polygon({{0, -0.5f, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}, {-1, -1, 0}});
  const Indices out = triangulate_face(face);
  EXPECT_EQ(out, (Indices{0, 1, 2, 0, 2, 4, 2, 3, 4}));
  // Every triangle keeps the polygon's counter-clockwise turn.
  for (std::size_t t = 0; t < out.size(); t += 3) {
    const Vector3 n = cross(face[out[t + 1]].pos - face[out[t]].pos, face[out[t + 2]].pos - face[out[t]].pos);
    EXPECT_GT(n.z, 0.0f);
  }
}

TEST(Triangulate, shared_positions_still_give_three_indices_per_triangle) {
  const auto face = polygon({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {0, 1, 0}});
  EXPECT_EQ(triangulate_face(face).size() % 3, 0u);
}

// ---- point_in_triangle ---------------------------------------------------

TEST(PointInTriangle, inside_on_the_border_and_off_the_plane_count) {
  const Vector3 a{0, 0, 0}, b{2, 0, 0}, c{0, 2, 0};
  EXPECT_TRUE(point_in_triangle({0.5f, 0.5f, 0}, a, b, c));
  EXPECT_TRUE(point_in_triangle({1, 0, 0}, a, b, c));
  EXPECT_TRUE(point_in_triangle(a, a, b, c));
  EXPECT_TRUE(point_in_triangle({0.5f, 0.5f, 9}, a, b, c));
  EXPECT_FALSE(point_in_triangle({1.5f, 1.5f, 0}, a, b, c));
  EXPECT_FALSE(point_in_triangle({-0.1f, 0.5f, 0}, a, b, c));
}

TEST(PointInTriangle, degenerate_triangle_contains_nothing) {
  EXPECT_FALSE(point_in_triangle({1, 0, 0}, {0, 0, 0}, {2, 0, 0}, {4, 0, 0}));
  EXPECT_FALSE(point_in_triangle({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}));
}

}  // namespace
