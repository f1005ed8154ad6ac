#include "assets/obj_loader.h"

#include <gtest/gtest.h>

#include "tests/assets/test_resources.h"

namespace {

using namespace objl;

constexpr std::uint16_t obj_id = 1;
constexpr std::uint16_t mtl_id = 2;

class ModelLoading : public ::testing::Test {
 protected:
  void TearDown() override { clear_test_resources(); }

  bool load(const std::string& obj, const std::string& mtl = "") {
    set_test_resource(ResourceType::TextFile, obj_id, obj);
    set_test_resource(ResourceType::TextFile, mtl_id, mtl);
    return loader.load_model(obj_id, mtl_id);
  }

  ModelLoader loader;
};

const std::string square = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

// ---- what a text loads into -------------------------------------------------

TEST_F(ModelLoading, missing_or_empty_text_loads_nothing) {
  EXPECT_FALSE(loader.load_model(obj_id, mtl_id));
  EXPECT_FALSE(load(""));
  EXPECT_TRUE(loader.meshes.empty());
}

TEST_F(ModelLoading, faces_fill_mesh_and_loader_lists_alike) {
  ASSERT_TRUE(load(square + "f 1 2 3 4\nf 1 2 3\n"));
  ASSERT_EQ(loader.meshes.size(), 1u);
  EXPECT_EQ(loader.meshes[0].vertices.size(), 7u);
  EXPECT_EQ(loader.meshes[0].indices, (std::vector<std::uint32_t>{0, 1, 3, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(loader.vertices.size(), 7u);
  EXPECT_EQ(loader.indices, loader.meshes[0].indices);
}

TEST_F(ModelLoading, text_without_group_gives_one_mesh_with_empty_name) {
  ASSERT_TRUE(load(square + "f 1 2 3\n"));
  ASSERT_EQ(loader.meshes.size(), 1u);
  EXPECT_EQ(loader.meshes[0].name, "");
}

TEST_F(ModelLoading, crlf_text_and_two_blanks_after_v_read_like_plain_text) {
  ASSERT_TRUE(load("v  1 2 3\r\nv 4 5 6\r\nv  7 8 9.5\r\nf 1 2 3\r\n"));
  EXPECT_EQ(loader.vertices[0].pos, (Vector3{1, 2, 3}));
  EXPECT_EQ(loader.vertices[2].pos, (Vector3{7, 8, 9.5f}));
}

TEST_F(ModelLoading, carriage_return_inside_a_line_takes_the_next_character_along) {
  ASSERT_TRUE(load("v 1 2 3\rx\nv 4 5 6\nv 7 8 9\nf 1 2 3\n"));
  EXPECT_EQ(loader.vertices[0].pos, (Vector3{1, 2, 3}));
}

TEST_F(ModelLoading, vt_reads_two_fields_and_ignores_a_third) {
  ASSERT_TRUE(load(square + "vt 0.25 0.75 0.0000\nf 1/1 2/1 3/1\n"));
  EXPECT_EQ(loader.vertices[0].texcoord.x, 0.25f);
  EXPECT_EQ(loader.vertices[0].texcoord.y, 0.75f);
}

// ---- groups, objects and material changes ----------------------------------

TEST_F(ModelLoading, faces_before_the_first_group_join_it_and_take_its_name) {
  ASSERT_TRUE(load(square + "f 1 2 3\ng first\nf 1 3 4\n"));
  ASSERT_EQ(loader.meshes.size(), 1u);
  EXPECT_EQ(loader.meshes[0].name, "first");
  EXPECT_EQ(loader.meshes[0].vertices.size(), 6u);
}

TEST_F(ModelLoading, object_group_and_usemtl_before_faces_split_nothing) {
  ASSERT_TRUE(load("o Box001\n" + square + "g Box001\nusemtl m\nf 1 2 3\n"));
  ASSERT_EQ(loader.meshes.size(), 1u);
  EXPECT_EQ(loader.meshes[0].name, "Box001");
}

TEST_F(ModelLoading, a_later_group_closes_the_mesh_and_names_the_next) {
  ASSERT_TRUE(load(square + "g a\nf 1 2 3\no b\nf 1 3 4\n"));
  ASSERT_EQ(loader.meshes.size(), 2u);
  EXPECT_EQ(loader.meshes[0].name, "a");
  EXPECT_EQ(loader.meshes[1].name, "b");
  EXPECT_EQ(loader.meshes[1].indices, (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(loader.indices.back(), 5u);
}

TEST_F(ModelLoading, line_starting_with_g_is_a_group_line) {
  ASSERT_TRUE(load(square + "gx y\nf 1 2 3\ngx y\nf 1 3 4\n"));
  ASSERT_EQ(loader.meshes.size(), 2u);
  EXPECT_EQ(loader.meshes[0].name, "unnamed");
  EXPECT_EQ(loader.meshes[1].name, "y");
}

TEST_F(ModelLoading, bare_g_sets_an_empty_name) {
  ASSERT_TRUE(load(square + "g\nf 1 2 3\n"));
  ASSERT_EQ(loader.meshes.size(), 1u);
  EXPECT_EQ(loader.meshes[0].name, "");
}

TEST_F(ModelLoading, each_usemtl_split_inside_a_group_gets_the_suffix_2) {
  ASSERT_TRUE(load(square + "g a\nusemtl A\nf 1 2 3\nusemtl B\nf 1 3 4\nusemtl C\nf 2 3 4\n"));
  ASSERT_EQ(loader.meshes.size(), 3u);
  EXPECT_EQ(loader.meshes[0].name, "a_2");
  EXPECT_EQ(loader.meshes[1].name, "a_2");
  EXPECT_EQ(loader.meshes[2].name, "a");
}

TEST_F(ModelLoading, materials_pair_with_meshes_by_position) {
  const std::string mtl = "newmtl A\nKd 1 0 0\nnewmtl B\nKd 0 1 0\n";
  ASSERT_TRUE(load("mtllib any.mtl\n" + square + "g a\nusemtl A\nf 1 2 3\ng b\nf 1 3 4\n", mtl));
  ASSERT_EQ(loader.materials.size(), 2u);
  ASSERT_EQ(loader.meshes.size(), 2u);
  EXPECT_EQ(loader.meshes[0].material.name, "A");
  EXPECT_EQ(loader.meshes[0].material.Kd, (Vector3{1, 0, 0}));
  EXPECT_EQ(loader.meshes[1].material.name, "");
}

TEST_F(ModelLoading, material_without_a_match_leaves_the_default) {
  ASSERT_TRUE(load("mtllib x\n" + square + "usemtl nothing\nf 1 2 3\n", "newmtl other\n"));
  EXPECT_EQ(loader.meshes[0].material.name, "");
}

TEST_F(ModelLoading, second_load_keeps_the_materials_and_adds_them_again) {
  const std::string obj = "mtllib x\n" + square + "f 1 2 3\n";
  ASSERT_TRUE(load(obj, "newmtl A\n"));
  ASSERT_TRUE(loader.load_model(obj_id, mtl_id));
  EXPECT_EQ(loader.materials.size(), 2u);
  EXPECT_EQ(loader.meshes.size(), 1u);
  EXPECT_EQ(loader.vertices.size(), 3u);
}

// ---- malformed lines are skipped -------------------------------------------

TEST_F(ModelLoading, vertex_lines_with_too_few_fields_or_no_numbers_are_skipped) {
  ASSERT_TRUE(load("v 1 2\nv 1 x 3\nv\nv 1  2 3\nv 1e39 0 0\nv 5 6 7\nvt 1\nvn 0 1\n"
                   "v 1 1 1\nv 2 2 2\nf 1 2 3\nf -3 -2 -1\n"));
  // Only "v 5 6 7", "v 1 1 1" and "v 2 2 2" count.
  ASSERT_EQ(loader.vertices.size(), 6u);
  EXPECT_EQ(loader.vertices[0].pos, (Vector3{5, 6, 7}));
  EXPECT_EQ(loader.vertices[3].pos, (Vector3{5, 6, 7}));
}

TEST_F(ModelLoading, bad_faces_are_skipped_and_later_faces_still_load) {
  ASSERT_TRUE(load(square + "f 0 1 2\nf 1 2 5\nf 1  2 3\nf 1/2 2/2 3/2\nf 1 2\nf 1 2 3\n"));
  ASSERT_EQ(loader.meshes.size(), 1u);
  EXPECT_EQ(loader.vertices.size(), 3u);
  EXPECT_EQ(loader.indices, (std::vector<std::uint32_t>{0, 1, 2}));
}

TEST_F(ModelLoading, index_counting_past_what_was_read_so_far_is_skipped) {
  // Position 4 exists only after the face.
  ASSERT_TRUE(load("v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 4\nv 0 1 0\nf 1 2 4\n"));
  EXPECT_EQ(loader.vertices.size(), 3u);
  EXPECT_EQ(loader.vertices[2].pos, (Vector3{0, 1, 0}));
}

TEST_F(ModelLoading, faces_that_form_no_triangle_load_no_mesh) {
  ASSERT_TRUE(load("v 0 0 0\nv 1 0 0\nvn 0 0 1\nf 1//1 2//1\n"));
  EXPECT_TRUE(loader.meshes.empty());
  EXPECT_EQ(loader.vertices.size(), 2u);
}

TEST_F(ModelLoading, text_with_only_unknown_lines_loads_nothing) {
  EXPECT_FALSE(load("# comment\ns 1\nl 1 2\nfoo bar\n\n"));
}

TEST_F(ModelLoading, arbitrary_lines_never_index_outside_the_lists) {
  // Lines assembled from the grammar's pieces, the malformed ones included.
  const char* keywords[] = {"v", "v", "v", "vt", "vn", "f", "f", "f", "g", "o", "usemtl", "mtllib", "gx", "#"};
  const char* pieces[] = {"1", "-1", "0", "3", "-7", "2/1", "1//2", "4/3/2", "1/2/3/4", "/", "//", "", "\t",
                          "\r", "1e39", "-2147483649", "99999999999999999999", "x", "0.5", "-0.25", "nan", "2"};
  std::uint32_t state = 12345;
  auto next = [&] { return state = state * 1103515245u + 12345u, state >> 16; };
  std::string text;
  for (int line = 0; line < 3000; ++line) {
    text += keywords[next() % std::size(keywords)];
    const int n = static_cast<int>(next() % 6);
    for (int i = 0; i < n; ++i) {
      text += next() % 8 == 0 ? "  " : " ";
      text += pieces[next() % std::size(pieces)];
    }
    text += next() % 4 == 0 ? "\r\n" : "\n";
  }
  load(text, "newmtl a\n");
  for (std::uint32_t i : loader.indices) {
    ASSERT_LT(i, loader.vertices.size());
  }
  EXPECT_EQ(loader.indices.size() % 3, 0u);
  EXPECT_GT(loader.indices.size(), 30u);
  EXPECT_GT(loader.meshes.size(), 10u);
  for (const Mesh& m : loader.meshes) {
    for (std::uint32_t i : m.indices) {
      ASSERT_LT(i, m.vertices.size());
    }
  }
}

}  // namespace
