#include "tools/render_logo/bmp_writer.h"

#include <cstdio>

namespace {

void put_u16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put_u16(out, v & 0xFFFF);
  put_u16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> encode_bmp24(const std::uint8_t* rgb, int width, int height) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
  const std::uint32_t pixel_bytes = stride * static_cast<std::uint32_t>(height);
  constexpr std::uint32_t headers = 14 + 40;
  std::vector<std::uint8_t> out;
  out.reserve(headers + pixel_bytes);
  out.push_back('B');
  out.push_back('M');
  put_u32(out, headers + pixel_bytes);
  put_u32(out, 0);  // reserved
  put_u32(out, headers);
  put_u32(out, 40);
  put_u32(out, static_cast<std::uint32_t>(width));
  put_u32(out, static_cast<std::uint32_t>(height));  // positive: bottom row first
  put_u16(out, 1);                                   // planes
  put_u16(out, 24);
  put_u32(out, 0);  // uncompressed
  put_u32(out, pixel_bytes);
  put_u32(out, 2835);  // 72 dots per inch
  put_u32(out, 2835);
  put_u32(out, 0);
  put_u32(out, 0);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = rgb + static_cast<std::size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      out.push_back(row[x * 3 + 2]);  // stored blue, green, red
      out.push_back(row[x * 3 + 1]);
      out.push_back(row[x * 3]);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

bool write_bmp24(const char* path, const std::uint8_t* rgb, int width, int height) {
  const std::vector<std::uint8_t> bytes = encode_bmp24(rgb, width, height);
  std::FILE* f = std::fopen(path, "wb");
  if (f == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}
