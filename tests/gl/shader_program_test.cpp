// The shader program built from the embedded sources on a real Mesa context.
#include "render/shader_program.h"

#include <cstring>
#include <string>
#include <vector>

#include "tests/gl/context_fixture.h"

namespace {

class ShaderProgram : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    real_shader_source = glShaderSource;
  }
  void TearDown() override { glShaderSource = real_shader_source; }

  static std::vector<GLuint> attached_shaders() {
    GLuint shaders[4] = {};
    GLsizei count = 0;
    glGetAttachedShaders(shader_program, 4, &count, shaders);
    return std::vector<GLuint>(shaders, shaders + count);
  }

  static std::string source_of(GLuint shader) {
    char text[shader_source_capacity] = {};
    GLsizei length = 0;
    glGetShaderSource(shader, sizeof text, &length, text);
    return std::string(text, static_cast<std::size_t>(length));
  }

  static GLint shader_type(GLuint shader) {
    GLint type = 0;
    glGetShaderiv(shader, GL_SHADER_TYPE, &type);
    return type;
  }

  static inline PFNGLSHADERSOURCEPROC real_shader_source = nullptr;
  static inline GLuint broken_shader = 0;
  static inline std::vector<GLuint> deleted_shaders;
  static inline PFNGLDELETESHADERPROC real_delete_shader = nullptr;

  // Hands GL a fragment shader that cannot compile, as a broken driver or text would.
  static void APIENTRY break_fragment_source(GLuint shader, GLsizei count, const GLchar* const* strings,
                                             const GLint* lengths) {
    if (shader_type(shader) == GL_FRAGMENT_SHADER) {
      broken_shader = shader;
      const GLchar* broken = "#version 110\nvoid main() { this is not glsl }\n";
      real_shader_source(shader, 1, &broken, nullptr);
      return;
    }
    real_shader_source(shader, count, strings, lengths);
  }
  static void APIENTRY record_delete_shader(GLuint shader) {
    deleted_shaders.push_back(shader);
    real_delete_shader(shader);
  }
};

}  // namespace

TEST_F(ShaderProgram, it_compiles_and_links_from_the_embedded_texts) {
  build_shader_program();
  ASSERT_TRUE(glIsProgram(shader_program));
  GLint linked = GL_FALSE;
  glGetProgramiv(shader_program, GL_LINK_STATUS, &linked);
  EXPECT_EQ(linked, GL_TRUE);
  const std::vector<GLuint> shaders = attached_shaders();
  ASSERT_EQ(shaders.size(), 2u);
  EXPECT_EQ(shader_type(shaders[0]), GL_VERTEX_SHADER);
  EXPECT_EQ(shader_type(shaders[1]), GL_FRAGMENT_SHADER);
  for (GLuint shader : shaders) {
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    EXPECT_EQ(compiled, GL_TRUE);
  }
}

TEST_F(ShaderProgram, each_source_handed_to_gl_ends_in_an_empty_line_comment_where_the_marker_stood) {
  build_shader_program();
  for (GLuint shader : attached_shaders()) {
    const std::string text = source_of(shader);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "//");
    EXPECT_EQ(text.find('~'), std::string::npos);
    EXPECT_EQ(text.rfind("#version 110", 0), 0u);
  }
}

TEST_F(ShaderProgram, the_uniforms_are_found_and_the_attributes_sit_in_their_slots) {
  build_shader_program();
  EXPECT_NE(mv_matrix_location, -1);
  EXPECT_NE(proj_matrix_location, -1);
  EXPECT_NE(light_pos_location, -1);
  EXPECT_EQ(mv_matrix_location, glGetUniformLocation(shader_program, "mv_matrix"));
  EXPECT_EQ(attrib_locations[PositionSlot], 0);
  EXPECT_EQ(attrib_locations[PositionTexSlot], 1);
  EXPECT_EQ(attrib_locations[PositionNormalSlot], 2);
  // Declared but never read, so inactive after linking.
  EXPECT_EQ(attrib_locations[PositionTangentSlot], -1);
  EXPECT_EQ(attrib_locations[PositionBitangentSlot], -1);
  // Reserved, declared by neither shader.
  EXPECT_EQ(attrib_locations[MvMatrixInstanceSlot], -1);
}

TEST_F(ShaderProgram, a_stage_that_fails_to_compile_is_deleted_and_the_rest_still_links) {
  // Each GL name stands for its entry in the table, so assigning to it swaps the entry.
  real_delete_shader = glDeleteShader;
  glShaderSource = break_fragment_source;
  glDeleteShader = record_delete_shader;
  deleted_shaders.clear();
  build_shader_program();
  glDeleteShader = real_delete_shader;

  ASSERT_NE(broken_shader, 0u);
  EXPECT_EQ(deleted_shaders, std::vector<GLuint>{broken_shader});
  EXPECT_FALSE(glIsShader(broken_shader));
  // Only the vertex stage is attached; the program links without a fragment
  // stage, and the look-ups still run.
  const std::vector<GLuint> shaders = attached_shaders();
  ASSERT_EQ(shaders.size(), 1u);
  EXPECT_EQ(shader_type(shaders[0]), GL_VERTEX_SHADER);
  EXPECT_NE(mv_matrix_location, -1);
  EXPECT_EQ(attrib_locations[PositionSlot], 0);
  while (glGetError() != GL_NO_ERROR) {
  }
}
