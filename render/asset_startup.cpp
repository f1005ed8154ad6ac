#include "render/asset_startup.h"

#include "render/cubie_mesh.h"
#include "render/cubie_texture.h"
#include "render/shader_program.h"

// The mesh comes last: it binds its arrays to the program's attribute locations.
void start_assets(RenderPath path) {
  load_cubie_texture(path);
  build_shader_program();
  upload_cubie_mesh(path);
}
