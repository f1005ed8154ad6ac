// The configuration record of the frame. Every setting is a default here;
// nothing changes the flags at run time.
#pragma once

#include <cstdint>

struct AppInfo {
  char title[128];
  std::int32_t width;
  std::int32_t height;
  std::int32_t gl_major;
  std::int32_t gl_minor;
  std::int32_t samples;
  bool force_configure;
  bool fullscreen;
  bool vsync;
  bool window_icon;
  bool show_cursor;
  bool robust_context;
  bool anisotropy;
  bool multisample;
  bool line_smooth;
  bool polygon_smooth;
  bool mipmaps;
};

extern AppInfo app_info;
