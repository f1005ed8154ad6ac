// Which way the frame will be drawn, found before the real window is made.
#pragma once

#include "render/render_path.h"

// The renderer is known only once a context exists. A hidden window with the
// same context request names it before the real window is made, so that the
// real one is made once: made twice, it would flash on the screen, and a host
// watching for it would see it vanish. Fills path and returns true; false, with
// path untouched, when no such window could be made.
bool probe_render_path(RenderPath& path);
