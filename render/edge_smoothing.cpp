#include "render/edge_smoothing.h"

#include "common/gl_entry_points.h"
#include "render/offscreen_target.h"
#include "render/shader_compile.h"

namespace {

// The scene texture lives on its own unit, so unit 0 keeps the cubie texture.
constexpr GLint scene_unit = 1;

GLuint pass_program;
GLint texel_location = -1;
GLint corners_location = -1;
GLint origin_location = -1;
OffscreenTarget scene_target;
// Where the target's first pixel lies in the window this frame, and the window.
ScreenBox scene_place;
TargetSize window_size;

// A polygon of up to sixteen corners, given as a uniform and read by vertex
// number: no buffer of its own, and the mesh's attribute arrays stay as they are.
const char* const pass_vertex_source =
    "#version 130\n"
    "uniform vec2 corners[16];\n"
    "void main() {\n"
    "  gl_Position = vec4(corners[gl_VertexID], 0.0, 1.0);\n"
    "}\n";

static_assert(outline_corner_count == 16, "the pass's vertex shader holds sixteen corners");

// One triangle over the whole screen.
const GLfloat whole_screen[] = {-1.0f, -1.0f, 3.0f, -1.0f, -1.0f, 3.0f};
GLfloat outline_corners[2 * outline_corner_count];

// Luma at the four diagonal neighbours gives the edge's direction; two and four
// reads along it give a narrow and a wide blend, and the wide one is kept unless
// it leaves the neighbourhood's luma range (it crossed another edge).
const char* const pass_fragment_source =
    "#version 130\n"
    "uniform sampler2D scene;\n"
    "uniform vec2 texel;\n"
    "uniform ivec2 origin;\n"
    "const vec3 weights = vec3(0.299, 0.587, 0.114);\n"
    "vec3 at(vec2 p) { return texture(scene, p).rgb; }\n"
    "float luma(ivec2 q, ivec2 last) { return dot(texelFetch(scene, clamp(q, ivec2(0), last), 0).rgb, weights); }\n"
    "void main() {\n"
    "  ivec2 q = ivec2(gl_FragCoord.xy) - origin;\n"
    "  ivec2 last = textureSize(scene, 0) - 1;\n"
    "  vec3 m = texelFetch(scene, q, 0).rgb;\n"
    "  float nw = luma(q + ivec2(-1, -1), last);\n"
    "  float ne = luma(q + ivec2(1, -1), last);\n"
    "  float sw = luma(q + ivec2(-1, 1), last);\n"
    "  float se = luma(q + ivec2(1, 1), last);\n"
    "  float lm = dot(m, weights);\n"
    "  float lo = min(lm, min(min(nw, ne), min(sw, se)));\n"
    "  float hi = max(lm, max(max(nw, ne), max(sw, se)));\n"
    "  vec2 dir = vec2(-((nw + ne) - (sw + se)), (nw + sw) - (ne + se));\n"
    "  float reduce = max((nw + ne + sw + se) * (0.25 / 8.0), 1.0 / 128.0);\n"
    "  float scale = 1.0 / (min(abs(dir.x), abs(dir.y)) + reduce);\n"
    "  dir = clamp(dir * scale, vec2(-8.0), vec2(8.0)) * texel;\n"
    "  vec2 p = (gl_FragCoord.xy - vec2(origin)) * texel;\n"
    "  vec3 narrow = 0.5 * (at(p + dir * (1.0 / 3.0 - 0.5)) + at(p + dir * (2.0 / 3.0 - 0.5)));\n"
    "  vec3 wide = narrow * 0.5 + 0.25 * (at(p - dir * 0.5) + at(p + dir * 0.5));\n"
    "  float lw = dot(wide, weights);\n"
    "  gl_FragColor = vec4((lw < lo || lw > hi) ? narrow : wide, 1.0);\n"
    "}\n";

GLuint compiled(GLenum type, const char* source) {
  const CompiledStage stage = compile_stage(type, source);
  return stage.compiled ? stage.name : 0;
}

}  // namespace

