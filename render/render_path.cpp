#include "render/render_path.h"

#include <cstring>

#include "frame/gl_entry_points.h"

namespace {

const char* const software_names[] = {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"};

}  // namespace

bool software_rasteriser(const char* renderer) {
  if (renderer == nullptr) return false;
  for (const char* name : software_names) {
    if (std::strstr(renderer, name) != nullptr) return true;
  }
  return false;
}

RenderPath render_path_for(const char* renderer) {
  return software_rasteriser(renderer) ? RenderPath::Software : RenderPath::Full;
}

const char* current_renderer() {
  if (glGetString == nullptr) return nullptr;
  return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}
