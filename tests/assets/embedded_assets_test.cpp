// The assets as the program embeds them: the resource table, the shader
// texts, the cubie model with its material, and the texture pyramid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

#include "assets/bitmap_reader.h"
#include "assets/obj_loader.h"
#include "assets/text_resources.h"
#include "platform/platform.h"

namespace {

using namespace objl;

constexpr std::uint16_t obj_id = 104;
constexpr std::uint16_t vertex_shader_id = 105;
constexpr std::uint16_t fragment_shader_id = 106;
constexpr std::uint16_t mtl_id = 125;
// Texture levels from 128 x 128 down to 1 x 1.
constexpr std::uint16_t level_ids[8] = {103, 115, 116, 117, 118, 119, 120, 121};

constexpr float half_width = 4.9956f;

// ---- resource table and texts ---------------------------------------------

TEST(EmbeddedResources, every_asset_id_is_present_and_unknown_ids_are_not) {
  for (std::uint16_t id : {obj_id, vertex_shader_id, fragment_shader_id, mtl_id}) {
    const ResourceBytes r = find_resource(ResourceType::TextFile, id);
    EXPECT_NE(r.data, nullptr) << id;
    EXPECT_GT(r.size, 0u) << id;
  }
  for (std::uint16_t id : level_ids) {
    EXPECT_NE(find_resource(ResourceType::Bitmap, id).data, nullptr) << id;
  }
  EXPECT_EQ(find_resource(ResourceType::Bitmap, obj_id).data, nullptr);
  EXPECT_EQ(find_resource(ResourceType::TextFile, 103).data, nullptr);
  EXPECT_EQ(find_resource(ResourceType::TextFile, 0).data, nullptr);
}

TEST(EmbeddedResources, embedded_bytes_equal_the_committed_files) {
  const std::pair<ResourceType, std::uint16_t> ids[] = {{ResourceType::TextFile, obj_id},
                                                        {ResourceType::TextFile, mtl_id},
                                                        {ResourceType::Bitmap, 103},
                                                        {ResourceType::Bitmap, 121}};
  const char* files[] = {"rectangle_object.obj", "rectangle_object.mtl", "cubie_texture_128.bmp",
                         "cubie_texture_1.bmp"};
  for (std::size_t i = 0; i < std::size(files); ++i) {
    std::ifstream in(std::string(RESOURCE_DIR "/") + files[i], std::ios::binary);
    ASSERT_TRUE(in) << files[i];
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const ResourceBytes r = find_resource(ids[i].first, ids[i].second);
    ASSERT_NE(r.data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.data), r.size), file) << files[i];
  }
}

TEST(EmbeddedTexts, shader_texts_end_in_a_comment_opening_and_a_zero) {
  for (std::uint16_t id : {vertex_shader_id, fragment_shader_id}) {
    const std::string whole = read_resource_text(id);
    EXPECT_EQ(whole.rfind("#version 110\r\n", 0), 0u) << id;
    ASSERT_GE(whole.size(), 5u);
    EXPECT_EQ(whole.substr(whole.size() - 5), "//~\r\n") << id;
    EXPECT_EQ(whole.find('~'), whole.size() - 3) << id;

    char buffer[2048];
    std::memset(buffer, 'x', sizeof buffer);
    load_text_resource(id, buffer, sizeof buffer);
    const std::size_t n = std::strlen(buffer);
    EXPECT_EQ(n, whole.size() - 3) << id;
    EXPECT_EQ(std::string(buffer + n - 2), "//") << id;
  }
}

TEST(EmbeddedTexts, model_text_ends_in_crlf_and_has_no_end_marker) {
  const std::string obj = read_resource_text(obj_id);
  ASSERT_GE(obj.size(), 2u);
  EXPECT_EQ(obj.substr(obj.size() - 2), "\r\n");
  EXPECT_EQ(obj.find('~'), std::string::npos);
  // Every line ends in CR LF.
  for (std::size_t lf = obj.find('\n'); lf != std::string::npos; lf = obj.find('\n', lf + 1)) {
    ASSERT_GT(lf, 0u);
    EXPECT_EQ(obj[lf - 1], '\r');
  }
}

