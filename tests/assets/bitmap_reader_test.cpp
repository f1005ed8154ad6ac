#include "assets/bitmap_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

void put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

void put16(std::vector<unsigned char>& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<unsigned char>(v);
  b[at + 1] = static_cast<unsigned char>(v >> 8);
}

// A w x h 24-bit bitmap whose pixel (x, y), row 0 at the top, is (x, y, 7).
std::vector<unsigned char> make_bmp(int w, int h, bool bottom_up = true) {
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
  std::vector<unsigned char> b(54 + stride * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  put32(b, 2, static_cast<std::uint32_t>(b.size()));
  put32(b, 10, 54);
  put32(b, 14, 40);
  put32(b, 18, static_cast<std::uint32_t>(w));
  put32(b, 22, static_cast<std::uint32_t>(bottom_up ? h : -h));
  put16(b, 26, 1);
  put16(b, 28, 24);
  for (int y = 0; y < h; ++y) {
    const int row = bottom_up ? h - 1 - y : y;
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &b[54 + row * stride + x * 3];
      p[0] = 7;
      p[1] = static_cast<unsigned char>(y);
      p[2] = static_cast<unsigned char>(x);
    }
  }
  return b;
}

bool reads(const std::vector<unsigned char>& b) {
  BitmapView view{};
  return read_bitmap(b.data(), b.size(), view);
}

TEST(BitmapReader, row_zero_is_the_top_row_in_either_storage_order) {
  for (bool bottom_up : {true, false}) {
    const auto b = make_bmp(5, 3, bottom_up);  // rows padded from 15 to 16 bytes
    BitmapView view{};
    ASSERT_TRUE(read_bitmap(b.data(), b.size(), view));
    EXPECT_EQ(view.width, 5);
    EXPECT_EQ(view.height, 3);
    EXPECT_EQ(view.row_stride, 16u);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) {
        const Rgb c = bitmap_pixel(view, x, y);
        EXPECT_EQ(c.r, x);
        EXPECT_EQ(c.g, y);
        EXPECT_EQ(c.b, 7);
      }
    }
  }
}

TEST(BitmapReader, one_pixel_bitmap_has_a_padded_row) {
  const auto b = make_bmp(1, 1);
  EXPECT_EQ(b.size(), 58u);
  EXPECT_TRUE(reads(b));
}

TEST(BitmapReader, rejects_wrong_magic_depth_planes_and_compression) {
  auto b = make_bmp(2, 2);
  b[1] = 'X';
  EXPECT_FALSE(reads(b));
  b = make_bmp(2, 2);
  put16(b, 28, 32);
  EXPECT_FALSE(reads(b));
  b = make_bmp(2, 2);
  put16(b, 26, 0);
  EXPECT_FALSE(reads(b));
  b = make_bmp(2, 2);
  put32(b, 30, 1);  // run-length compressed
  EXPECT_FALSE(reads(b));
  b = make_bmp(2, 2);
  put32(b, 14, 12);  // old core header
  EXPECT_FALSE(reads(b));
}

TEST(BitmapReader, rejects_zero_negative_and_overflowing_sizes) {
  for (std::uint32_t width : {0u, 0x80000000u, 0xffffffffu, 0x7fffffffu}) {
    auto b = make_bmp(2, 2);
    put32(b, 18, width);
    EXPECT_FALSE(reads(b)) << width;
  }
  for (std::uint32_t height : {0u, 0x80000000u, 0x7fffffffu}) {
    auto b = make_bmp(2, 2);
    put32(b, 22, height);
    EXPECT_FALSE(reads(b)) << height;
  }
}

TEST(BitmapReader, rejects_truncated_data_and_offsets_past_the_end) {
  auto b = make_bmp(4, 4);
  EXPECT_TRUE(reads(b));
  b.pop_back();
  EXPECT_FALSE(reads(b));
  EXPECT_FALSE(read_bitmap(b.data(), 20, *std::make_unique<BitmapView>()));
  EXPECT_FALSE(read_bitmap(nullptr, 0, *std::make_unique<BitmapView>()));
  b = make_bmp(4, 4);
  put32(b, 10, 0xfffffff0u);
  EXPECT_FALSE(reads(b));
  b = make_bmp(4, 4);
  put32(b, 10, 20);  // pixels inside the headers
  EXPECT_FALSE(reads(b));
  b = make_bmp(4, 4);
  put32(b, 14, 0xffffffffu);  // info header longer than the file
  EXPECT_FALSE(reads(b));
}

TEST(BitmapReader, failed_read_leaves_the_view_alone) {
  auto b = make_bmp(2, 2);
  b[0] = 'X';
  BitmapView view{nullptr, 9, 9, 9, true};
  EXPECT_FALSE(read_bitmap(b.data(), b.size(), view));
  EXPECT_EQ(view.width, 9);
}

}  // namespace
