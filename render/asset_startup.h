// The one-time asset start-up: cubie texture, shader program, cubie mesh.
#pragma once

#include "render/render_path.h"

void start_assets(RenderPath path);