TEST(EmbeddedTexts, material_text_ends_in_its_last_line_without_line_end) {
  const std::string mtl = read_resource_text(mtl_id);
  const std::string last = "\r\n\tKe 0.0000 0.0000 0.0000";
  ASSERT_GE(mtl.size(), last.size());
  EXPECT_EQ(mtl.substr(mtl.size() - last.size()), last);
  EXPECT_EQ(mtl.find('~'), std::string::npos);
}

// ---- the cubie model --------------------------------------------------------

class CubieModel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    loader = new ModelLoader;
    loaded = loader->load_model(obj_id, mtl_id);
  }
  static void TearDownTestSuite() { delete loader; }

  static const Mesh& mesh() { return loader->meshes.at(0); }
  static Vector3 position(std::size_t t, int k) { return mesh().vertices[mesh().indices[t + k]].pos; }
  static Vector2 texcoord(std::size_t t, int k) { return mesh().vertices[mesh().indices[t + k]].texcoord; }
  static Vector3 centre(std::size_t t) {
    const Vector3 s = position(t, 0) + position(t, 1) + position(t, 2);
    return {s.x / 3, s.y / 3, s.z / 3};
  }
  // Axis 0..2 and sign of the flat face holding triangle t, or -1 on the rounded parts.
  static int flat_face(std::size_t t) {
    for (int axis = 0; axis < 3; ++axis) {
      for (int sign : {-1, 1}) {
        bool all = true;
        for (int k = 0; k < 3; ++k) {
          const Vector3 p = position(t, k);
          const float c = axis == 0 ? p.x : axis == 1 ? p.y : p.z;
          all = all && c == sign * half_width;
        }
        if (all) return axis * 2 + (sign > 0 ? 1 : 0);
      }
    }
    return -1;
  }

  static ModelLoader* loader;
  static bool loaded;
};

ModelLoader* CubieModel::loader = nullptr;
bool CubieModel::loaded = false;

TEST_F(CubieModel, loads_into_one_mesh_box001_of_384_vertices_and_564_indices) {
  ASSERT_TRUE(loaded);
  ASSERT_EQ(loader->meshes.size(), 1u);
  EXPECT_EQ(mesh().name, "Box001");
  EXPECT_EQ(mesh().vertices.size(), 384u);
  EXPECT_EQ(mesh().indices.size(), 564u);
  EXPECT_EQ(loader->vertices.size(), 384u);
  EXPECT_EQ(loader->indices, mesh().indices);
}

TEST_F(CubieModel, carries_the_default_material_of_the_library) {
  ASSERT_EQ(loader->materials.size(), 1u);
  const Material& m = mesh().material;
  EXPECT_EQ(m.name, "01___Default");
  EXPECT_FLOAT_EQ(m.Ns, 96.0784f);
  EXPECT_FLOAT_EQ(m.Ni, 1.5f);
  EXPECT_FLOAT_EQ(m.d, 1.0f);
  EXPECT_EQ(m.illum, 2);
  EXPECT_EQ(m.Ka, (Vector3{1, 0, 1}));
  EXPECT_EQ(m.Kd, (Vector3{0.64f, 0.04f, 0.64f}));
  EXPECT_EQ(m.Ks, (Vector3{0.5f, 0, 0.5f}));
  EXPECT_TRUE(m.map_Ka.empty() && m.map_Kd.empty() && m.map_Ks.empty() && m.map_Ns.empty() &&
              m.map_d.empty() && m.map_bump.empty());
}

TEST_F(CubieModel, coordinates_come_from_the_rounded_cube_set) {
  const std::set<float> allowed = {3.6123f, 3.6127f, 4.2873f, 4.3065f, 4.9206f, 4.9481f, 4.9482f, 4.9956f};
  std::set<std::tuple<float, float, float>> distinct;
  for (const Vertex& v : mesh().vertices) {
    for (float c : {v.pos.x, v.pos.y, v.pos.z}) {
      EXPECT_EQ(allowed.count(std::fabs(c)), 1u) << c;
    }
    distinct.insert({v.pos.x, v.pos.y, v.pos.z});
  }
  EXPECT_EQ(distinct.size(), 96u);
}

