// Every GL function, callable under its own name: glDrawElements(...) calls
// through gl_entry_points.glDrawElements. Include this instead of any GL header;
// where GLFW is included, GLFW_INCLUDE_NONE must be defined first so that GL/gl.h
// (which declares the same names as functions) never meets these macros.
#pragma once

#include "common/gl_entry_table.h"

#include "common/gl_entry_macros.inc"
