// Decoder of an embedded 24-bit uncompressed BMP (40-byte or larger info
// header). It only validates and addresses the bytes; nothing is copied.
#pragma once

#include <cstddef>
#include <cstdint>

struct BitmapView {
  const unsigned char* pixels;  // first stored row
  int width;
  int height;
  std::size_t row_stride;  // bytes per stored row, padded to a multiple of 4
  bool bottom_up;          // rows stored bottom row first (positive height in the file)
};

struct Rgb {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;
};

// False for anything but a whole, uncompressed 24-bit BMP: bad magic, short
// headers, other bit depths or compressions, zero or overflowing sizes, pixel
// data that runs past the end. view is written only on success.
bool read_bitmap(const unsigned char* data, std::size_t size, BitmapView& view);

// Pixel (x, y) with row 0 at the top of the image. x and y must lie inside.
Rgb bitmap_pixel(const BitmapView& view, int x, int y);