bool start_edge_smoothing() {
  if (pass_program != 0) return true;
  if (glGenFramebuffers == nullptr || glCheckFramebufferStatus == nullptr) return false;
  const GLuint vertex = compiled(GL_VERTEX_SHADER, pass_vertex_source);
  const GLuint fragment = compiled(GL_FRAGMENT_SHADER, pass_fragment_source);
  if (vertex == 0 || fragment == 0) {
    if (vertex != 0) glDeleteShader(vertex);
    if (fragment != 0) glDeleteShader(fragment);
    return false;
  }
  pass_program = glCreateProgram();
  glAttachShader(pass_program, vertex);
  glAttachShader(pass_program, fragment);
  glLinkProgram(pass_program);
  // Flagged for deletion; they go with the program.
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = GL_FALSE;
  glGetProgramiv(pass_program, GL_LINK_STATUS, &linked);
  if (linked == GL_FALSE) {
    glDeleteProgram(pass_program);
    pass_program = 0;
    return false;
  }
  glUseProgram(pass_program);
  glUniform1i(glGetUniformLocation(pass_program, "scene"), scene_unit);
  texel_location = glGetUniformLocation(pass_program, "texel");
  corners_location = glGetUniformLocation(pass_program, "corners");
  origin_location = glGetUniformLocation(pass_program, "origin");
  glUseProgram(0);
  return true;
}

ScreenBox begin_smoothed_scene(int width, int height, const ScreenBox& reads) {
  if (pass_program == 0 || width <= 0 || height <= 0 || reads.width <= 0 || reads.height <= 0) return {};
  // Only what the pass reads is cleared and kept, not the whole window: on a
  // software rasteriser the clears of colour and depth cost in proportion.
  const TargetSize size = grown_target_size({scene_target.width, scene_target.height}, reads, width, height);
  if (size.width != scene_target.width || size.height != scene_target.height)
    make_offscreen_target(scene_target, size.width, size.height, scene_unit);
  if (!scene_target.complete) return {};
  glBindFramebuffer(GL_FRAMEBUFFER, scene_target.framebuffer);
  scene_place = place_target(size, reads, width, height);
  window_size = {width, height};
  return scene_place;
}

void smooth_edges_to_window(const ScreenBox& cube, const ScreenOutline& outline) {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glViewport(0, 0, window_size.width, window_size.height);
  // Outside the cube's box the scene is the plain ground, which the pass would
  // leave as it is: there the window is only cleared to it. The window's depth
  // buffer plays no part.
  glClear(GL_COLOR_BUFFER_BIT);
  if (cube.width <= 0 || cube.height <= 0) return;
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_SCISSOR_TEST);
  glScissor(cube.x, cube.y, cube.width, cube.height);
  glUseProgram(pass_program);
  glUniform2f(texel_location, 1.0f / static_cast<float>(scene_target.width),
              1.0f / static_cast<float>(scene_target.height));
  glUniform2i(origin_location, scene_place.x, scene_place.y);
  // Past the outline the scene is the ground as well, by a margin the pass's
  // reads do not cross.
  if (outline.whole || outline.count < 3) {
    glUniform2fv(corners_location, 3, whole_screen);
    glDrawArrays(GL_TRIANGLES, 0, 3);
  } else {
    for (int i = 0; i < outline.count; ++i) {
      outline_corners[2 * i] = 2.0f * outline.x[i] / static_cast<float>(window_size.width) - 1.0f;
      outline_corners[2 * i + 1] = 2.0f * outline.y[i] / static_cast<float>(window_size.height) - 1.0f;
    }
    glUniform2fv(corners_location, outline.count, outline_corners);
    glDrawArrays(GL_TRIANGLE_FAN, 0, outline.count);
  }
  glDisable(GL_SCISSOR_TEST);
  glEnable(GL_DEPTH_TEST);
}

void release_edge_smoothing() {
  release_offscreen_target(scene_target);
  if (pass_program != 0) glDeleteProgram(pass_program);
  pass_program = 0;
}
