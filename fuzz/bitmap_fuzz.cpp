// The BMP decoder: any bytes; every pixel of an accepted bitmap is read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "assets/bitmap_reader.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A heap copy of exactly the input's size, so a read past it is caught.
  std::unique_ptr<unsigned char[]> bytes(new unsigned char[size == 0 ? 1 : size]);
  if (size > 0) std::memcpy(bytes.get(), data, size);

  BitmapView view = {};
  if (!read_bitmap(bytes.get(), size, view)) return 0;
  check(view.width > 0 && view.height > 0);
  check(view.row_stride % 4 == 0 && view.row_stride >= static_cast<std::size_t>(view.width) * 3);
  check(view.pixels >= bytes.get());
  check(static_cast<std::size_t>(view.pixels - bytes.get()) + view.row_stride * view.height <= size);
  unsigned sum = 0;
  for (int y = 0; y < view.height; ++y) {
    for (int x = 0; x < view.width; ++x) {
      const Rgb c = bitmap_pixel(view, x, y);
      sum += c.r + c.g + c.b;
    }
  }
  (void)sum;
  return 0;
}
