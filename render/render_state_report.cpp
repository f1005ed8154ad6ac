#include "render/render_state_report.h"

#include <cstdio>

#include "common/gl_entry_points.h"
#include "render/frame_renderer.h"

namespace {

char report[512];

bool enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

GLint integer(GLenum what) {
  GLint value = 0;
  glGetIntegerv(what, &value);
  return value;
}

}  // namespace

const char* render_state_report() {
  const char* renderer = current_renderer();
  GLint modes[2] = {GL_FILL, GL_FILL};
  glGetIntegerv(GL_POLYGON_MODE, modes);
  // The window's own framebuffer: the software path may have another bound.
  GLint bound = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  const GLint samples = integer(GL_SAMPLES);
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(bound));
  const GLint cull_mode = integer(GL_CULL_FACE_MODE);
  const char* cull = !enabled(GL_CULL_FACE)  ? "none"
                     : cull_mode == GL_FRONT ? "front"
                     : cull_mode == GL_BACK  ? "back"
                                             : "both";
  std::snprintf(report, sizeof report,
                "render %s samples %d cull %s front-faces %s multisample %d line-smooth %d polygon-smooth %d "
                "edge-smoothing %d renderer %s",
                render_path == RenderPath::Software ? "software" : "full", samples, cull,
                modes[0] == GL_LINE ? "line" : modes[0] == GL_POINT ? "point" : "fill", enabled(GL_MULTISAMPLE),
                enabled(GL_LINE_SMOOTH), enabled(GL_POLYGON_SMOOTH), edge_smoothing,
                renderer != nullptr ? renderer : "unknown");
  return report;
}
