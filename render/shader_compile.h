// Compiling one shader stage, shared by every program the renderer builds.
#pragma once

#include "common/gl_entry_points.h"

struct CompiledStage {
  GLuint name;    // the shader's name, deleted already when compiled is false
  bool compiled;
};

// Creates, loads and compiles a stage; a stage that fails to compile is deleted
// at once. The caller decides what a failure means.
CompiledStage compile_stage(GLenum type, const char* source);
