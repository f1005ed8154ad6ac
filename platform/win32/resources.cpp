// find_resource over the program's own resources, compiled into the .scr from the
// generated resource script. Text resources are handed out where they lie in the
// module. A BITMAP resource is stored as a packed DIB without a file header, so
// it is read the way Windows hands it over (LoadImageA, GetDIBits as 24-bit rows)
// and kept, once per id, as a whole BMP file in fixed process-wide storage: the
// portable reader then sees the same bytes on every platform.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "platform/platform.h"

namespace {

constexpr std::size_t file_header_size = 14;
constexpr std::size_t info_header_size = 40;
// Room for all the program's bitmaps (the eight texture levels and the logo
// come to about 95 kB) with margin.
constexpr std::size_t bitmap_storage_size = 256 * 1024;
constexpr int max_bitmaps = 16;

struct StoredBitmap {
  std::uint16_t id;
  std::size_t offset;
  std::size_t size;
};

struct BitmapStore {
  unsigned char bytes[bitmap_storage_size];
  std::size_t used;
  StoredBitmap entries[max_bitmaps];
  int count;
};
BitmapStore store = {};

void put16(unsigned char* at, std::uint16_t value) {
  at[0] = static_cast<unsigned char>(value);
  at[1] = static_cast<unsigned char>(value >> 8);
}

void put32(unsigned char* at, std::uint32_t value) {
  put16(at, static_cast<std::uint16_t>(value));
  put16(at + 2, static_cast<std::uint16_t>(value >> 16));
}

ResourceBytes find_text(std::uint16_t id) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), "TEXTFILE");
  if (found == nullptr) return {nullptr, 0};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const DWORD size = SizeofResource(nullptr, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return {nullptr, 0};
  return {static_cast<const unsigned char*>(data), size};
}

// Writes the bitmap as a bottom-up 24-bit BMP file at the store's free end.
bool store_bitmap(HBITMAP bitmap, std::uint16_t id) {
  BITMAP shape = {};
  if (GetObjectA(bitmap, sizeof shape, &shape) == 0 || shape.bmWidth <= 0 || shape.bmHeight <= 0) return false;
  const std::size_t width = static_cast<std::size_t>(shape.bmWidth);
  const std::size_t height = static_cast<std::size_t>(shape.bmHeight);
  const std::size_t stride = (width * 3 + 3) / 4 * 4;
  const std::size_t free_bytes = bitmap_storage_size - store.used;
  const std::size_t headers = file_header_size + info_header_size;
  if (free_bytes < headers || height > (free_bytes - headers) / stride) return false;
  const std::size_t pixel_bytes = stride * height;
  const std::size_t file_size = file_header_size + info_header_size + pixel_bytes;

  unsigned char* file = store.bytes + store.used;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shape.bmWidth;
  info.bmiHeader.biHeight = shape.bmHeight;  // positive: the bottom row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC context = CreateCompatibleDC(nullptr);
  if (context == nullptr) return false;
  unsigned char* pixels = file + file_header_size + info_header_size;
  const int rows = GetDIBits(context, bitmap, 0, static_cast<UINT>(height), pixels, &info, DIB_RGB_COLORS);
  DeleteDC(context);
  if (rows != shape.bmHeight) return false;

  std::memset(file, 0, file_header_size + info_header_size);
  file[0] = 'B';
  file[1] = 'M';
  put32(file + 2, static_cast<std::uint32_t>(file_size));
  put32(file + 10, static_cast<std::uint32_t>(file_header_size + info_header_size));
  unsigned char* header = file + file_header_size;
  put32(header, info_header_size);
  put32(header + 4, static_cast<std::uint32_t>(width));
  put32(header + 8, static_cast<std::uint32_t>(height));
  put16(header + 12, 1);
  put16(header + 14, 24);
  put32(header + 20, static_cast<std::uint32_t>(pixel_bytes));

  store.entries[store.count++] = {id, store.used, file_size};
  store.used += file_size;
  return true;
}

ResourceBytes find_bitmap(std::uint16_t id) {
  for (int i = 0; i < store.count; ++i) {
    if (store.entries[i].id == id) return {store.bytes + store.entries[i].offset, store.entries[i].size};
  }
  if (store.count == max_bitmaps) return {nullptr, 0};
  HANDLE image = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (image == nullptr) return {nullptr, 0};
  HBITMAP bitmap = static_cast<HBITMAP>(image);
  const bool stored = store_bitmap(bitmap, id);
  DeleteObject(bitmap);
  if (!stored) return {nullptr, 0};
  const StoredBitmap& entry = store.entries[store.count - 1];
  return {store.bytes + entry.offset, entry.size};
}

}  // namespace

ResourceBytes find_resource(ResourceType type, std::uint16_t id) {
  return type == ResourceType::TextFile ? find_text(id) : find_bitmap(id);
}
