#include "assets/mtl_loader.h"

#include <gtest/gtest.h>

#include "tests/assets/test_resources.h"

namespace {

using namespace objl;

constexpr std::uint16_t mtl_id = 3;

class MaterialLoading : public ::testing::Test {
 protected:
  void TearDown() override { clear_test_resources(); }

  bool load(const std::string& mtl) {
    set_test_resource(ResourceType::TextFile, mtl_id, mtl);
    return loader.load_materials(mtl_id);
  }

  ModelLoader loader;
};

TEST(TrimLineEnd, cuts_trailing_carriage_returns_and_line_feeds_only) {
  EXPECT_EQ(trim_line_end("abc \r"), "abc ");
  EXPECT_EQ(trim_line_end("a\r\n\r"), "a");
  EXPECT_EQ(trim_line_end("a\rb"), "a\rb");
}

TEST(TrimLineEnd, returns_text_of_only_line_ends_unchanged) {
  EXPECT_EQ(trim_line_end(""), "");
  EXPECT_EQ(trim_line_end("\r\n"), "\r\n");
}

TEST_F(MaterialLoading, missing_text_gives_one_default_material) {
  EXPECT_TRUE(loader.load_materials(99));
  ASSERT_EQ(loader.materials.size(), 1u);
  EXPECT_EQ(loader.materials[0].name, "");
  EXPECT_EQ(loader.materials[0].illum, 0);
}

TEST_F(MaterialLoading, reads_every_field_from_tab_indented_crlf_text) {
  ASSERT_TRUE(load("newmtl m\r\n\tKa 0.1 0.2 0.3\r\n\tKd 0.4 0.5 0.6\r\n\tKs 0.7 0.8 0.9\r\n\tNs 96.0784\r\n"
                   "\tNi 1.5\r\n\td 0.25\r\n\tillum 2\r\n\tmap_Ka a.png\r\n\tmap_Kd b.png\r\n"
                   "\tmap_Ks c.png\r\n\tmap_Ns d.png\r\n\tmap_d e.png\r\n\tbump f.png"));
  ASSERT_EQ(loader.materials.size(), 1u);
  const Material& m = loader.materials[0];
  EXPECT_EQ(m.name, "m");
  EXPECT_EQ(m.Ka, (Vector3{0.1f, 0.2f, 0.3f}));
  EXPECT_EQ(m.Kd, (Vector3{0.4f, 0.5f, 0.6f}));
  EXPECT_EQ(m.Ks, (Vector3{0.7f, 0.8f, 0.9f}));
  EXPECT_FLOAT_EQ(m.Ns, 96.0784f);
  EXPECT_FLOAT_EQ(m.Ni, 1.5f);
  EXPECT_FLOAT_EQ(m.d, 0.25f);
  EXPECT_EQ(m.illum, 2);
  // Map values keep the CR of their line; the last line has none.
  EXPECT_EQ(m.map_Ka, "a.png\r");
  EXPECT_EQ(m.map_d, "e.png\r");
  EXPECT_EQ(m.map_bump, "f.png");
}

TEST_F(MaterialLoading, all_three_bump_keywords_set_the_bump_map) {
  for (const char* word : {"map_Bump", "map_bump", "bump"}) {
    ModelLoader fresh;
    set_test_resource(ResourceType::TextFile, mtl_id, std::string(word) + " x.png");
    fresh.load_materials(mtl_id);
    EXPECT_EQ(fresh.materials[0].map_bump, "x.png") << word;
  }
}

TEST_F(MaterialLoading, name_loses_its_cr_but_keeps_a_blank_before_it) {
  ASSERT_TRUE(load("newmtl 01___Default\r\nnewmtl abc \r\n"));
  ASSERT_EQ(loader.materials.size(), 2u);
  EXPECT_EQ(loader.materials[0].name, "01___Default");
  EXPECT_EQ(loader.materials[1].name, "abc ");
}

TEST_F(MaterialLoading, newmtl_of_seven_characters_or_fewer_is_named_none) {
  ASSERT_TRUE(load("newmtl\nnewmtl\r\nnewmtl x\n"));
  ASSERT_EQ(loader.materials.size(), 3u);
  EXPECT_EQ(loader.materials[0].name, "none");
  EXPECT_EQ(loader.materials[1].name, "none");
  EXPECT_EQ(loader.materials[2].name, "x");
}

TEST_F(MaterialLoading, two_blocks_give_two_materials_in_order_each_from_defaults) {
  ASSERT_TRUE(load("newmtl a\nKd 1 1 1\nillum 3\nnewmtl b\nNs 5\n"));
  ASSERT_EQ(loader.materials.size(), 2u);
  EXPECT_EQ(loader.materials[0].name, "a");
  EXPECT_EQ(loader.materials[1].name, "b");
  EXPECT_EQ(loader.materials[1].Kd, (Vector3{0, 0, 0}));
  EXPECT_EQ(loader.materials[1].illum, 0);
  EXPECT_EQ(loader.materials[1].Ns, 5.0f);
}

TEST_F(MaterialLoading, second_call_appends_the_materials_again) {
  ASSERT_TRUE(load("newmtl a\n"));
  ASSERT_TRUE(loader.load_materials(mtl_id));
  EXPECT_EQ(loader.materials.size(), 2u);
}

TEST_F(MaterialLoading, colour_needs_exactly_three_fields) {
  ASSERT_TRUE(load("newmtl a\nKd 0.2 0.2 0.2\nKd 0.5 0.5\nKd 0.5 0.5 0.5 0.5\nKd 0.5  0.5 0.5\n"));
  EXPECT_EQ(loader.materials[0].Kd, (Vector3{0.2f, 0.2f, 0.2f}));
}

TEST_F(MaterialLoading, fields_that_are_not_numbers_keep_the_value_before) {
  ASSERT_TRUE(load("newmtl a\nNs 3\nNs abc\nNi\nd -\nillum 2\nillum x\nillum 99999999999\n"
                   "Ka 1 1 1\nKa 1 x 1\nKs 1e39 0 0\n"));
  const Material& m = loader.materials[0];
  EXPECT_EQ(m.Ns, 3.0f);
  EXPECT_EQ(m.Ni, 0.0f);
  EXPECT_EQ(m.d, 0.0f);
  EXPECT_EQ(m.illum, 2);
  EXPECT_EQ(m.Ka, (Vector3{1, 1, 1}));
  EXPECT_EQ(m.Ks, (Vector3{0, 0, 0}));
}

TEST_F(MaterialLoading, other_keywords_and_case_variants_change_nothing) {
  ASSERT_TRUE(load("newmtl a\nTr 0.5\nTf 1 1 1 \nKe 1 1 1\nkd 1 1 1\nNS 4\n# Kd 1 1 1"));
  const Material& m = loader.materials[0];
  EXPECT_EQ(m.Kd, (Vector3{0, 0, 0}));
  EXPECT_EQ(m.Ns, 0.0f);
}

TEST_F(MaterialLoading, text_without_newmtl_still_gives_its_material) {
  ASSERT_TRUE(load("Kd 1 0 0\n"));
  ASSERT_EQ(loader.materials.size(), 1u);
  EXPECT_EQ(loader.materials[0].name, "");
  EXPECT_EQ(loader.materials[0].Kd, (Vector3{1, 0, 0}));
}

}  // namespace
