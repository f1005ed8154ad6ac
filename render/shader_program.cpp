#include "render/shader_program.h"

#include "assets/text_resources.h"
#include "common/gl_entry_points.h"
#include "render/shader_compile.h"

const char* const attrib_names[attrib_slot_count] = {
    "position", "position_tex", "position_normal", "position_tangent", "position_bitangent", "mv_matrix_instance",
};

std::uint32_t shader_program;
std::int32_t mv_matrix_location;
std::int32_t proj_matrix_location;
std::int32_t light_pos_location;
std::int32_t attrib_locations[attrib_slot_count];

namespace {

// Filled up to the end marker; the texts end in "//~", so GL sees a last empty
// line comment and nothing of what follows the marker.
char vertex_source[shader_source_capacity];
char fragment_source[shader_source_capacity];

}  // namespace

void build_shader_program() {
  load_text_resource(vertex_shader_resource, vertex_source, sizeof vertex_source);
  load_text_resource(fragment_shader_resource, fragment_source, sizeof fragment_source);

  shader_program = glCreateProgram();
  const GLuint vertex_shader = compile_stage(GL_VERTEX_SHADER, vertex_source).name;
  const GLuint fragment_shader = compile_stage(GL_FRAGMENT_SHADER, fragment_source).name;
  // A deleted stage's name is refused here with a GL error nobody reads.
  glAttachShader(shader_program, vertex_shader);
  glAttachShader(shader_program, fragment_shader);
  for (int slot = 0; slot < attrib_slot_count; ++slot) {
    glBindAttribLocation(shader_program, static_cast<GLuint>(slot), attrib_names[slot]);
  }
  glLinkProgram(shader_program);

  mv_matrix_location = glGetUniformLocation(shader_program, "mv_matrix");
  proj_matrix_location = glGetUniformLocation(shader_program, "proj_matrix");
  light_pos_location = glGetUniformLocation(shader_program, "light_pos");
  for (int slot = 0; slot < attrib_slot_count; ++slot) {
    attrib_locations[slot] = glGetAttribLocation(shader_program, attrib_names[slot]);
  }
}
