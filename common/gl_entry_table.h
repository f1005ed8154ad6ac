// The table of OpenGL function pointers through which every GL call goes, without
// the macros that make each entry callable under its GL name. Code that calls GL
// includes common/gl_entry_points.h instead; this header is for the loader itself
// and for code that must also see a GL header of its own.
#pragma once

#include <cstdint>

// Types and PFN...PROC pointer typedefs only: without GL_GLEXT_PROTOTYPES the
// header declares no functions, so nothing here collides with libGL's exports.
#include <GL/glcorearb.h>

// One pointer per function of OpenGL 1.0 to 4.5 core plus a fixed set of
// extension functions, in the order they are looked up. All null until loaded.
struct GlEntryPoints {
#define GL_ENTRY(index, name, type) type name;
#include "common/gl_entry_list.inc"
#undef GL_ENTRY
};

inline constexpr int gl_entry_count = 700;
static_assert(sizeof(GlEntryPoints) == gl_entry_count * sizeof(void (*)()));

extern GlEntryPoints gl_entry_points;

// The entries' names, parallel to the members of GlEntryPoints.
extern const char* const gl_entry_names[gl_entry_count];

// A run of consecutive entries taken from one section of the GL interface.
struct GlEntrySection {
  const char* title;  // "OpenGL 1.0" ... "OpenGL 4.5", "Extensions"
  int first;          // index of its first entry
  int count;
};
inline constexpr int gl_entry_section_count = 19;
extern const GlEntrySection gl_entry_sections[gl_entry_section_count];

using GlProc = void (*)();

// The entry at that index as an untyped pointer; null outside 0..699.
GlProc gl_entry_at(int index);

// The current context's version, as the context reports it after loading.
extern std::int32_t context_major;
extern std::int32_t context_minor;

// Fills the table with the context current. 0 when the context is version 3.0 or
// later, -1 when it is older or glGetIntegerv was not found.
int load_gl_entry_points();

// The function of that name: the current context's, else the GL library's own
// export; null when neither has it.
GlProc get_gl_proc(const char* name);

// The platform lookups the loader goes through. They start as the platform's
// gl_library_* and gl_context_proc; tests swap in fakes.
struct GlResolver {
  bool (*library_open)();
  void (*library_close)();
  void* (*library_symbol)(const char* name);
  void* (*context_proc)(const char* name);
};
extern GlResolver gl_resolver;
