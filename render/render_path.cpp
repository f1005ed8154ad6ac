#include "render/render_path.h"

#include <cstring>

#include "common/gl_entry_points.h"

namespace {

const char* const software_names[] = {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"};

}  // namespace

RenderPath render_path_for(const char* renderer) {
  if (renderer == nullptr) return RenderPath::Full;
  for (const char* name : software_names) {
    if (std::strstr(renderer, name) != nullptr) return RenderPath::Software;
  }
  return RenderPath::Full;
}

const char* current_renderer() {
  if (glGetString == nullptr) return nullptr;
  return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}
