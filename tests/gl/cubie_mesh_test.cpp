// The embedded cubie model on the GPU: buffers, attribute bindings and the
// values stored in them, read back from a real Mesa context.
#include "render/cubie_mesh.h"

#include <cmath>
#include <vector>

#include "render/shader_program.h"
#include "tests/gl/context_fixture.h"

namespace {

class CubieMesh : public GlContextTest {
 protected:
  static void SetUpTestSuite() {
    GlContextTest::SetUpTestSuite();
    if (window == nullptr) return;
    build_shader_program();
    upload_cubie_mesh(RenderPath::Full);
  }

  static GLint buffer_size(int buffer, GLenum target) {
    glBindBuffer(target, mesh_buffers[buffer]);
    GLint size = -1;
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    return size;
  }

  static std::vector<float> read_floats(int buffer, int components) {
    std::vector<float> values(static_cast<std::size_t>(components) * cubie_vertex_count);
    glBindBuffer(GL_ARRAY_BUFFER, mesh_buffers[buffer]);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(values.size() * sizeof(float)), values.data());
    return values;
  }

  static GLint attrib(GLuint index, GLenum what) {
    GLint value = -2;
    glGetVertexAttribiv(index, what, &value);
    return value;
  }
};

float length_at(const std::vector<float>& v, int i) {
  return std::sqrt(v[3 * i] * v[3 * i] + v[3 * i + 1] * v[3 * i + 1] + v[3 * i + 2] * v[3 * i + 2]);
}

}  // namespace

TEST_F(CubieMesh, the_embedded_model_gives_384_vertices_and_564_indices) {
  EXPECT_EQ(cubie_vertex_count, 384);
  EXPECT_EQ(cubie_index_count, 564);
}

TEST_F(CubieMesh, six_buffers_are_made_with_the_sizes_of_the_packed_arrays) {
  for (int b = 0; b < mesh_buffer_count; ++b) {
    EXPECT_NE(mesh_buffers[b], 0u) << b;
    EXPECT_TRUE(glIsBuffer(mesh_buffers[b])) << b;
  }
  EXPECT_EQ(buffer_size(PositionBuffer, GL_ARRAY_BUFFER), 4608);
  EXPECT_EQ(buffer_size(TexcoordBuffer, GL_ARRAY_BUFFER), 3072);
  EXPECT_EQ(buffer_size(NormalBuffer, GL_ARRAY_BUFFER), 4608);
  EXPECT_EQ(buffer_size(TangentBuffer, GL_ARRAY_BUFFER), 4608);
  EXPECT_EQ(buffer_size(BitangentBuffer, GL_ARRAY_BUFFER), 4608);
  EXPECT_EQ(buffer_size(IndexBuffer, GL_ELEMENT_ARRAY_BUFFER), 2256);
  glBindBuffer(GL_ARRAY_BUFFER, mesh_buffers[BitangentBuffer]);
}

TEST_F(CubieMesh, the_unused_tangent_attributes_report_minus_1_so_only_three_arrays_are_enabled) {
  EXPECT_EQ(attrib_locations[PositionSlot], 0);
  EXPECT_EQ(attrib_locations[PositionTexSlot], 1);
  EXPECT_EQ(attrib_locations[PositionNormalSlot], 2);
  EXPECT_EQ(attrib_locations[PositionTangentSlot], -1);
  EXPECT_EQ(attrib_locations[PositionBitangentSlot], -1);
  GLint max_attribs = 0;
  glGetIntegerv(GL_MAX_VERTEX_ATTRIBS, &max_attribs);
  for (GLuint i = 0; i < static_cast<GLuint>(max_attribs); ++i) {
    EXPECT_EQ(attrib(i, GL_VERTEX_ATTRIB_ARRAY_ENABLED), i < 3 ? GL_TRUE : GL_FALSE) << i;
  }
}

TEST_F(CubieMesh, each_enabled_attribute_reads_its_own_tightly_packed_float_buffer) {
  const int buffer[3] = {PositionBuffer, TexcoordBuffer, NormalBuffer};
  const GLint components[3] = {3, 2, 3};
  for (GLuint i = 0; i < 3; ++i) {
    EXPECT_EQ(attrib(i, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING), static_cast<GLint>(mesh_buffers[buffer[i]])) << i;
    EXPECT_EQ(attrib(i, GL_VERTEX_ATTRIB_ARRAY_SIZE), components[i]) << i;
    EXPECT_EQ(attrib(i, GL_VERTEX_ATTRIB_ARRAY_TYPE), GL_FLOAT) << i;
    EXPECT_EQ(attrib(i, GL_VERTEX_ATTRIB_ARRAY_STRIDE), 0) << i;
    EXPECT_EQ(attrib(i, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED), GL_FALSE) << i;
  }
}

TEST_F(CubieMesh, the_index_buffer_stays_bound_for_drawing) {
  GLint bound = 0;
  glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &bound);
  EXPECT_EQ(bound, static_cast<GLint>(mesh_buffers[IndexBuffer]));
  std::vector<GLuint> indices(static_cast<std::size_t>(cubie_index_count));
  glGetBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(indices.size() * 4), indices.data());
  for (GLuint i : indices) ASSERT_LT(i, static_cast<GLuint>(cubie_vertex_count));
}

TEST_F(CubieMesh, every_stored_normal_is_unit_length_and_points_away_from_the_centre) {
  const std::vector<float> positions = read_floats(PositionBuffer, 3);
  const std::vector<float> normals = read_floats(NormalBuffer, 3);
  float low[3] = {1e9f, 1e9f, 1e9f}, high[3] = {-1e9f, -1e9f, -1e9f};
  for (int i = 0; i < cubie_vertex_count; ++i) {
    for (int c = 0; c < 3; ++c) {
      low[c] = std::fmin(low[c], positions[3 * i + c]);
      high[c] = std::fmax(high[c], positions[3 * i + c]);
    }
  }
  for (int i = 0; i < cubie_vertex_count; ++i) {
    EXPECT_NEAR(length_at(normals, i), 1.0f, 1e-5f) << i;
    float outward = 0.0f;
    for (int c = 0; c < 3; ++c) outward += normals[3 * i + c] * (positions[3 * i + c] - (low[c] + high[c]) / 2);
    EXPECT_GT(outward, 0.0f) << i;
  }
}

TEST_F(CubieMesh, every_vertex_has_a_unit_tangent_and_bitangent) {
  const std::vector<float> tangents = read_floats(TangentBuffer, 3);
  const std::vector<float> bitangents = read_floats(BitangentBuffer, 3);
  for (int i = 0; i < cubie_vertex_count; ++i) {
    EXPECT_NEAR(length_at(tangents, i), 1.0f, 1e-5f) << i;
    EXPECT_NEAR(length_at(bitangents, i), 1.0f, 1e-5f) << i;
  }
}
