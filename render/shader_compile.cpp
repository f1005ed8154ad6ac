#include "render/shader_compile.h"

CompiledStage compile_stage(GLenum type, const char* source) {
  const GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint status = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
  if (status == GL_FALSE) {
    glDeleteShader(shader);
    return {shader, false};
  }
  return {shader, true};
}
