// Writing a 24-bit uncompressed BMP: 14-byte file header, 40-byte info header,
// rows bottom-up, each padded to a multiple of 4 bytes.
#pragma once

#include <cstdint>
#include <vector>

// rgb: width * height pixels of red, green, blue, the bottom row first.
std::vector<std::uint8_t> encode_bmp24(const std::uint8_t* rgb, int width, int height);
bool write_bmp24(const char* path, const std::uint8_t* rgb, int width, int height);
