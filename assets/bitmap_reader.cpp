#include "assets/bitmap_reader.h"

namespace {

constexpr std::size_t file_header_size = 14;
constexpr std::size_t min_info_header_size = 40;
// Far larger than any texture of ours; keeps every size computation in range.
constexpr std::int64_t max_side = 1 << 15;

std::uint32_t u32_at(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t u16_at(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::int32_t i32_at(const unsigned char* p) { return static_cast<std::int32_t>(u32_at(p)); }

}  // namespace

bool read_bitmap(const unsigned char* data, std::size_t size, BitmapView& view) {
  if (data == nullptr || size < file_header_size + min_info_header_size) {
    return false;
  }
  if (data[0] != 'B' || data[1] != 'M') {
    return false;
  }
  const std::uint32_t pixel_offset = u32_at(data + 10);
  const unsigned char* info = data + file_header_size;
  const std::uint32_t info_size = u32_at(info);
  const std::int64_t width = i32_at(info + 4);
  const std::int64_t stored_height = i32_at(info + 8);
  const std::uint16_t planes = u16_at(info + 12);
  const std::uint16_t bits = u16_at(info + 14);
  const std::uint32_t compression = u32_at(info + 16);
  if (info_size < min_info_header_size || info_size > size - file_header_size) {
    return false;
  }
  if (planes != 1 || bits != 24 || compression != 0) {
    return false;
  }
  const std::int64_t height = stored_height < 0 ? -stored_height : stored_height;
  if (width <= 0 || height <= 0 || width > max_side || height > max_side) {
    return false;
  }
  const std::int64_t stride = (width * 3 + 3) / 4 * 4;
  const std::int64_t pixel_bytes = stride * height;
  if (pixel_offset < file_header_size + info_size || pixel_offset > size ||
      pixel_bytes > static_cast<std::int64_t>(size - pixel_offset)) {
    return false;
  }
  view.pixels = data + pixel_offset;
  view.width = static_cast<int>(width);
  view.height = static_cast<int>(height);
  view.row_stride = static_cast<std::size_t>(stride);
  view.bottom_up = stored_height > 0;
  return true;
}

Rgb bitmap_pixel(const BitmapView& view, int x, int y) {
  const int stored_row = view.bottom_up ? view.height - 1 - y : y;
  const unsigned char* p = view.pixels + static_cast<std::size_t>(stored_row) * view.row_stride +
                           static_cast<std::size_t>(x) * 3;
  return {p[2], p[1], p[0]};  // stored blue, green, red
}
