#include "frame/asset_startup.h"

#include "assets/cubie_mesh.h"
#include "render/cubie_texture.h"
#include "render/shader_program.h"

// The mesh comes last: it binds its arrays to the program's attribute locations.
void start_assets() {
  load_cubie_texture();
  build_shader_program();
  upload_cubie_mesh();
}