TEST_F(CubieModel, every_triangle_winds_counter_clockwise_seen_from_outside) {
  for (std::size_t t = 0; t < mesh().indices.size(); t += 3) {
    const Vector3 n = cross(position(t, 1) - position(t, 0), position(t, 2) - position(t, 0));
    EXPECT_GT(dot(n, centre(t)), 0.0f) << "triangle " << t / 3;
  }
}

TEST_F(CubieModel, every_generated_normal_points_into_the_cubie) {
  for (std::size_t t = 0; t < mesh().indices.size(); t += 3) {
    for (int k = 0; k < 3; ++k) {
      const Vector3 n = mesh().vertices[mesh().indices[t + k]].normal;
      EXPECT_LT(dot(n, centre(t)), 0.0f) << "triangle " << t / 3;
    }
  }
}

TEST_F(CubieModel, each_flat_face_maps_to_its_texture_square) {
  struct Square {
    float u0, u1, v0, v1;
  };
  // -x, +x, -y, +y, -z, +z
  const Square squares[6] = {{0.7223f, 0.9574f, 0.3972f, 0.6323f}, {0.3972f, 0.6323f, 0.3972f, 0.6323f},
                             {0.0729f, 0.3065f, 0.0729f, 0.3065f}, {0.0729f, 0.3065f, 0.4275f, 0.6611f},
                             {0.3972f, 0.6323f, 0.6928f, 0.9278f}, {0.4268f, 0.6618f, 0.0426f, 0.2777f}};
  Square seen[6];
  for (Square& s : seen) s = {1, 0, 1, 0};
  int flat_triangles = 0;
  for (std::size_t t = 0; t < mesh().indices.size(); t += 3) {
    const int face = flat_face(t);
    if (face < 0) continue;
    ++flat_triangles;
    for (int k = 0; k < 3; ++k) {
      const Vector2 uv = texcoord(t, k);
      seen[face] = {std::min(seen[face].u0, uv.x), std::max(seen[face].u1, uv.x), std::min(seen[face].v0, uv.y),
                    std::max(seen[face].v1, uv.y)};
    }
  }
  EXPECT_EQ(flat_triangles, 12);
  for (int f = 0; f < 6; ++f) {
    EXPECT_FLOAT_EQ(seen[f].u0, squares[f].u0) << f;
    EXPECT_FLOAT_EQ(seen[f].u1, squares[f].u1) << f;
    EXPECT_FLOAT_EQ(seen[f].v0, squares[f].v0) << f;
    EXPECT_FLOAT_EQ(seen[f].v1, squares[f].v1) << f;
  }
}

TEST_F(CubieModel, no_triangle_has_collinear_texture_coordinates) {
  float smallest = 1.0f;
  for (std::size_t t = 0; t < mesh().indices.size(); t += 3) {
    const Vector2 a = texcoord(t, 0), b = texcoord(t, 1), c = texcoord(t, 2);
    const float d1x = b.x - a.x, d1y = b.y - a.y, d2x = c.x - a.x, d2y = c.y - a.y;
    const float det = d1x * d2y - d2x * d1y;
    // Same turn as the model: the tangent frame never flips.
    EXPECT_GT(det, 0.0f) << "triangle " << t / 3;
    smallest = std::min(smallest, std::fabs(det));
  }
  EXPECT_GT(smallest, 0.0004f);
  EXPECT_LT(smallest, 0.0006f);
}

TEST_F(CubieModel, texture_coordinates_stay_inside_the_atlas_margins) {
  for (const Vertex& v : mesh().vertices) {
    EXPECT_GE(v.texcoord.x, 0.02f);
    EXPECT_LE(v.texcoord.x, 0.98f);
    EXPECT_GE(v.texcoord.y, 0.02f);
    EXPECT_LE(v.texcoord.y, 0.9504f);
  }
}

// ---- the texture pyramid ----------------------------------------------------

BitmapView level(int k) {
  const ResourceBytes r = find_resource(ResourceType::Bitmap, level_ids[k]);
  BitmapView view{};
  EXPECT_TRUE(read_bitmap(r.data, r.size, view)) << level_ids[k];
  return view;
}

