// The one-time asset start-up: cubie texture, shader program, cubie mesh.
#pragma once

void start_assets();
