#include "common/app_info.h"

AppInfo app_info = {
    .title = "",
    .width = 0,
    .height = 0,
    .gl_major = 1,
    .gl_minor = 0,
    .samples = 4,
    .force_configure = false,
    .fullscreen = true,
    .vsync = true,
    .window_icon = true,
    .show_cursor = false,
    .robust_context = true,
    .anisotropy = true,
    .multisample = true,
    .line_smooth = true,
    .polygon_smooth = true,
    .mipmaps = true,
};
