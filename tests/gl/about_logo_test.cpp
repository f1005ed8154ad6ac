// The About logo as the program embeds it, and the BMP writer that made it.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "assets/bitmap_reader.h"
#include "platform/platform.h"
#include "tools/render_logo/bmp_writer.h"

namespace {

bool is_ground(Rgb p) { return p.r == 0 && p.g == 38 && p.b == 0; }

}  // namespace

TEST(bmp_writer, what_it_writes_reads_back_pixel_for_pixel_with_padded_rows) {
  // 3 pixels a row: 9 bytes, padded to 12. Bottom row first in the input.
  const std::uint8_t rgb[2 * 3 * 3] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  const std::vector<std::uint8_t> bmp = encode_bmp24(rgb, 3, 2);
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);
  BitmapView view = {};
  ASSERT_TRUE(read_bitmap(bmp.data(), bmp.size(), view));
  EXPECT_EQ(view.width, 3);
  EXPECT_EQ(view.height, 2);
  EXPECT_EQ(view.row_stride, 12u);
  EXPECT_TRUE(view.bottom_up);
  const Rgb bottom_left = bitmap_pixel(view, 0, 1);
  const Rgb top_right = bitmap_pixel(view, 2, 0);
  EXPECT_EQ(bottom_left.r, 1);
  EXPECT_EQ(bottom_left.g, 2);
  EXPECT_EQ(bottom_left.b, 3);
  EXPECT_EQ(top_right.r, 16);
  EXPECT_EQ(top_right.g, 17);
  EXPECT_EQ(top_right.b, 18);
}

TEST(about_logo, bitmap_101_is_a_110_by_83_bottom_up_24_bit_bitmap) {
  const ResourceBytes logo = find_resource(ResourceType::Bitmap, 101);
  ASSERT_NE(logo.data, nullptr);
  EXPECT_EQ(logo.size, 54u + 332u * 83u);
  BitmapView view = {};
  ASSERT_TRUE(read_bitmap(logo.data, logo.size, view));
  EXPECT_EQ(view.width, 110);
  EXPECT_EQ(view.height, 83);
  EXPECT_TRUE(view.bottom_up);
}

TEST(about_logo, the_cube_sits_in_the_middle_of_the_dark_green_ground) {
  const ResourceBytes logo = find_resource(ResourceType::Bitmap, 101);
  BitmapView view = {};
  ASSERT_TRUE(read_bitmap(logo.data, logo.size, view));
  for (int x : {0, 109})
    for (int y : {0, 82}) EXPECT_TRUE(is_ground(bitmap_pixel(view, x, y))) << x << ", " << y;
  EXPECT_FALSE(is_ground(bitmap_pixel(view, 55, 41)));
  // Lit stickers: some clearly red pixels and some bright white ones.
  int red = 0, white = 0;
  for (int y = 0; y < 83; ++y) {
    for (int x = 0; x < 110; ++x) {
      const Rgb p = bitmap_pixel(view, x, y);
      red += p.r > 100 && p.g < 60 && p.b < 60;
      white += p.r > 150 && p.g > 150 && p.b > 150;
    }
  }
  EXPECT_GT(red, 50);
  EXPECT_GT(white, 50);
}
