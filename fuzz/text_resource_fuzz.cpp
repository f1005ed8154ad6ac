// The text-resource reader: any bytes as resource, any buffer capacity.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "assets/text_resources.h"
#include "fuzz/fuzz_resources.h"

namespace {

constexpr std::uint16_t text_id = 105;

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

// Bytes 0-1: the destination's capacity (little endian, up to 4095; 0 also
// tries a null destination); the rest is the resource.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t capacity = (data[0] | data[1] << 8) & 0xFFF;
  const unsigned char* text = data + 2;
  const std::size_t text_size = size - 2;
  serve_resource(ResourceType::TextFile, text_id, text, text_size);

  // A heap block of exactly the capacity, so a write past it is caught.
  std::unique_ptr<char[]> destination(new char[capacity == 0 ? 1 : capacity]);
  if (capacity == 0) {
    destination[0] = 'x';
    load_text_resource(text_id, destination.get(), 0);
    check(destination[0] == 'x');
    load_text_resource(text_id, nullptr, 0);
  } else {
    load_text_resource(text_id, destination.get(), capacity);
    const std::size_t length = strnlen(destination.get(), capacity);
    check(length < capacity);
    check(std::memcmp(destination.get(), text, length) == 0);
    check(std::memchr(destination.get(), '~', length) == nullptr);
    // Cut short only by the marker, the end of the text or the capacity.
    const bool at_marker = length < text_size && text[length] == '~';
    check(at_marker || length == text_size || length + 1 == capacity || text[length] == '\0');
  }

  const std::string whole = read_resource_text(text_id);
  check(whole.size() == text_size && std::memcmp(whole.data(), text, text_size) == 0);

  // A missing resource reads as empty.
  serve_resource(ResourceType::TextFile, text_id, nullptr, 0);
  check(read_resource_text(text_id).empty());
  if (capacity > 0) {
    load_text_resource(text_id, destination.get(), capacity);
    check(destination[0] == '\0');
  }
  return 0;
}
