// The cubie texture from the embedded bitmaps: levels, texel values, orientation
// and filtering, on a real Mesa context; and the bitmap reading beneath it.
#include "render/cubie_texture.h"

#include <vector>

#include "common/app_info.h"
#include "tests/gl/context_fixture.h"

namespace {

struct Colour {
  int r, g, b;
};

// Square centres of the atlas, with image row 0 at the top.
struct Square {
  const char* name;
  Colour colour;
  int column, row;
};
constexpr Square squares[] = {
    {"green", {34, 177, 76}, 65, 24},   {"white", {255, 255, 255}, 24, 58}, {"blue", {63, 72, 204}, 65, 62},
    {"orange", {255, 127, 39}, 107, 62}, {"yellow", {255, 242, 0}, 24, 103}, {"red", {237, 28, 36}, 69, 107},
};
constexpr Colour ground = {64, 64, 64};

class CubieTexture : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    saved_app_info = app_info;
  }
  void TearDown() override { app_info = saved_app_info; }
  AppInfo saved_app_info = {};

  static GLint level_parameter(int level, GLenum what) {
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, what, &value);
    return value;
  }
  static GLint parameter(GLenum what) {
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, what, &value);
    return value;
  }
  static float anisotropy() {
    GLfloat value = -1.0f;
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY, &value);
    return value;
  }
  // Level 0 as GL holds it, first row at v = 0.
  static std::vector<float> level_0() {
    std::vector<float> texels(cubie_texture_size * cubie_texture_size * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, texels.data());
    return texels;
  }
};

const float* texel(const std::vector<float>& texels, int width, int column, int row) {
  return texels.data() + (static_cast<std::size_t>(row) * width + column) * 4;
}

void expect_colour(const float* t, Colour c, const char* what) {
  EXPECT_FLOAT_EQ(t[0], c.r / 255.0f) << what;
  EXPECT_FLOAT_EQ(t[1], c.g / 255.0f) << what;
  EXPECT_FLOAT_EQ(t[2], c.b / 255.0f) << what;
  EXPECT_EQ(t[3], 1.0f) << what;
}

}  // namespace

TEST_F(CubieTexture, it_has_eight_levels_from_128_down_to_1_and_stays_bound_to_unit_0) {
  load_cubie_texture(RenderPath::Software);
  GLint bound = 0, unit = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
  EXPECT_EQ(bound, static_cast<GLint>(cubie_texture));
  EXPECT_EQ(unit, GL_TEXTURE0);
  for (int level = 0; level < cubie_texture_levels; ++level) {
    EXPECT_EQ(level_parameter(level, GL_TEXTURE_WIDTH), 128 >> level) << level;
    EXPECT_EQ(level_parameter(level, GL_TEXTURE_HEIGHT), 128 >> level) << level;
  }
  EXPECT_EQ(level_parameter(8, GL_TEXTURE_WIDTH), 0);
}

TEST_F(CubieTexture, the_sticker_colours_sit_at_their_squares_on_the_grey_ground_with_v_0_at_the_bottom) {
  load_cubie_texture(RenderPath::Software);
  const std::vector<float> texels = level_0();
  for (const Square& s : squares) {
    // Image row r (from the top) is texture row 127 - r.
    expect_colour(texel(texels, 128, s.column, 127 - s.row), s.colour, s.name);
  }
  expect_colour(texel(texels, 128, 2, 2), ground, "ground, bottom left");
  expect_colour(texel(texels, 128, 125, 125), ground, "ground, top right");
  expect_colour(texel(texels, 128, 45, 64), ground, "ground between white and blue");
}

TEST_F(CubieTexture, every_texel_of_every_level_is_opaque) {
  load_cubie_texture(RenderPath::Software);
  for (int level = 0; level < cubie_texture_levels; ++level) {
    const int size = 128 >> level;
    std::vector<float> texels(static_cast<std::size_t>(size) * size * 4);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_FLOAT, texels.data());
    for (std::size_t i = 3; i < texels.size(); i += 4) ASSERT_EQ(texels[i], 1.0f) << "level " << level;
  }
}

