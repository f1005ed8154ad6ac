#include "render/cubie_texture.h"

#include "assets/bitmap_reader.h"
#include "common/app_info.h"
#include "common/gl_entry_points.h"
#include "platform/platform.h"
#include "resources/resource_ids.h"

const std::uint16_t cubie_texture_resources[cubie_texture_levels] = {
    resource_id::cubie_texture_1_bmp,  resource_id::cubie_texture_2_bmp,  resource_id::cubie_texture_4_bmp,
    resource_id::cubie_texture_8_bmp,  resource_id::cubie_texture_16_bmp, resource_id::cubie_texture_32_bmp,
    resource_id::cubie_texture_64_bmp, resource_id::cubie_texture_128_bmp};

std::uint32_t cubie_texture;

namespace {

// One level at a time passes through here; the largest is level 0.
float level_pixels[cubie_texture_size * cubie_texture_size * 4];

// Same values as the EXT_texture_filter_anisotropic names.
constexpr GLenum texture_max_anisotropy = GL_TEXTURE_MAX_ANISOTROPY;
constexpr GLenum max_texture_max_anisotropy = GL_MAX_TEXTURE_MAX_ANISOTROPY;

}  // namespace

bool anisotropy_usable(RenderPath path) { return path == RenderPath::Full; }

void load_bitmap_rgba(float* out, std::uint16_t id, int width, int height, bool bottom_first) {
  if (out == nullptr || width <= 0 || height <= 0) return;
  const ResourceBytes bytes = find_resource(ResourceType::Bitmap, id);
  BitmapView view = {};
  const bool readable = read_bitmap(bytes.data, bytes.size, view);
  for (int i = 0; i < height; ++i) {
    const int y = bottom_first ? height - 1 - i : i;
    for (int x = 0; x < width; ++x) {
      float* texel = out + (static_cast<std::size_t>(i) * static_cast<std::size_t>(width) + x) * 4;
      Rgb c = {0, 0, 0};
      if (readable && x < view.width && y < view.height) c = bitmap_pixel(view, x, y);
      texel[0] = c.r / 255.0f;
      texel[1] = c.g / 255.0f;
      texel[2] = c.b / 255.0f;
      texel[3] = 1.0f;
    }
  }
}

void load_cubie_texture(RenderPath path) {
  glGenTextures(1, &cubie_texture);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, cubie_texture);
  glEnable(GL_TEXTURE_2D);

  // Smallest first: the 1x1 image goes to level 7, the 128x128 atlas to level 0.
  for (int k = 0; k < cubie_texture_levels; ++k) {
    const int size = 1 << k;
    load_bitmap_rgba(level_pixels, cubie_texture_resources[k], size, size, true);
    glTexImage2D(GL_TEXTURE_2D, cubie_texture_levels - 1 - k, GL_RGBA, size, size, 0, GL_RGBA, GL_FLOAT,
                 level_pixels);
  }

  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, app_info.mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  if (app_info.anisotropy && anisotropy_usable(path)) {
    GLfloat largest = 1.0f;
    glGetFloatv(max_texture_max_anisotropy, &largest);
    glTexParameterf(GL_TEXTURE_2D, texture_max_anisotropy, largest);
  }
}
