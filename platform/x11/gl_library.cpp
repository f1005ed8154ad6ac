// The system's OpenGL library on Linux: glvnd's libGL.so.1, which exports a
// dispatch entry for every GL function it knows (core and extensions alike) and
// forwards each call to the vendor of the current context.
#include "platform/platform.h"

#include <GL/glx.h>
#include <dlfcn.h>

namespace {

constexpr const char* gl_library_name = "libGL.so.1";

// Held only while the entry table is being filled.
void* held_library = nullptr;

// The program links libGL.so.1 (for glXGetProcAddressARB), so this handle only
// names the copy already loaded and lives as long as the process.
void* linked_library() {
  static void* const handle = dlopen(gl_library_name, RTLD_LAZY | RTLD_LOCAL);
  return handle;
}

}  // namespace

bool gl_library_open() {
  if (held_library == nullptr) {
    held_library = dlopen(gl_library_name, RTLD_LAZY | RTLD_LOCAL);
  }
  return held_library != nullptr;
}

void gl_library_close() {
  if (held_library != nullptr) {
    dlclose(held_library);
    held_library = nullptr;
  }
}

void* gl_library_symbol(const char* name) {
  return held_library != nullptr ? dlsym(held_library, name) : nullptr;
}

void* gl_context_proc(const char* name) {
  // glXGetProcAddressARB makes up a stub for any name at all, so it cannot tell a
  // miss: only names the library itself exports count as found.
  void* library = linked_library();
  if (library == nullptr || dlsym(library, name) == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}
