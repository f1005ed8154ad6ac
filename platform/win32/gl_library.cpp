// The system's OpenGL library on Windows: opengl32.dll exports OpenGL 1.0 and 1.1
// itself; everything newer comes from the current context's driver through
// wglGetProcAddress, which is why the program links to that function.
#include <windows.h>

#include <cstdint>

#include "platform/platform.h"

namespace {

// Held only while the entry table is being filled.
HMODULE held_library = nullptr;

}  // namespace

bool gl_library_open() {
  if (held_library == nullptr) held_library = LoadLibraryA("opengl32.dll");
  return held_library != nullptr;
}

void gl_library_close() {
  if (held_library != nullptr) {
    FreeLibrary(held_library);
    held_library = nullptr;
  }
}

void* gl_library_symbol(const char* name) {
  if (held_library == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(held_library, name));
}

void* gl_context_proc(const char* name) {
  void* proc = reinterpret_cast<void*>(wglGetProcAddress(name));
  // Some drivers answer a miss with 1, 2, 3 or -1 instead of null; calling such
  // an entry would crash, so they count as misses too.
  const auto value = reinterpret_cast<std::intptr_t>(proc);
  if (value == 1 || value == 2 || value == 3 || value == -1) return nullptr;
  return proc;
}