TEST_F(CubieTexture, mipmaps_and_anisotropy_set_trilinear_filtering_and_the_largest_anisotropy) {
  load_cubie_texture(RenderPath::Full);  // what a hardware renderer gets
  EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
  EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
  GLfloat largest = 0.0f;
  glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY, &largest);
  EXPECT_GT(largest, 1.0f) << "Mesa's llvmpipe offers anisotropic filtering";
  EXPECT_EQ(anisotropy(), largest);
}

TEST_F(CubieTexture, on_a_software_rasteriser_anisotropy_stays_at_its_default) {
  load_cubie_texture(render_path_for(current_renderer()));  // the test context is llvmpipe's
  EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
  EXPECT_EQ(anisotropy(), 1.0f);
}

TEST(anisotropy_usable, everywhere_but_on_mesas_software_rasterisers) {
  EXPECT_FALSE(anisotropy_usable(render_path_for("llvmpipe (LLVM 15.0.6, 256 bits)")));
  EXPECT_FALSE(anisotropy_usable(render_path_for("softpipe")));
  EXPECT_FALSE(anisotropy_usable(render_path_for("Software Rasterizer")));
  EXPECT_TRUE(anisotropy_usable(render_path_for("AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0)")));
  EXPECT_TRUE(anisotropy_usable(render_path_for("Mesa Intel(R) UHD Graphics 620 (KBL GT2)")));
  EXPECT_TRUE(anisotropy_usable(render_path_for(nullptr)));
}

TEST_F(CubieTexture, without_the_flags_filtering_is_plain_linear_and_anisotropy_stays_at_its_default) {
  app_info.mipmaps = false;
  app_info.anisotropy = false;
  load_cubie_texture(RenderPath::Software);
  EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  EXPECT_EQ(anisotropy(), 1.0f);
  // All eight levels are still there.
  EXPECT_EQ(level_parameter(7, GL_TEXTURE_WIDTH), 1);
}

TEST(load_bitmap_rgba, bottom_first_reverses_the_rows_and_top_first_keeps_them) {
  std::vector<float> bottom(128 * 128 * 4), top(128 * 128 * 4);
  load_bitmap_rgba(bottom.data(), 103, 128, 128, true);
  load_bitmap_rgba(top.data(), 103, 128, 128, false);
  const Square& yellow = squares[4];
  expect_colour(texel(top, 128, yellow.column, yellow.row), yellow.colour, "top first");
  expect_colour(texel(bottom, 128, yellow.column, 127 - yellow.row), yellow.colour, "bottom first");
}

TEST(load_bitmap_rgba, the_small_levels_read_as_their_own_sizes) {
  std::vector<float> one(4, -1.0f);
  load_bitmap_rgba(one.data(), 121, 1, 1, true);
  // The 1x1 level is the atlas averaged: a mid tone, not black and not white.
  for (int c = 0; c < 3; ++c) {
    EXPECT_GT(one[c], 0.2f);
    EXPECT_LT(one[c], 0.8f);
  }
  EXPECT_EQ(one[3], 1.0f);
}

TEST(load_bitmap_rgba, pixels_the_bitmap_does_not_have_come_out_opaque_black) {
  // The 2x2 level read as 4x4: only its own four pixels come from the bitmap.
  std::vector<float> out(4 * 4 * 4, -1.0f);
  load_bitmap_rgba(out.data(), 120, 4, 4, false);
  EXPECT_GT(out[0] + out[1] + out[2], 0.0f);
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      if (row < 2 && column < 2) continue;
      expect_colour(texel(out, 4, column, row), {0, 0, 0}, "outside");
    }
  }
  std::vector<float> missing(2 * 2 * 4, -1.0f);
  load_bitmap_rgba(missing.data(), 999, 2, 2, true);
  for (int i = 0; i < 4; ++i) expect_colour(missing.data() + 4 * i, {0, 0, 0}, "missing resource");
}
