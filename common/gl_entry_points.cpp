#include "common/gl_entry_table.h"

#include "platform/platform.h"

GlEntryPoints gl_entry_points = {};
std::int32_t context_major = 0;
std::int32_t context_minor = 0;

GlResolver gl_resolver = {gl_library_open, gl_library_close, gl_library_symbol, gl_context_proc};

const char* const gl_entry_names[gl_entry_count] = {
#define GL_ENTRY(index, name, type) #name,
#include "common/gl_entry_list.inc"
#undef GL_ENTRY
};

const GlEntrySection gl_entry_sections[gl_entry_section_count] = {
#define GL_SECTION(title, first, count) {title, first, count},
#include "common/gl_entry_sections.inc"
#undef GL_SECTION
};

GlProc gl_entry_at(int index) {
  switch (index) {
#define GL_ENTRY(index, name, type) \
  case index:                       \
    return reinterpret_cast<GlProc>(gl_entry_points.name);
#include "common/gl_entry_list.inc"
#undef GL_ENTRY
  }
  return nullptr;
}

GlProc get_gl_proc(const char* name) {
  void* proc = gl_resolver.context_proc(name);
  if (proc == nullptr) {
    proc = gl_resolver.library_symbol(name);
  }
  return reinterpret_cast<GlProc>(proc);
}

int load_gl_entry_points() {
  // The library is held only while looking up; the program's own link to it keeps
  // the functions found valid afterwards.
  gl_resolver.library_open();
#define GL_ENTRY(index, name, type) gl_entry_points.name = reinterpret_cast<type>(get_gl_proc(#name));
#include "common/gl_entry_list.inc"
#undef GL_ENTRY
  gl_resolver.library_close();

  if (gl_entry_points.glGetIntegerv == nullptr) {
    return -1;
  }
  // A context older than 3.0 rejects both queries and leaves the fields as they were.
  gl_entry_points.glGetIntegerv(GL_MAJOR_VERSION, &context_major);
  gl_entry_points.glGetIntegerv(GL_MINOR_VERSION, &context_minor);
  return context_major < 3 ? -1 : 0;
}
