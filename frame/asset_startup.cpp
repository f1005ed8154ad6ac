#include "frame/asset_startup.h"

// Texture, shader program and mesh are loaded here, in that order, once the
// renderer lands.
void start_assets() {}
