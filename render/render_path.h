// Which of two ways the frame is drawn, chosen once at start-up from the GL
// renderer's name. Hardware renderers get the full fixed state: outlined inner
// sides, multisampling, smoothing, the surface cubies in list order. Mesa's
// software rasterisers spend most of a frame on exactly those (a resolve of the
// multisampled buffer at every swap, every triangle through the unfilled-polygon
// stage), so there the inner sides are culled, the frame is drawn single-sampled
// nearest cubie first, and an edge-smoothing pass stands in for the samples.
#pragma once

enum class RenderPath : unsigned char { Full, Software };

// A pure function of the renderer's name: Mesa's llvmpipe, softpipe and the
// classic swrast ("Software Rasterizer") take the software path; any other
// renderer, or an unknown (null) one, the full path.
RenderPath render_path_for(const char* renderer);

// The renderer's name of the current context, or null without one.
const char* current_renderer();