bool same(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

struct Sticker {
  Rgb colour;
  int c0, c1, r0, r1;
};
const Sticker stickers[6] = {
    {{34, 177, 76}, 52, 78, 11, 37},   {{255, 255, 255}, 10, 38, 44, 72}, {{63, 72, 204}, 53, 78, 49, 75},
    {{255, 127, 39}, 94, 120, 49, 75}, {{255, 242, 0}, 11, 37, 90, 116},  {{237, 28, 36}, 56, 82, 94, 120},
};
constexpr Rgb ground{64, 64, 64};

TEST(TexturePyramid, levels_halve_from_128_down_to_1) {
  for (int k = 0; k < 8; ++k) {
    const BitmapView view = level(k);
    EXPECT_EQ(view.width, 128 >> k);
    EXPECT_EQ(view.height, 128 >> k);
    EXPECT_TRUE(view.bottom_up);
  }
}

TEST(TexturePyramid, atlas_holds_six_stickers_on_grey_blending_over_one_pixel) {
  const BitmapView atlas = level(0);
  int ground_pixels = 0;
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 128; ++x) {
      const Rgb p = bitmap_pixel(atlas, x, y);
      bool in_sticker = false;
      bool in_blend = false;
      for (const Sticker& s : stickers) {
        if (x >= s.c0 && x <= s.c1 && y >= s.r0 && y <= s.r1) {
          in_sticker = true;
          EXPECT_TRUE(same(p, s.colour)) << x << "," << y;
        } else if (x >= s.c0 - 1 && x <= s.c1 + 1 && y >= s.r0 - 1 && y <= s.r1 + 1) {
          in_blend = true;
          EXPECT_FALSE(same(p, s.colour) || same(p, ground)) << x << "," << y;
        }
      }
      if (!in_sticker && !in_blend) {
        EXPECT_TRUE(same(p, ground)) << x << "," << y;
        ++ground_pixels;
      }
    }
  }
  EXPECT_GT(ground_pixels, 0);
}

TEST(TexturePyramid, each_level_is_the_two_by_two_average_of_the_one_above) {
  for (int k = 1; k < 8; ++k) {
    const BitmapView big = level(k - 1);
    const BitmapView small = level(k);
    for (int y = 0; y < small.height; ++y) {
      for (int x = 0; x < small.width; ++x) {
        int sum[3] = {0, 0, 0};
        for (int dy = 0; dy < 2; ++dy) {
          for (int dx = 0; dx < 2; ++dx) {
            const Rgb p = bitmap_pixel(big, 2 * x + dx, 2 * y + dy);
            sum[0] += p.r;
            sum[1] += p.g;
            sum[2] += p.b;
          }
        }
        const Rgb p = bitmap_pixel(small, x, y);
        EXPECT_NEAR(p.r, sum[0] / 4.0, 0.5) << k;
        EXPECT_NEAR(p.g, sum[1] / 4.0, 0.5) << k;
        EXPECT_NEAR(p.b, sum[2] / 4.0, 0.5) << k;
      }
    }
  }
}

// The model and the atlas agree: a flat face shows its sticker in the middle,
// and the rounded parts show the grey ground.
TEST_F(CubieModel, flat_faces_show_a_sticker_and_rounded_parts_the_ground) {
  const BitmapView atlas = level(0);
  auto sample = [&](Vector2 uv) {
    const int x = std::clamp(static_cast<int>(uv.x * 128), 0, 127);
    const int y = std::clamp(static_cast<int>((1 - uv.y) * 128), 0, 127);
    return bitmap_pixel(atlas, x, y);
  };
  std::set<int> sticker_colours;
  for (std::size_t t = 0; t < mesh().indices.size(); t += 3) {
    const Vector2 a = texcoord(t, 0), b = texcoord(t, 1), c = texcoord(t, 2);
    const Vector2 mid{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3};
    const Rgb p = sample(mid);
    if (flat_face(t) >= 0) {
      EXPECT_FALSE(same(p, ground)) << "triangle " << t / 3;
      sticker_colours.insert(p.r << 16 | p.g << 8 | p.b);
    } else {
      EXPECT_TRUE(same(p, ground)) << "triangle " << t / 3;
    }
  }
  EXPECT_EQ(sticker_colours.size(), 6u);
}

}  // namespace
